// FrozenOverlay: the frozen picture and its band.
#include "capture/frozen_overlay.h"

namespace ocelot::capture {

void FrozenOverlay::Freeze(win::ScopedBitmap picture) {
  picture_selected_.reset();
  picture_dc_.reset();
  picture_ = std::move(picture);
  if (!picture_) return;
  win::WindowDC screen(nullptr);
  picture_dc_ = win::MemoryDC(screen.get());
  if (picture_dc_) picture_selected_.emplace(picture_dc_.get(), picture_.get());
}

void FrozenOverlay::OnPaint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (picture_dc_)
    BitBlt(dc, 0, 0, client.right, client.bottom, picture_dc_.get(), 0, 0, SRCCOPY);
  else
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void FrozenOverlay::DrawOnBoth(const RECT& between, int rop2) {
  win::WindowDC window(hwnd());
  for (HDC dc : {window.get(), picture_dc_.get()}) {
    if (!dc) continue;
    const int old_rop = SetROP2(dc, rop2);
    win::SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    win::SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
    DrawShape(dc, between);
    SetROP2(dc, old_rop);
  }
  GdiFlush();
}

void FrozenOverlay::DrawBand(const RECT& between) { DrawOnBoth(between, R2_NOTXORPEN); }

void FrozenOverlay::DrawFinalOutline(const RECT& between) { DrawOnBoth(between, R2_COPYPEN); }

}  // namespace ocelot::capture
