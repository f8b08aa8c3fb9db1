// FrozenOverlay: the frozen picture and its band.
#include "capture/frozen_overlay.h"

#include "capture/gdi_guards.h"

namespace ocelot::capture {

FrozenOverlay::~FrozenOverlay() {
  if (picture_dc_) {
    SelectObject(picture_dc_, old_bitmap_);
    DeleteDC(picture_dc_);
  }
}

void FrozenOverlay::Freeze(win::ScopedGdiObject picture) {
  picture_ = std::move(picture);
  if (!picture_) return;
  WindowDC screen(nullptr);
  picture_dc_ = CreateCompatibleDC(screen.get());
  old_bitmap_ = SelectObject(picture_dc_, picture_.get());
}

void FrozenOverlay::OnPaint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (picture_dc_)
    BitBlt(dc, 0, 0, client.right, client.bottom, picture_dc_, 0, 0, SRCCOPY);
  else
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void FrozenOverlay::DrawOnBoth(const RECT& between, int rop2) {
  WindowDC window(hwnd());
  for (HDC dc : {window.get(), picture_dc_}) {
    if (!dc) continue;
    const int old_rop = SetROP2(dc, rop2);
    Selected pen(dc, GetStockObject(BLACK_PEN));
    Selected brush(dc, GetStockObject(NULL_BRUSH));
    DrawShape(dc, between);
    SetROP2(dc, old_rop);
  }
  GdiFlush();
}

void FrozenOverlay::DrawBand(const RECT& between) { DrawOnBoth(between, R2_NOTXORPEN); }

void FrozenOverlay::DrawFinalOutline(const RECT& between) { DrawOnBoth(between, R2_COPYPEN); }

}  // namespace ocelot::capture
