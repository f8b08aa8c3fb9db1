// Tiny RAII owners for Win32 handles, one per release rule.
#pragma once

#include <windows.h>

#include <utility>

namespace ocelot::win {

template <typename H, auto Release, H Invalid>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(H h) : h_(h) {}
  ~Scoped() { reset(); }
  Scoped(Scoped&& o) noexcept : h_(std::exchange(o.h_, Invalid)) {}
  Scoped& operator=(Scoped&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, Invalid);
    }
    return *this;
  }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;

  H get() const { return h_; }
  explicit operator bool() const { return h_ != Invalid; }
  H release() { return std::exchange(h_, Invalid); }
  void reset(H h = Invalid) {
    if (h_ != Invalid) Release(h_);
    h_ = h;
  }
  // For a call that hands the handle back through a pointer: what was held goes first.
  H* put() {
    reset();
    return &h_;
  }

 private:
  H h_ = Invalid;
};

inline void CloseHandleRule(HANDLE h) { ::CloseHandle(h); }
inline void DeleteObjectRule(HGDIOBJ h) { ::DeleteObject(h); }
inline void DestroyMenuRule(HMENU h) { ::DestroyMenu(h); }
inline void DestroyIconRule(HICON h) { ::DestroyIcon(h); }
inline void FreeLibraryRule(HMODULE h) { ::FreeLibrary(h); }
inline void RegCloseKeyRule(HKEY h) { ::RegCloseKey(h); }

using ScopedHandle = Scoped<HANDLE, CloseHandleRule, nullptr>;
// Any GDI object; the typed owners of win/gdi.h keep the handle's own type.
using ScopedGdiObject = Scoped<HGDIOBJ, DeleteObjectRule, nullptr>;
using ScopedMenu = Scoped<HMENU, DestroyMenuRule, nullptr>;
using ScopedIcon = Scoped<HICON, DestroyIconRule, nullptr>;
using ScopedModule = Scoped<HMODULE, FreeLibraryRule, nullptr>;
using ScopedRegKey = Scoped<HKEY, RegCloseKeyRule, nullptr>;

}  // namespace ocelot::win
