// Image <-> DIB conversion and clipboard bitmaps.
#include "win/dib.h"

#include <cstring>
#include <span>

#include "common/error.h"
#include "imaging/codec_bmp.h"
#include "imaging/convert.h"

namespace ocelot::win {

using imaging::Image;
using imaging::PixelFormat;

namespace {
std::size_t PaddedStride(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4; }

int DibBits(const Image& image) { return image.Format() == PixelFormat::TrueColour ? 24 : 8; }

void FillHeader(const Image& image, BITMAPINFOHEADER& h, bool top_down) {
  h = BITMAPINFOHEADER{};
  h.biSize = sizeof h;
  h.biWidth = image.Width();
  h.biHeight = top_down ? -image.Height() : image.Height();
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(DibBits(image));
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<DWORD>(PaddedStride(image.Width(), h.biBitCount) * image.Height());
  h.biClrUsed = h.biBitCount == 8 ? static_cast<DWORD>(image.Palette().size()) : 0;
  if (image.Dpi().x > 0) h.biXPelsPerMeter = static_cast<LONG>(image.Dpi().x / 0.0254 + 0.5);
  if (image.Dpi().y > 0) h.biYPelsPerMeter = static_cast<LONG>(image.Dpi().y / 0.0254 + 0.5);
}

void WritePalette(const Image& image, RGBQUAD* out) {
  for (std::size_t i = 0; i < image.Palette().size() && i < 256; ++i) {
    const auto& c = image.Palette()[i];
    out[i] = RGBQUAD{c.b, c.g, c.r, 0};
  }
}

void CopyRowsOut(const Image& image, std::uint8_t* bits, bool top_down) {
  const std::size_t stride = PaddedStride(image.Width(), DibBits(image));
  for (int y = 0; y < image.Height(); ++y) {
    const int dib_row = top_down ? y : image.Height() - 1 - y;
    std::memcpy(bits + stride * static_cast<std::size_t>(dib_row), image.Row(y), image.Stride());
  }
}
}  // namespace

namespace {
std::size_t PackedDibSize(const Image& image, BITMAPINFOHEADER& h) {
  FillHeader(image, h, false);
  return sizeof h + h.biClrUsed * sizeof(RGBQUAD) + h.biSizeImage;
}

// Header, palette and rows into memory of PackedDibSize bytes.
void WritePackedDib(const Image& image, const BITMAPINFOHEADER& h, std::uint8_t* out) {
  std::memcpy(out, &h, sizeof h);
  WritePalette(image, reinterpret_cast<RGBQUAD*>(out + sizeof h));
  std::uint8_t* bits = out + sizeof h + h.biClrUsed * sizeof(RGBQUAD);
  // Row padding must not carry stale bytes.
  const std::size_t stride = PaddedStride(image.Width(), h.biBitCount);
  if (stride != image.Stride())
    for (int y = 0; y < image.Height(); ++y) std::memset(bits + stride * static_cast<std::size_t>(y) + image.Stride(), 0, stride - image.Stride());
  CopyRowsOut(image, bits, false);
}
}  // namespace

std::vector<std::uint8_t> PackedDibFromImage(const Image& image) {
  BITMAPINFOHEADER h;
  std::vector<std::uint8_t> out(PackedDibSize(image, h));
  WritePackedDib(image, h, out.data());
  return out;
}

std::optional<Image> ImageFromPackedDib(const std::uint8_t* dib, std::size_t size) {
  if (dib == nullptr) return std::nullopt;
  try {
    Image image = imaging::DecodePackedDib(std::span<const std::uint8_t>(dib, size));
    if (image.Format() == PixelFormat::TrueColour) return image;
    return imaging::ToTrueColour(image);
  } catch (const Error&) {  // another program's data: refused, never trusted
    return std::nullopt;
  }
}

HBITMAP CreateBitmapFromImage(const Image& image) {
  if (image.Empty()) return nullptr;
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colours[256];
  } info{};
  FillHeader(image, info.h, true);
  WritePalette(image, info.colours);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp || !bits) return bmp;
  CopyRowsOut(image, static_cast<std::uint8_t*>(bits), true);
  GdiFlush();
  return bmp;
}

std::optional<Image> ImageFromBitmap(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return std::nullopt;
  Image out;
  try {
    out = Image(bm.bmWidth, bm.bmHeight, PixelFormat::TrueColour);
  } catch (...) {
    return std::nullopt;
  }
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = bm.bmWidth;
  h.biHeight = -bm.bmHeight;
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  const std::size_t stride = PaddedStride(bm.bmWidth, 24);
  std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(bm.bmHeight));
  HDC dc = GetDC(nullptr);
  const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight), bits.data(), reinterpret_cast<BITMAPINFO*>(&h),
                             DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (rows != bm.bmHeight) return std::nullopt;
  for (int y = 0; y < bm.bmHeight; ++y) std::memcpy(out.Row(y), bits.data() + stride * static_cast<std::size_t>(y), out.Stride());
  return out;
}

HPALETTE CreatePaletteForImage(const Image& image) {
  struct {
    WORD version;
    WORD count;
    PALETTEENTRY entries[256];
  } pal{0x300, 0, {}};
  if (image.Format() != PixelFormat::TrueColour) {
    for (const auto& c : image.Palette()) {
      if (pal.count == 256) break;
      pal.entries[pal.count++] = PALETTEENTRY{c.r, c.g, c.b, 0};
    }
  } else {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b)
          pal.entries[pal.count++] = PALETTEENTRY{static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51),
                                                  static_cast<BYTE>(b * 51), 0};
    for (int i = 1; i <= 20; ++i) {
      const auto v = static_cast<BYTE>(i * 12);
      pal.entries[pal.count++] = PALETTEENTRY{v, v, v, 0};
    }
  }
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&pal));
}

bool EmptyTheClipboard(HWND owner) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  CloseClipboard();
  return true;
}

bool PutImageOnClipboard(HWND owner, const Image& image) {
  BITMAPINFOHEADER h;
  const std::size_t size = PackedDibSize(image, h);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!mem) return false;
  WritePackedDib(image, h, static_cast<std::uint8_t*>(GlobalLock(mem)));
  GlobalUnlock(mem);
  if (!OpenClipboard(owner)) {
    GlobalFree(mem);
    return false;
  }
  EmptyClipboard();
  const bool ok = SetClipboardData(CF_DIB, mem) != nullptr;
  CloseClipboard();
  if (!ok) GlobalFree(mem);
  return ok;
}

std::optional<Image> ImageFromClipboard(HWND owner) {
  if (!OpenClipboard(owner)) return std::nullopt;
  std::optional<Image> out;
  if (HANDLE h = GetClipboardData(CF_DIB)) {
    const auto* p = static_cast<const std::uint8_t*>(GlobalLock(h));
    if (p) out = ImageFromPackedDib(p, GlobalSize(h));
    GlobalUnlock(h);
  }
  CloseClipboard();
  return out;
}

}  // namespace ocelot::win
