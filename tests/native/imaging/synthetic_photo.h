// A deterministic photograph-like true-colour image: smooth lighting over a few soft
// shapes with fine grain, so quantizers and codecs see gradients, edges and noise. Integer
// arithmetic only, so every build makes the same pixels.
#pragma once

#include <cstdint>

#include "imaging/image.h"

namespace ocelot::imaging::samples {

inline Image SyntheticPhoto(int width, int height, std::uint32_t seed = 1) {
  Image img(width, height, PixelFormat::TrueColour);
  std::uint32_t state = seed * 2654435761u + 12345u;
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  };
  const int cx = width * 2 / 5, cy = height / 2, r2 = (width / 4) * (width / 4) + 1;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = img.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      // Sky-to-ground lighting.
      int r = 40 + 150 * y / height + 40 * x / width;
      int g = 90 + 100 * (height - y) / height;
      int b = 200 - 120 * y / height + 30 * x / width;
      // A soft disc, warm in the middle.
      const int dx = x - cx, dy = y - cy, d2 = dx * dx + dy * dy;
      if (d2 < r2) {
        const int k = 255 - 255 * d2 / r2;
        r += k * 3 / 4;
        g += k / 3;
        b -= k / 2;
      }
      // Diagonal bands of foliage colour.
      if (((x + 2 * y) / (width / 12 + 1)) % 5 == 0) {
        r -= 60;
        g += 20;
        b -= 70;
      }
      const int grain = static_cast<int>(next() % 17) - 8;
      auto clamp = [](int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
      p[0] = clamp(b + grain);
      p[1] = clamp(g + grain);
      p[2] = clamp(r + grain);
    }
  }
  return img;
}

}  // namespace ocelot::imaging::samples
