// TfrmDrawRect: rectangle selection on a frozen picture.
#include "capture/frm_draw_rect.h"

#include "capture/screen_grab.h"
#include "win/dib.h"
#include "win/gdi.h"
#include "win/wait.h"

namespace ocelot::capture {

void TfrmDrawRect::OnCreated() {
  // The picture the caller put on the clipboard; the screen itself when there is none.
  win::ScopedBitmap picture;
  if (auto image = win::ImageFromClipboard(clipboard_owner())) picture.reset(win::CreateBitmapFromImage(*image));
  if (!picture) {
    const RECT screen = FullScreenRect();
    picture = CreateGrabBitmap(screen.right, screen.bottom);
    if (picture) GrabScreenRect(picture.get(), screen);
  }
  Freeze(std::move(picture));
}

void TfrmDrawRect::DrawShape(HDC dc, const RECT& between) {
  Rectangle(dc, between.left, between.top, between.right, between.bottom);
}

void TfrmDrawRect::OnDragEnded(POINT start, POINT end) {
  if (start.x == end.x || start.y == end.y) {
    win::EmptyTheClipboard(clipboard_owner());
    RestoreCursor();
    Close();
    return;
  }
  const ScreenRect r = NormalizeRect(start.x, start.y, end.x, end.y);
  DrawFinalOutline(ToRECT(r));
  win::PumpMessages();
  if (auto cut = CreateGrabBitmap(r.Width(), r.Height()); cut && picture_dc()) {
    {
      win::WindowDC screen(nullptr);
      win::MemoryDC mem(screen.get());
      win::SelectedObject keep(mem.get(), cut.get());
      BitBlt(mem.get(), 0, 0, r.Width(), r.Height(), picture_dc(), r.left, r.top, SRCCOPY);
    }
    if (auto image = win::ImageFromBitmap(cut.get()))
      win::PutImageOnClipboard(clipboard_owner(), *image);
  }
  WriteRepeatRect(working_folder(), r);
  RestoreCursor();
  Close();
}

}  // namespace ocelot::capture
