// TfrmBlank: selection on the live screen.
#include "capture/frm_blank.h"

#include "capture/gdi_guards.h"
#include "capture/screen_grab.h"
#include "win/dib.h"

namespace ocelot::capture {

void TfrmBlank::DrawBand(const RECT& between) {
  WindowDC dc(hwnd());
  DrawFocusRect(dc.get(), &between);
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
