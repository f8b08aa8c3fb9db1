// Screen grabs, the pointer drawn into a capture, and the view's image from the clipboard.
#include "capture/screen_grab.h"

#include <cstring>

#include "capture/border_trim.h"
#include "capture/frm_blank.h"
#include "win/dib.h"
#include "win/gdi.h"
#include "win/wait.h"

namespace ocelot::capture {

namespace {
// A logical palette holding the system palette's current entries.
HPALETTE CreateScreenPalette(HDC screen) {
  struct {
    WORD version;
    WORD count;
    PALETTEENTRY entries[256];
  } pal{0x300, 256, {}};
  const UINT n = GetSystemPaletteEntries(screen, 0, 256, pal.entries);
  if (n == 0) return nullptr;
  pal.count = static_cast<WORD>(n);
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&pal));
}
}  // namespace

SIZE ScreenSize() {
  win::WindowDC screen(nullptr);
  return SIZE{GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), VERTRES)};
}

RECT FullScreenRect() {
  const SIZE s = ScreenSize();
  return RECT{0, 0, s.cx, s.cy};
}

bool ScreenHasPalette() {
  win::WindowDC screen(nullptr);
  return GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES) <= 8;
}

RECT ToRECT(const ScreenRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
ScreenRect FromRECT(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

win::ScopedBitmap CreateGrabBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::ScopedBitmap bmp(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp || !bits) return {};
  const std::size_t stride = ((static_cast<std::size_t>(width) * 24 + 31) / 32) * 4;
  std::memset(bits, 0xFF, stride * static_cast<std::size_t>(height));
  return bmp;
}

void GrabScreenRect(HBITMAP bitmap, const RECT& rect) {
  win::WindowDC screen(nullptr);
  win::MemoryDC mem(screen.get());
  win::SelectedObject keep_bitmap(mem.get(), bitmap);
  // Deselected from both DCs before it is deleted.
  win::ScopedPalette palette(ScreenHasPalette() ? CreateScreenPalette(screen.get()) : nullptr);
  win::SelectedPalette screen_palette(screen.get(), palette.get());
  if (palette) RealizePalette(screen.get());
  win::SelectedPalette mem_palette(mem.get(), palette.get());
  if (palette) RealizePalette(mem.get());
  BitBlt(mem.get(), 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen.get(), rect.left, rect.top,
         SRCCOPY | CAPTUREBLT);
}

std::optional<imaging::Image> GrabScreenImage(const RECT& rect) {
  auto bmp = CreateGrabBitmap(rect.right - rect.left, rect.bottom - rect.top);
  if (!bmp) return std::nullopt;
  GrabScreenRect(bmp.get(), rect);
  return win::ImageFromBitmap(bmp.get());
}

void DrawMousePointer() {
  win::ScopedBitmap pointer(LoadBitmapA(GetModuleHandleA(nullptr), "MOUSEPOINTER"));
  if (pointer) DrawMousePointer(pointer.get());
}

void DrawMousePointer(HBITMAP pointer) {
  BITMAP bm{};
  if (!pointer || !GetObjectA(pointer, sizeof bm, &bm)) return;
  POINT at{};
  if (!GetCursorPos(&at)) return;
  win::WindowDC screen(nullptr);
  win::MemoryDC mem(screen.get());
  win::SelectedObject keep(mem.get(), pointer);
  const COLORREF transparent = GetPixel(mem.get(), 5, 2);
  TransparentBlt(screen.get(), at.x, at.y, bm.bmWidth, bm.bmHeight, mem.get(), 0, 0, bm.bmWidth, bm.bmHeight,
                 transparent);
  GdiFlush();
}

void RepaintScreen(bool include_mouse_cursor) {
  if (!include_mouse_cursor) return;
  TfrmBlank blank;
  if (!blank.ShowWithoutSelecting()) return;
  win::WaitSeconds(1);
  blank.Close();
}

bool ClipboardHasBitmap() {
  return IsClipboardFormatAvailable(CF_DIB) || IsClipboardFormatAvailable(CF_BITMAP) ||
         IsClipboardFormatAvailable(CF_DIBV5);
}

void LoadCaptureIntoView(CaptureHost& host, const RECT& rect) {
  if (!host.ViewEmpty()) {
    if (auto grab = GrabScreenImage(rect)) win::PutImageOnClipboard(host.Owner(), *grab);
  }
  LoadClipboardIntoView(host);
}

void LoadClipboardIntoView(CaptureHost& host) {
  if (auto image = win::ImageFromClipboard(host.Owner())) host.SetViewImage(std::move(*image));
  host.SetViewZoom100();
}

void TrimBorder(CaptureHost& host) {
  if (host.ViewEmpty()) return;
  const auto& image = host.ViewImage();
  if (image.Width() > 4 && image.Height() > 4) host.SetViewImage(TrimmedBorder(image));
}

std::optional<imaging::Image> EllipseCutOut(HBITMAP grab, int width, int height) {
  auto out = CreateGrabBitmap(width, height);
  if (!out) return std::nullopt;
  {
    win::WindowDC screen(nullptr);
    win::MemoryDC src(screen.get());
    win::MemoryDC dst(screen.get());
    win::SelectedObject keep_src(src.get(), grab);
    win::SelectedObject keep_dst(dst.get(), out.get());
    win::ScopedRegion region(CreateEllipticRgn(1, 1, width - 1, height - 1));
    SelectClipRgn(dst.get(), region.get());
    BitBlt(dst.get(), 0, 0, width, height, src.get(), 0, 0, SRCCOPY);
    SelectClipRgn(dst.get(), nullptr);
  }
  return win::ImageFromBitmap(out.get());
}

}  // namespace ocelot::capture
