// Movable global memory, the currency of the clipboard and the print dialogs: its owner
// and GlobalLock for a scope.
#pragma once

#include <windows.h>

#include <cstddef>

#include "win/scoped.h"

namespace ocelot::win {

inline void GlobalFreeRule(HGLOBAL h) { ::GlobalFree(h); }
// A block we allocated; release() it once a taker (SetClipboardData) owns it.
using ScopedGlobal = Scoped<HGLOBAL, GlobalFreeRule, nullptr>;

// GlobalLock for a scope, as T*; get() is null when the block cannot be locked.
template <typename T>
class GlobalLocked {
 public:
  explicit GlobalLocked(HGLOBAL h) : h_(h), p_(h ? static_cast<T*>(GlobalLock(h)) : nullptr) {}
  ~GlobalLocked() {
    if (p_) GlobalUnlock(h_);
  }
  GlobalLocked(const GlobalLocked&) = delete;
  GlobalLocked& operator=(const GlobalLocked&) = delete;

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  // The block's size in bytes, which may exceed what was asked for.
  std::size_t size() const { return p_ ? GlobalSize(h_) : 0; }

 private:
  HGLOBAL h_;  // not owned
  T* p_;
};

}  // namespace ocelot::win
