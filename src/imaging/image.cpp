// Image: storage and the small queries every other imaging file relies on.
#include "imaging/image.h"

#include <stdexcept>

namespace ocelot::imaging {

int BitsPerPixel(PixelFormat format) {
  switch (format) {
    case PixelFormat::BlackWhite: return 1;
    case PixelFormat::Gray16:
    case PixelFormat::Colour16: return 4;
    case PixelFormat::Gray256:
    case PixelFormat::Colour256: return 8;
    case PixelFormat::TrueColour: return 24;
  }
  return 24;
}

int PaletteCapacity(PixelFormat format) {
  return format == PixelFormat::TrueColour ? 0 : 1 << BitsPerPixel(format);
}

bool IsIndexed(PixelFormat format) { return format != PixelFormat::TrueColour; }

bool IsGray(PixelFormat format) {
  return format == PixelFormat::Gray16 || format == PixelFormat::Gray256;
}

Image::Image(int width, int height, PixelFormat format) : format_(format) {
  if (width < 0 || height < 0) throw std::invalid_argument("negative image size");
  const std::size_t bpp = format == PixelFormat::TrueColour ? 3 : 1;
  if (width != 0 && static_cast<std::size_t>(height) > kMaxPixelBytes / bpp / static_cast<std::size_t>(width))
    throw std::length_error("image too large");
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bpp, 0);
  if (IsGray(format) || format == PixelFormat::BlackWhite) palette_ = GrayPalette(format);
}

Rgb Image::PixelColour(int x, int y) const {
  const std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * BytesPerPixel();
  if (format_ == PixelFormat::TrueColour) return Rgb{p[2], p[1], p[0]};
  return *p < palette_.size() ? palette_[*p] : Rgb{};
}

std::vector<Rgb> GrayPalette(PixelFormat format) {
  const int n = format == PixelFormat::BlackWhite ? 2 : format == PixelFormat::Gray16 ? 16 : 256;
  std::vector<Rgb> pal(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const auto v = static_cast<std::uint8_t>(i * 255 / (n - 1));
    pal[static_cast<std::size_t>(i)] = Rgb{v, v, v};
  }
  return pal;
}

}  // namespace ocelot::imaging
