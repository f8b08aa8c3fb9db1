// TfrmDrawCircle: ellipse selection.
#include "capture/frm_draw_circle.h"

#include "capture/screen_grab.h"
#include "win/dib.h"
#include "win/wait.h"

namespace ocelot::capture {

void TfrmDrawCircle::OnCreated() {
  const RECT screen = FullScreenRect();
  auto picture = CreateGrabBitmap(screen.right, screen.bottom);
  if (picture) GrabScreenRect(picture.get(), screen);
  Freeze(std::move(picture));
}

void TfrmDrawCircle::DrawShape(HDC dc, const RECT& between) {
  Ellipse(dc, between.left, between.top, between.right, between.bottom);
}

void TfrmDrawCircle::OnDragEnded(POINT start, POINT end) {
  if (start.x == end.x || start.y == end.y) {
    win::EmptyTheClipboard(clipboard_owner());
    RestoreCursor();
    Close();
    return;
  }
  const ScreenRect r = NormalizeRect(start.x, start.y, end.x, end.y);
  DrawFinalOutline(ToRECT(r));
  win::PumpMessages();
  // From the screen, which now shows this overlay with the ellipse's outline.
  if (auto grab = CreateGrabBitmap(r.Width(), r.Height())) {
    GrabScreenRect(grab.get(), ToRECT(r));
    if (auto cut = EllipseCutOut(grab.get(), r.Width(), r.Height()))
      win::PutImageOnClipboard(clipboard_owner(), *cut);
  }
  WriteRepeatRect(working_folder(), r);
  RestoreCursor();
  Close();
}

}  // namespace ocelot::capture
