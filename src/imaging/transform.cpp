// Geometric transforms: exact flips and right-angle turns, sampled rotation, mirrors, wave.
#include "imaging/transform.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "imaging/pixel_math.h"
#include "imaging/resample.h"
#include "imaging/working_copy.h"

namespace ocelot::imaging {
namespace {

Image SameKind(const Image& image, int width, int height) {
  Image out(width, height, image.Format());
  out.Palette() = image.Palette();
  out.Dpi() = image.Dpi();
  return out;
}

// Exact clockwise turn by a quarter (1), half (2) or three quarters (3).
Image TurnQuarters(const Image& image, int quarters) {
  const int w = image.Width(), h = image.Height();
  const int bpp = image.BytesPerPixel();
  const bool swap = quarters != 2;
  Image out = SameKind(image, swap ? h : w, swap ? w : h);
  if (swap) out.Dpi() = Resolution{image.Dpi().y, image.Dpi().x};
  for (int v = 0; v < out.Height(); ++v) {
    std::uint8_t* d = out.Row(v);
    for (int u = 0; u < out.Width(); ++u, d += bpp) {
      int x = 0, y = 0;
      switch (quarters) {
        case 1: x = v; y = h - 1 - u; break;
        case 2: x = w - 1 - u; y = h - 1 - v; break;
        default: x = w - 1 - v; y = u; break;
      }
      std::memcpy(d, image.Row(y) + static_cast<std::size_t>(x) * bpp, static_cast<std::size_t>(bpp));
    }
  }
  return out;
}

int Wrap(int v, int n) {
  const int m = v % n;
  return m < 0 ? m + n : m;
}

}  // namespace

Image FlipHorizontal(const Image& image) {
  Image out = SameKind(image, image.Width(), image.Height());
  const int w = image.Width(), bpp = image.BytesPerPixel();
  for (int y = 0; y < image.Height(); ++y) {
    const std::uint8_t* s = image.Row(y);
    std::uint8_t* d = out.Row(y);
    for (int x = 0; x < w; ++x)
      std::memcpy(d + static_cast<std::size_t>(w - 1 - x) * bpp, s + static_cast<std::size_t>(x) * bpp,
                  static_cast<std::size_t>(bpp));
  }
  return out;
}

Image FlipVertical(const Image& image) {
  Image out = SameKind(image, image.Width(), image.Height());
  for (int y = 0; y < image.Height(); ++y)
    std::memcpy(out.Row(image.Height() - 1 - y), image.Row(y), image.Stride());
  return out;
}

Image Rotate(const Image& image, double degrees) {
  if (!std::isfinite(degrees)) throw std::invalid_argument("rotation angle is not a number");
  if (degrees == std::floor(degrees) && std::fabs(degrees) < 1e15) {
    const auto whole = static_cast<long long>(degrees);
    const long long turn = ((whole % 360) + 360) % 360;
    if (turn == 0) return image;
    if (turn % 90 == 0) return TurnQuarters(image, static_cast<int>(turn / 90));
  }
  const Image src = TrueColourCopy(image);
  const int w = src.Width(), h = src.Height();
  const double rad = degrees * kPi / 180.0;
  const double c = Cos(rad), s = Sin(rad);
  // The bounding box of the turned corners; the small allowance keeps an extent that is a
  // whole number up to rounding error from growing by a pixel.
  const int nw = static_cast<int>(std::ceil(w * std::fabs(c) + h * std::fabs(s) - 1e-9));
  const int nh = static_cast<int>(std::ceil(w * std::fabs(s) + h * std::fabs(c) - 1e-9));
  Image out = WhiteImage(std::max(nw, 0), std::max(nh, 0));
  out.Dpi() = src.Dpi();
  for (int v = 0; v < out.Height(); ++v) {
    const double dv = v + 0.5 - out.Height() / 2.0;
    std::uint8_t* d = out.Row(v);
    for (int u = 0; u < out.Width(); ++u, d += 3) {
      const double du = u + 0.5 - out.Width() / 2.0;
      const int x = RoundToInt(du * c + dv * s + w / 2.0 - 0.5);
      const int y = RoundToInt(-du * s + dv * c + h / 2.0 - 0.5);
      if (x < 0 || x >= w || y < 0 || y >= h) continue;
      std::memcpy(d, src.Row(y) + static_cast<std::size_t>(x) * 3, 3);
    }
  }
  return out;
}

Image MirrorRight(const Image& image) {
  Image out = TrueColourCopy(image);
  if (out.Empty()) return out;  // no column to mirror
  const int w = out.Width();
  for (int y = 0; y < out.Height(); ++y) {
    std::uint8_t* row = out.Row(y);
    for (int a = 0; a <= w / 2; ++a)
      std::memmove(row + static_cast<std::size_t>(w - 1 - a) * 3, row + static_cast<std::size_t>(a) * 3, 3);
  }
  return out;
}

Image MirrorDown(const Image& image) {
  Image out = TrueColourCopy(image);
  if (out.Empty()) return out;  // no row to mirror
  const int h = out.Height();
  for (int r = 0; r <= h / 2; ++r) {
    if (h - 1 - r != r) std::memcpy(out.Row(h - 1 - r), out.Row(r), out.Stride());
  }
  return out;
}

void Wave(const Image& source, Image& destination, double amplitude, double x_divisor,
          double y_divisor, bool wrap) {
  if (source.Width() != destination.Width() || source.Height() != destination.Height() ||
      source.Format() != destination.Format())
    throw std::invalid_argument("wave bitmaps differ in size or format");
  if (x_divisor == 0 || y_divisor == 0) throw std::invalid_argument("wave divisor 0");
  const int w = source.Width(), h = source.Height(), bpp = source.BytesPerPixel();
  if (w == 0 || h == 0) return;
  std::vector<int> col_shift(static_cast<std::size_t>(w)), row_shift(static_cast<std::size_t>(h));
  for (int x = 0; x < w; ++x) col_shift[static_cast<std::size_t>(x)] = RoundToInt(amplitude * Sin(x / x_divisor));
  for (int y = 0; y < h; ++y) row_shift[static_cast<std::size_t>(y)] = RoundToInt(amplitude * Sin(y / y_divisor));
  for (int y = 0; y < h; ++y) {
    std::uint8_t* d = destination.Row(y);
    const int dx = row_shift[static_cast<std::size_t>(y)];
    for (int x = 0; x < w; ++x, d += bpp) {
      int sx = x + dx;
      int sy = y + col_shift[static_cast<std::size_t>(x)];
      if (wrap) {
        sx = Wrap(sx, w);
        sy = Wrap(sy, h);
      } else if (sx < 0 || sx >= w || sy < 0 || sy >= h) {
        continue;
      }
      std::memcpy(d, source.Row(sy) + static_cast<std::size_t>(sx) * bpp, static_cast<std::size_t>(bpp));
    }
  }
}

Size ResizeTarget(int image_width, int image_height, int width, int height, bool keep_aspect) {
  if (width < 1 || height < 1) throw std::invalid_argument("resize to less than one pixel");
  Size t{width, height};
  // Without a proportion to keep (an empty image) the request stands.
  if (!keep_aspect || image_width <= 0 || image_height <= 0) return t;
  if (image_height < image_width) {
    const double ratio = static_cast<double>(image_height) / image_width;
    do {
      t.height = RoundToInt(t.width * ratio);
      if (t.height > height) --t.width;
    } while (t.height > height);
  } else {
    const double ratio = static_cast<double>(image_width) / image_height;
    do {
      t.width = RoundToInt(t.height * ratio);
      if (t.width > width) --t.height;
    } while (t.width > width);
  }
  return t;
}

Image Resize(const Image& image, int width, int height, bool keep_aspect) {
  const Size t = ResizeTarget(image.Width(), image.Height(), width, height, keep_aspect);
  return Resample(image, t.width, t.height, ResampleFilter::Lanczos3);
}

}  // namespace ocelot::imaging
