// Pixel format conversions on top of the quantizer.
#include "imaging/convert.h"

#include <vector>

#include "imaging/quantize.h"

namespace ocelot::imaging {
namespace {

// The 256-gray level of every pixel, through a table for indexed images.
template <class Fn>
Image MapGray(const Image& image, PixelFormat format, Fn&& level_to_index) {
  Image out(image.Width(), image.Height(), format);
  out.Dpi() = image.Dpi();
  auto gray = [](Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; };
  if (image.Format() == PixelFormat::TrueColour) {
    for (int y = 0; y < image.Height(); ++y) {
      const std::uint8_t* p = image.Row(y);
      std::uint8_t* q = out.Row(y);
      for (int x = 0; x < image.Width(); ++x, p += 3)
        q[x] = static_cast<std::uint8_t>(level_to_index(gray(Rgb{p[2], p[1], p[0]})));
    }
  } else {
    std::uint8_t lut[256];
    for (std::size_t i = 0; i < 256; ++i) {
      const Rgb c = i < image.Palette().size() ? image.Palette()[i] : Rgb{};
      lut[i] = static_cast<std::uint8_t>(level_to_index(gray(c)));
    }
    auto src = image.Pixels();
    auto dst = out.Pixels();
    for (std::size_t i = 0; i < src.size(); ++i) dst[i] = lut[src[i]];
  }
  return out;
}

Image Reduce(const Image& image, int colours, PixelFormat format) {
  return MapToPalette(image, QuantizePalette(image, colours), format);
}

}  // namespace

Image ToTrueColour(const Image& image) {
  if (image.Format() == PixelFormat::TrueColour) return image;
  Image out(image.Width(), image.Height(), PixelFormat::TrueColour);
  out.Dpi() = image.Dpi();
  for (int y = 0; y < image.Height(); ++y) {
    const std::uint8_t* p = image.Row(y);
    std::uint8_t* q = out.Row(y);
    for (int x = 0; x < image.Width(); ++x, q += 3) {
      const Rgb c = p[x] < image.Palette().size() ? image.Palette()[p[x]] : Rgb{};
      q[0] = c.b;
      q[1] = c.g;
      q[2] = c.r;
    }
  }
  return out;
}

Image ToGray256(const Image& image) {
  return MapGray(image, PixelFormat::Gray256, [](int level) { return level; });
}

Image ToGray16(const Image& image) {
  return MapGray(image, PixelFormat::Gray16, [](int level) { return (level + 8) / 17; });
}

Image ToBlackWhite(const Image& image) {
  return MapGray(image, PixelFormat::BlackWhite, [](int level) { return level >= 128 ? 1 : 0; });
}

Image To256Colours(const Image& image) { return Reduce(image, 256, PixelFormat::Colour256); }
Image To16Colours(const Image& image) { return Reduce(image, 16, PixelFormat::Colour16); }

const std::array<Rgb, 20>& SystemStaticColours() {
  static const std::array<Rgb, 20> colours = {{
      {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128},
      {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
      {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
      {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
  }};
  return colours;
}

Image ToGifPalette(const Image& image) {
  const auto& fixed = SystemStaticColours();
  std::vector<Rgb> chosen = QuantizePalette(image, 236, fixed);
  chosen.resize(236);
  std::vector<Rgb> palette(fixed.begin(), fixed.begin() + 10);
  palette.insert(palette.end(), chosen.begin(), chosen.end());
  palette.insert(palette.end(), fixed.begin() + 10, fixed.end());
  return MapToPalette(image, palette, PixelFormat::Colour256);
}

Image ConvertToFormat(const Image& image, PixelFormat format) {
  if (image.Format() == format) return image;
  switch (format) {
    case PixelFormat::BlackWhite: return ToBlackWhite(image);
    case PixelFormat::Gray16: return ToGray16(image);
    case PixelFormat::Gray256: return ToGray256(image);
    case PixelFormat::Colour16: return To16Colours(image);
    case PixelFormat::Colour256: return To256Colours(image);
    case PixelFormat::TrueColour: return ToTrueColour(image);
  }
  return image;
}

}  // namespace ocelot::imaging
