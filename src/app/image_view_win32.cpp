// ImageView: drawing the current image.
#include "app/image_view.h"

#include <algorithm>

#include "win/dib.h"

namespace ocelot::app {

namespace {
const COLORREF kBackground = RGB(128, 128, 128);
}

bool ImageView::CreateChild(HWND parent, int id) {
  return Create(kImageViewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE, 0, 0, 10, 10, parent,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr);
}

void ImageView::Show(const imaging::Image* image) {
  image_ = image && !image->Empty() ? image : nullptr;
  Rebuild();
  Repaint();
}

void ImageView::SetZoom(int percent) {
  zoom_ = std::clamp(percent, 1, 10000);
  Repaint();
}

void ImageView::Repaint() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

bool ImageView::RealizeImagePalette() {
  if (!palette_display_ || !palette_ || !hwnd()) return false;
  HDC dc = GetDC(hwnd());
  HPALETTE old = SelectPalette(dc, static_cast<HPALETTE>(palette_.get()), FALSE);
  const UINT changed = RealizePalette(dc);
  SelectPalette(dc, old, FALSE);
  ReleaseDC(hwnd(), dc);
  if (changed) Repaint();
  return changed != 0;
}

void ImageView::Rebuild() {
  bitmap_.reset(image_ ? win::CreateBitmapFromImage(*image_) : nullptr);
  palette_.reset(image_ ? win::CreatePaletteForImage(*image_) : nullptr);
}

void ImageView::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  RECT client;
  GetClientRect(hwnd(), &client);
  const int cw = client.right, ch = client.bottom;
  // Drawn off screen first, so a repaint never flickers.
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP back = CreateCompatibleBitmap(dc, std::max(cw, 1), std::max(ch, 1));
  HGDIOBJ old_back = SelectObject(mem, back);
  HPALETTE old_pal_dc = nullptr, old_pal_mem = nullptr;
  if (palette_display_ && palette_) {
    // The image's colours go into the system palette before anything is drawn.
    old_pal_dc = SelectPalette(dc, static_cast<HPALETTE>(palette_.get()), FALSE);
    RealizePalette(dc);
    old_pal_mem = SelectPalette(mem, static_cast<HPALETTE>(palette_.get()), FALSE);
    RealizePalette(mem);
  }
  HBRUSH grey = CreateSolidBrush(kBackground);
  FillRect(mem, &client, grey);
  DeleteObject(grey);

  if (bitmap_ && image_) {
    const long long w = image_->Width(), h = image_->Height();
    const long long dw = std::max<long long>(1, w * zoom_ / 100), dh = std::max<long long>(1, h * zoom_ / 100);
    // Centred while smaller than the view, else from the top-left corner.
    const long long ox = dw < cw ? (cw - dw) / 2 : 0, oy = dh < ch ? (ch - dh) / 2 : 0;
    // The visible part of the scaled image, mapped back to source pixels.
    const long long vx0 = std::max<long long>(0, -ox), vy0 = std::max<long long>(0, -oy);
    const long long vx1 = std::min(dw, cw - ox), vy1 = std::min(dh, ch - oy);
    if (vx1 > vx0 && vy1 > vy0) {
      const long long sx0 = vx0 * w / dw, sy0 = vy0 * h / dh;
      const long long sx1 = std::min(w, (vx1 * w + dw - 1) / dw), sy1 = std::min(h, (vy1 * h + dh - 1) / dh);
      const long long dx0 = ox + sx0 * dw / w, dy0 = oy + sy0 * dh / h;
      const long long dx1 = ox + sx1 * dw / w, dy1 = oy + sy1 * dh / h;
      HDC src = CreateCompatibleDC(dc);
      HGDIOBJ old_src = SelectObject(src, bitmap_.get());
      if (zoom_ == 100) {
        BitBlt(mem, static_cast<int>(dx0), static_cast<int>(dy0), static_cast<int>(dx1 - dx0),
               static_cast<int>(dy1 - dy0), src, static_cast<int>(sx0), static_cast<int>(sy0), SRCCOPY);
      } else {
        SetStretchBltMode(mem, HALFTONE);
        SetBrushOrgEx(mem, 0, 0, nullptr);
        StretchBlt(mem, static_cast<int>(dx0), static_cast<int>(dy0), static_cast<int>(dx1 - dx0),
                   static_cast<int>(dy1 - dy0), src, static_cast<int>(sx0), static_cast<int>(sy0),
                   static_cast<int>(sx1 - sx0), static_cast<int>(sy1 - sy0), SRCCOPY);
      }
      SelectObject(src, old_src);
      DeleteDC(src);
    }
  }
  BitBlt(dc, 0, 0, cw, ch, mem, 0, 0, SRCCOPY);
  if (old_pal_mem) SelectPalette(mem, old_pal_mem, FALSE);
  if (old_pal_dc) SelectPalette(dc, old_pal_dc, FALSE);
  SelectObject(mem, old_back);
  DeleteObject(back);
  DeleteDC(mem);
  EndPaint(hwnd(), &ps);
}

LRESULT ImageView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Repaint();
      return 0;

    case WM_RBUTTONDOWN:
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace ocelot::app
