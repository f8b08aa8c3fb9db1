// Fixed synthetic photographs for the pixel benchmarks: smooth gradients, edges and grain,
// the same bytes in every run.
#pragma once

#include <cstdint>

#include "imaging/image.h"
#include "imaging/random.h"

namespace ocelot::bench {

inline imaging::Image SyntheticPhoto(int w, int h) {
  imaging::Image img(w, h, imaging::PixelFormat::TrueColour);
  imaging::Random grain(2024);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* p = img.Row(y);
    for (int x = 0; x < w; ++x, p += 3) {
      const int edge = ((x / 97 + y / 61) & 1) * 40;
      p[0] = static_cast<std::uint8_t>((x * 255 / w + edge + grain.Next(16)) & 255);
      p[1] = static_cast<std::uint8_t>((y * 255 / h + grain.Next(16)) & 255);
      p[2] = static_cast<std::uint8_t>(((x + y) * 255 / (w + h) + edge) & 255);
    }
  }
  return img;
}

}  // namespace ocelot::bench
