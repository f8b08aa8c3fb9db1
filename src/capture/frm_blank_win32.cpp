// TfrmBlank: selection on the screen as it is.
#include "capture/frm_blank.h"

#include "capture/screen_grab.h"
#include "win/dib.h"
#include "win/gdi.h"

namespace ocelot::capture {

void TfrmBlank::OnCreated() {
  const RECT screen = FullScreenRect();
  auto picture = CreateGrabBitmap(screen.right, screen.bottom);
  if (picture) GrabScreenRect(picture.get(), screen);
  Freeze(std::move(picture));
}

void TfrmBlank::DrawBand(const RECT& between) {
  win::WindowDC dc(hwnd());
  DrawShape(dc.get(), between);
  GdiFlush();
}

void TfrmBlank::OnDragEnded(POINT start, POINT end) {
  const ScreenRect r = NormalizeRect(start.x, start.y, end.x, end.y);
  if (r.Empty()) {
    win::EmptyTheClipboard(clipboard_owner());
  } else {
    // The dotted outline is still drawn and lies on the grab's border.
    if (auto grab = GrabScreenImage(ToRECT(r))) win::PutImageOnClipboard(clipboard_owner(), *grab);
    WriteRepeatRect(working_folder(), r);
    RestoreCursor();
  }
  Sleep(100);
  Close();
}

}  // namespace ocelot::capture
