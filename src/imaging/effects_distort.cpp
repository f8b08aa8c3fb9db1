// Pixel-moving effects: row stretches, mosaic, fisheye, squeezes, splits, ripples, tiles.
#include "imaging/effects_distort.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/pixel_math.h"
#include "imaging/working_copy.h"

namespace ocelot::imaging {
namespace {

std::uint8_t* Pixel(Image& image, int x, int y) { return image.Row(y) + static_cast<std::size_t>(x) * 3; }
const std::uint8_t* Pixel(const Image& image, int x, int y) {
  return image.Row(y) + static_cast<std::size_t>(x) * 3;
}

// pi x y / (H - 1). An image one row high has no such angle; its one row gets angle 0, as
// the top row of every taller image does.
double RowAngle(double factor, int y, int h) { return h > 1 ? factor * kPi * y / (h - 1) : 0.0; }

// Source column (or row) under the centre of destination pixel k of n, from a source of size.
inline int NearestSource(int k, int n, int size) {
  return static_cast<int>((2 * static_cast<long long>(k) + 1) * size / (2 * static_cast<long long>(n)));
}

// A fisheye coordinate ready for truncation. Points near the circle rmax land far outside
// the image, beyond the range of an int; from 2^24 on every float is a whole number, so it
// is reduced modulo the size (fmod is exact), which leaves the wrap below with the same pixel
// it would pick with unlimited integers. An infinite or undefined coordinate becomes 0.
float FisheyeCoordinate(float f, int size) {
  if (!std::isfinite(f)) return 0.0f;
  if (std::fabs(f) >= 16777216.0f) return std::fmod(f, static_cast<float>(size));
  return f;
}

int WrapIndex(int i, int size) {
  if (i < 0) return size - ((-i) % size) - 1;
  if (i > size - 1) return i % size;
  return i;
}

}  // namespace

void StretchRow(const std::uint8_t* src, int src_width, std::uint8_t* dst, int dst_width,
                int left, int right) {
  const int n = right - left;
  if (n <= 0 || src_width <= 0) return;
  for (int k = std::max(0, -left); k < n && left + k < dst_width; ++k)
    std::memcpy(dst + static_cast<std::size_t>(left + k) * 3,
                src + static_cast<std::size_t>(NearestSource(k, n, src_width)) * 3, 3);
}

void Mosaic(Image& image, int block) {
  RequireTrueColour(image, "Mosaic");
  if (block <= 1) return;
  const int w = image.Width(), h = image.Height();
  for (int by = 0; by < h; by += block) {
    for (int bx = 0; bx < w; bx += block) {
      std::uint8_t colour[3];
      std::memcpy(colour, Pixel(image, bx, by), 3);
      for (int y = by; y < std::min(by + block, h); ++y)
        for (int x = bx; x < std::min(bx + block, w); ++x) std::memcpy(Pixel(image, x, y), colour, 3);
    }
  }
}

Image Fisheye(const Image& image, float amount) {
  const Image src = TrueColourCopy(image);
  const int w = src.Width(), h = src.Height();
  Image out = WhiteImage(w, h);
  out.Dpi() = src.Dpi();
  const float cx = static_cast<float>(w) / 2.0f;
  const float cy = static_cast<float>(h) / 2.0f;
  const float rmax = static_cast<float>(w) * amount;
  for (int ty = 0; ty < h; ++ty) {
    std::uint8_t* d = out.Row(ty);
    for (int tx = 0; tx < w; ++tx, d += 3) {
      const float dx = static_cast<float>(tx) - cx;
      const float dy = static_cast<float>(ty) - cy;
      float r1 = std::sqrt(dx * dx + dy * dy);
      float fx = cx, fy = cy;
      if (r1 != 0.0f) {
        if (r1 == rmax) r1 -= 0.01f;
        const float r2 = (rmax / 2.0f) * (1.0f / (1.0f - r1 / rmax) - 1.0f);
        fx = dx * r2 / r1 + cx;
        fy = dy * r2 / r1 + cy;
      }
      fx = FisheyeCoordinate(fx, w);
      fy = FisheyeCoordinate(fy, h);
      int ix = static_cast<int>(fx);
      int iy = static_cast<int>(fy);
      float wx[2], wy[2];
      if (fy >= 0) {
        wy[1] = fy - static_cast<float>(iy);
        wy[0] = 1.0f - wy[1];
      } else {
        wy[0] = static_cast<float>(iy) - fy;
        wy[1] = 1.0f - wy[0];
      }
      if (fx >= 0) {
        wx[1] = fx - static_cast<float>(ix);
        wx[0] = 1.0f - wx[1];
      } else {
        wx[0] = static_cast<float>(ix) - fx;
        wx[1] = 1.0f - wx[0];
      }
      ix = WrapIndex(ix, w);
      iy = WrapIndex(iy, h);
      float total[3] = {0.0f, 0.0f, 0.0f};
      for (int i = 0; i < 2; ++i) {
        const int col = ix + i >= w ? w - ix - i : ix + i;
        for (int j = 0; j < 2; ++j) {
          const int row = iy + j >= h ? h - iy - j : iy + j;
          const std::uint8_t* p = Pixel(src, col, row);
          for (int c = 0; c < 3; ++c) total[c] += static_cast<float>(p[c]) * wx[i] * wy[j];
        }
      }
      for (int c = 0; c < 3; ++c) d[c] = Limit(static_cast<int>(RoundHalfEven(total[c])));
    }
  }
  return out;
}

Image Squeeze(const Image& image, SqueezeShape shape, int amount) {
  const Image src = TrueColourCopy(image);
  const int w = src.Width(), h = src.Height();
  Image out = WhiteImage(w, h);
  out.Dpi() = src.Dpi();
  const double a = std::clamp(amount, 0, w / 2);
  for (int y = 0; y < h; ++y) {
    int m = 0;
    switch (shape) {
      case SqueezeShape::Horizontal: m = static_cast<int>(a); break;
      case SqueezeShape::Top: m = RoundToInt(a * (static_cast<double>(h - y - 1) / h)); break;
      case SqueezeShape::Bottom: m = RoundToInt(a * (static_cast<double>(y) / h)); break;
      case SqueezeShape::Diamond: m = RoundToInt(a * std::fabs(Cos(RowAngle(1, y, h)))); break;
      case SqueezeShape::Middle:
      case SqueezeShape::Round: m = RoundToInt(a * std::fabs(Sin(RowAngle(1, y, h)))); break;
      case SqueezeShape::DoubleRound: m = RoundToInt(a * std::fabs(Sin(RowAngle(2, y, h)))); break;
    }
    const bool centred = shape == SqueezeShape::Round || shape == SqueezeShape::DoubleRound;
    const int left = centred ? w / 2 - m : m;
    const int right = centred ? w / 2 + m : w - m;
    StretchRow(src.Row(y), w, out.Row(y), w, left, right);
  }
  return out;
}

Image Split(const Image& image, SplitShape shape, int amount) {
  const Image src = TrueColourCopy(image);
  const int w = src.Width(), h = src.Height();
  const int half = w / 2;
  Image out = WhiteImage(w, h);
  out.Dpi() = src.Dpi();
  const double a = std::clamp(amount, 0, half);
  for (int y = 0; y < h; ++y) {
    const double angle = RowAngle(1, y, h);
    const int m = RoundToInt(a * std::fabs(shape == SplitShape::Round ? Sin(angle) : Cos(angle)));
    const std::uint8_t* row = src.Row(y);
    StretchRow(row, half, out.Row(y), w, 0, m);
    StretchRow(row + static_cast<std::size_t>(half) * 3, half, out.Row(y), w, w - m - 1, w - 1);
  }
  return out;
}

void RippleTooth(Image& image, int depth) {
  RequireTrueColour(image, "Ripple");
  const int w = image.Width(), h = image.Height();
  const int b = std::max(0, std::min(h / 2, depth));
  for (int row = h - 1 - b; row >= 0; --row) {
    int c = 0;
    for (int x = 0; x < w; ++x) {
      std::memmove(Pixel(image, x, row + c), Pixel(image, x, row), 3);
      if (++c > b) c = 0;
    }
  }
}

void RippleRandom(Image& image, int depth, Random& random) {
  RequireTrueColour(image, "Ripple");
  const int w = image.Width(), h = image.Height();
  const int b = std::max(0, std::min(h / 2, depth));
  for (int row = h - 1 - b; row >= 0; --row) {
    int d = 0;
    for (int x = 0; x < w; ++x) {
      std::memmove(Pixel(image, x, row + d), Pixel(image, x, row), 3);
      d = random.Next(b);
    }
  }
}

void Tile(Image& image, TileMode mode, int side) {
  RequireTrueColour(image, "Tile");
  const int w = image.Width(), h = image.Height();
  if (w == 0 || h == 0) return;
  const int s = std::max(1, std::min(h / 2, std::min(w / 2, side)));
  std::vector<std::uint8_t> tile(static_cast<std::size_t>(s) * s * 3);
  for (int v = 0; v < s; ++v) {
    const std::uint8_t* src = image.Row(NearestSource(v, s, h));
    for (int u = 0; u < s; ++u)
      std::memcpy(&tile[(static_cast<std::size_t>(v) * s + u) * 3], src + static_cast<std::size_t>(NearestSource(u, s, w)) * 3, 3);
  }
  const int step = mode == TileMode::Normal ? s : std::max(1, RoundToInt(2.0 * s / 3.0));
  for (int ty = 0; ty < h; ty += step) {
    for (int tx = 0; tx < w; tx += step) {
      const auto bytes = static_cast<std::size_t>(std::min(s, w - tx)) * 3;
      for (int v = 0; v < s && ty + v < h; ++v)
        std::memcpy(Pixel(image, tx, ty + v), &tile[static_cast<std::size_t>(v) * s * 3], bytes);
    }
  }
}

}  // namespace ocelot::imaging
