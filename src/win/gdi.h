// GDI owners: typed object handles, device contexts, and selections put back on leaving.
#pragma once

#include <windows.h>

#include "win/scoped.h"

namespace ocelot::win {

// Created GDI objects (DeleteObject), each keeping its handle's own type.
using ScopedBitmap = Scoped<HBITMAP, DeleteObjectRule, nullptr>;
using ScopedPalette = Scoped<HPALETTE, DeleteObjectRule, nullptr>;
using ScopedBrush = Scoped<HBRUSH, DeleteObjectRule, nullptr>;
using ScopedPen = Scoped<HPEN, DeleteObjectRule, nullptr>;
using ScopedFont = Scoped<HFONT, DeleteObjectRule, nullptr>;
using ScopedRegion = Scoped<HRGN, DeleteObjectRule, nullptr>;

inline void DeleteDCRule(HDC dc) { ::DeleteDC(dc); }
// A device context we created (CreateDC, CreateCompatibleDC).
using ScopedDC = Scoped<HDC, DeleteDCRule, nullptr>;

// A memory DC compatible with `like` (nullptr: the screen).
class MemoryDC : public ScopedDC {
 public:
  explicit MemoryDC(HDC like) : ScopedDC(CreateCompatibleDC(like)) {}
};

// GetDC for a scope: a window's DC (nullptr: the screen's), released on leaving.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;  // not owned
  HDC dc_;
};

// BeginPaint/EndPaint of one WM_PAINT.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~PaintDC() {
    if (dc_) EndPaint(hwnd_, &ps_);
  }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;

  HDC get() const { return dc_; }
  // The part to repaint, in client coordinates.
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;  // not owned
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// SelectObject for a scope: the DC's previous object goes back in on leaving. Not for
// regions, whose selection copies them and returns no handle (SelectClipRgn).
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;        // not owned
  HGDIOBJ old_;  // not owned: the DC's own
};

// SelectPalette for a scope; nothing happens for a null palette. The previous palette
// goes back in on leaving, with the same background flag.
class SelectedPalette {
 public:
  SelectedPalette(HDC dc, HPALETTE palette, bool background = false)
      : dc_(dc), old_(palette ? SelectPalette(dc, palette, background) : nullptr), background_(background) {}
  ~SelectedPalette() {
    if (old_) SelectPalette(dc_, old_, background_);
  }
  SelectedPalette(const SelectedPalette&) = delete;
  SelectedPalette& operator=(const SelectedPalette&) = delete;

 private:
  HDC dc_;         // not owned
  HPALETTE old_;  // not owned: the DC's own
  bool background_;
};

}  // namespace ocelot::win
