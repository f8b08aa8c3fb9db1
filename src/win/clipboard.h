// OpenClipboard/CloseClipboard for a scope.
#pragma once

#include <windows.h>

namespace ocelot::win {

// Opens the clipboard for the owner window (nullptr: this task); closes it on leaving if
// it opened. It does not open while another window holds it.
class ScopedClipboard {
 public:
  explicit ScopedClipboard(HWND owner) : opened_(OpenClipboard(owner) != FALSE) {}
  ~ScopedClipboard() {
    if (opened_) CloseClipboard();
  }
  ScopedClipboard(const ScopedClipboard&) = delete;
  ScopedClipboard& operator=(const ScopedClipboard&) = delete;

  bool opened() const { return opened_; }

 private:
  bool opened_;
};

}  // namespace ocelot::win
