// Selection overlay: creation, the modal loop and the drag.
#include "capture/selection_overlay.h"

#include <windowsx.h>

#include <algorithm>

#include "capture/screen_grab.h"
#include "win/gdi.h"

namespace ocelot::capture {

RECT BandRect(POINT a, POINT b) {
  const ScreenRect r = NormalizeRect(a.x, a.y, b.x, b.y);
  return ToRECT(r);
}

SelectionOverlay::SelectionOverlay(HWND clipboard_owner, std::string working_folder)
    : clipboard_owner_(clipboard_owner), working_folder_(std::move(working_folder)) {}

SelectionOverlay::~SelectionOverlay() {
  if (dragging_) ReleaseCapture();
}

bool SelectionOverlay::CreateOverlay(const char* class_name) {
  const SIZE screen = ScreenSize();
  // Not owned by the main window: the program is minimized, and a minimized owner hides
  // the windows it owns.
  if (!Create(class_name, "", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 0, 0, screen.cx, screen.cy, nullptr,
              nullptr, nullptr))
    return false;
  OnCreated();
  return true;
}

void SelectionOverlay::ShowModal() {
  if (!hwnd() && !CreateOverlay(ClassName())) return;
  const bool owner_was_enabled = clipboard_owner_ && IsWindowEnabled(clipboard_owner_);
  if (owner_was_enabled) EnableWindow(clipboard_owner_, FALSE);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  UpdateWindow(hwnd());
  MSG msg;
  while (!closed_) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the main loop still sees it
      break;
    }
    if (got < 0) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (owner_was_enabled) EnableWindow(clipboard_owner_, TRUE);
  Close();
}

bool SelectionOverlay::ShowWithoutSelecting() {
  if (!hwnd() && !CreateOverlay(ClassName())) return false;
  selecting_ = false;
  ShowWindow(hwnd(), SW_SHOWNA);
  UpdateWindow(hwnd());
  return true;
}

void SelectionOverlay::Close() {
  closed_ = true;
  if (dragging_) {
    dragging_ = false;
    ReleaseCapture();
  }
  if (hwnd()) DestroyWindow(hwnd());
}

void SelectionOverlay::RestoreCursor() {
  selecting_ = false;
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

POINT SelectionOverlay::Clamped(LPARAM lp) const {
  // With the mouse captured, positions beyond the window arrive too; the window covers
  // the screen, so its client coordinates are screen coordinates.
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int x = std::clamp(GET_X_LPARAM(lp), 0, static_cast<int>(std::max(client.right - 1, 0L)));
  const int y = std::clamp(GET_Y_LPARAM(lp), 0, static_cast<int>(std::max(client.bottom - 1, 0L)));
  return POINT{x, y};
}

void SelectionOverlay::MoveBandTo(POINT at) {
  if (band_drawn_) DrawBand(BandRect(start_, current_));
  current_ = at;
  DrawBand(BandRect(start_, current_));
  band_drawn_ = true;
}

void SelectionOverlay::OnButtonDown(POINT at) {
  SetCapture(hwnd());
  dragging_ = true;
  band_drawn_ = false;
  start_ = current_ = at;
}

void SelectionOverlay::OnMouseMove(POINT at) {
  if (!dragging_ || (at.x == current_.x && at.y == current_.y && band_drawn_)) return;
  MoveBandTo(at);
}

void SelectionOverlay::OnButtonUp(POINT at) {
  if (!dragging_) return;
  dragging_ = false;
  ReleaseCapture();
  if (!band_drawn_ || at.x != current_.x || at.y != current_.y) MoveBandTo(at);
  try {
    OnDragEnded(start_, at);
  } catch (...) {
    Close();  // the error reaches the standard error box; the selection is over
    throw;
  }
}

LRESULT SelectionOverlay::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursor(nullptr, selecting_ ? IDC_CROSS : IDC_ARROW));
      return TRUE;
    case WM_ERASEBKGND:
      return 1;  // the frozen picture covers everything; the blank overlay paints nothing
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      OnPaint(dc.get());
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (selecting_) OnButtonDown(Clamped(lp));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(Clamped(lp));
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(Clamped(lp));
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = dragging_ && reinterpret_cast<HWND>(lp) == hwnd();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_ACTIVATE;
    case WM_CLOSE:
      return 0;  // only a drag or a click ends the selection
    case WM_DESTROY:
      closed_ = true;
      return 0;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace ocelot::capture
