// The grabs of modes 0 to 6.
#include "capture/grabs.h"

#include "capture/frm_blank.h"
#include "capture/frm_draw_circle.h"
#include "capture/frm_draw_rect.h"
#include "capture/repeat_rect.h"
#include "capture/screen_grab.h"
#include "win/dib.h"
#include "win/wait.h"

namespace ocelot::capture {

namespace {
bool Readable(const RECT& r) { return r.right > r.left && r.bottom > r.top; }

// The foreground window's rectangle with its frame, or the full screen when it cannot be
// read (no window, or an empty rectangle such as a minimized window's).
RECT ActiveWindowRect(HWND foreground) {
  RECT r{};
  if (foreground && IsWindow(foreground) && GetWindowRect(foreground, &r) && Readable(r)) return r;
  return FullScreenRect();
}

// The foreground window's client area in screen coordinates, or the full screen.
RECT ActiveClientRect(HWND foreground) {
  RECT r{};
  if (foreground && IsWindow(foreground) && GetClientRect(foreground, &r) && Readable(r)) {
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    if (ClientToScreen(foreground, &corners[0]) && ClientToScreen(foreground, &corners[1]))
      return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  }
  return FullScreenRect();
}

// Modes 0, 1 and 2: the pointer if asked, the grab onto the clipboard and into the view,
// and the screen repainted.
void GrabPlainRect(CaptureHost& host, const GrabOptions& options, RECT (*which)(HWND)) {
  if (options.include_mouse_cursor) DrawMousePointer();
  const RECT rect = which(options.foreground);
  if (auto grab = GrabScreenImage(rect)) win::PutImageOnClipboard(host.Owner(), *grab);
  LoadCaptureIntoView(host, rect);
  RepaintScreen(options.include_mouse_cursor);
}

RECT FullScreenOf(HWND) { return FullScreenRect(); }

// The clipboard's picture into the view without its border, and back onto the clipboard.
void TrimmedIntoViewAndClipboard(CaptureHost& host) {
  if (!ClipboardHasBitmap()) return;
  auto image = win::ImageFromClipboard(host.Owner());
  if (!image) return;
  host.SetViewImage(std::move(*image));
  TrimBorder(host);
  win::PumpMessages();
  win::PutImageOnClipboard(host.Owner(), host.ViewImage());
}

void GrabDrawnRect(CaptureHost& host) {
  if (auto screen = GrabScreenImage(FullScreenRect())) win::PutImageOnClipboard(host.Owner(), *screen);
  {
    TfrmDrawRect overlay(host.Owner(), host.WorkingFolder());
    overlay.ShowModal();
  }
  host.MinimizeApplication();
  TrimmedIntoViewAndClipboard(host);
}

void GrabRepeatRect(CaptureHost& host) {
  if (RepeatRectExists(host.WorkingFolder())) {
    const ScreenRect remembered = ReadRepeatRect(host.WorkingFolder());
    const ScreenRect r = NormalizeRect(remembered.left, remembered.top, remembered.right, remembered.bottom);
    if (r.Empty()) {
      win::EmptyTheClipboard(host.Owner());
      return;
    }
    LoadCaptureIntoView(host, ToRECT(r));
    if (auto grab = GrabScreenImage(ToRECT(r))) win::PutImageOnClipboard(host.Owner(), *grab);
  } else {
    {
      TfrmBlank overlay(host.Owner(), host.WorkingFolder());
      overlay.ShowModal();
    }
    host.MinimizeApplication();
  }
  TrimmedIntoViewAndClipboard(host);
}

void RunCircleOverlay(CaptureHost& host) {
  {
    TfrmDrawCircle overlay(host.Owner(), host.WorkingFolder());
    overlay.ShowModal();
  }
  host.MinimizeApplication();
}

void GrabDrawnCircle(CaptureHost& host) {
  RunCircleOverlay(host);
  if (ClipboardHasBitmap()) LoadClipboardIntoView(host);
}

void GrabRepeatCircle(CaptureHost& host) {
  if (RepeatRectExists(host.WorkingFolder())) {
    const ScreenRect remembered = ReadRepeatRect(host.WorkingFolder());
    const ScreenRect r = NormalizeRect(remembered.left, remembered.top, remembered.right, remembered.bottom);
    auto grab = CreateGrabBitmap(r.Width(), r.Height());
    if (!grab) {
      win::EmptyTheClipboard(host.Owner());
      return;
    }
    GrabScreenRect(grab.get(), ToRECT(r));
    if (auto cut = EllipseCutOut(grab.get(), r.Width(), r.Height()))
      win::PutImageOnClipboard(host.Owner(), *cut);
    win::PumpMessages();
  } else {
    RunCircleOverlay(host);
  }
  TrimmedIntoViewAndClipboard(host);
}
}  // namespace

bool RunGrab(int mode, CaptureHost& host, const GrabOptions& options) {
  if (options.auto_capture) {
    if (mode == 3 || mode == 5 || mode == 6) return false;
    if (mode == 4 && !RepeatRectExists(host.WorkingFolder())) return false;
  }
  switch (mode) {
    case 0: GrabPlainRect(host, options, &FullScreenOf); break;
    case 1: GrabPlainRect(host, options, &ActiveWindowRect); break;
    case 2: GrabPlainRect(host, options, &ActiveClientRect); break;
    case 3: GrabDrawnRect(host); break;
    case 4: GrabRepeatRect(host); break;
    case 5: GrabDrawnCircle(host); break;
    case 6: GrabRepeatCircle(host); break;
    default: return false;
  }
  return ClipboardHasBitmap();
}

}  // namespace ocelot::capture
