// ScopeExit: runs a cleanup when the scope ends, however it ends.
#pragma once

#include <utility>

namespace ocelot {

template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ~ScopeExit() {
    if (active_) f_();
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

  // Runs the cleanup now instead of at the end of the scope.
  void RunNow() {
    if (active_) {
      active_ = false;
      f_();
    }
  }

 private:
  F f_;
  bool active_ = true;
};

}  // namespace ocelot
