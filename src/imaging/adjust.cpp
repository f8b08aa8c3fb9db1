// Colour adjustments: per-byte formulas through 256-entry tables, saturation per pixel.
#include "imaging/adjust.h"

#include <array>
#include <cstdlib>

#include "imaging/pixel_math.h"
#include "imaging/working_copy.h"

namespace ocelot::imaging {
namespace {

using Table = std::array<std::uint8_t, 256>;

template <typename F>
Table MakeTable(F f) {
  Table t{};
  for (int v = 0; v < 256; ++v) t[static_cast<std::size_t>(v)] = Limit(f(v));
  return t;
}

void ApplyTable(Image& image, const Table& t) {
  for (auto& b : image.Pixels()) b = t[b];
}

}  // namespace

Image Grayscale(const Image& image) {
  Image out(image.Width(), image.Height(), PixelFormat::Gray256);
  out.Dpi() = image.Dpi();
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* d = out.Row(y);
    for (int x = 0; x < image.Width(); ++x) {
      const Rgb c = image.PixelColour(x, y);
      d[x] = Limit((299 * c.r + 587 * c.g + 114 * c.b) / 1000);
    }
  }
  return out;
}

Image Invert(const Image& image) {
  Image out = image;
  switch (image.Format()) {
    case PixelFormat::TrueColour:
      for (auto& b : out.Pixels()) b = static_cast<std::uint8_t>(255 - b);
      break;
    case PixelFormat::BlackWhite:
    case PixelFormat::Gray16:
    case PixelFormat::Gray256: {
      const int top = PaletteCapacity(image.Format()) - 1;
      for (auto& b : out.Pixels()) b = static_cast<std::uint8_t>(b <= top ? top - b : 0);
      break;
    }
    case PixelFormat::Colour16:
    case PixelFormat::Colour256:
      for (auto& c : out.Palette())
        c = Rgb{static_cast<std::uint8_t>(255 - c.r), static_cast<std::uint8_t>(255 - c.g),
                static_cast<std::uint8_t>(255 - c.b)};
      break;
  }
  return out;
}

void Lighten(Image& image, int amount) {
  RequireTrueColour(image, "Lighten");
  ApplyTable(image, MakeTable([amount](int v) { return v + (amount * (255 - v)) / 255; }));
}

void Darken(Image& image, int amount) {
  RequireTrueColour(image, "Darken");
  ApplyTable(image, MakeTable([amount](int v) { return v - (amount * v) / 255; }));
}

void Contrast(Image& image, int k) {
  RequireTrueColour(image, "Contrast");
  ApplyTable(image, MakeTable([k](int v) {
               const int d = (std::abs(127 - v) * k) / 255;
               return v > 127 ? v + d : v - d;
             }));
}

void Saturation(Image& image, int k) {
  RequireTrueColour(image, "Saturation");
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* p = image.Row(y);
    for (int x = 0; x < image.Width(); ++x, p += 3) {
      const int m = (p[0] + p[1] + p[2]) / 3;
      for (int i = 0; i < 3; ++i) p[i] = Limit(m + ((p[i] - m) * k) / 255);
    }
  }
}

}  // namespace ocelot::imaging
