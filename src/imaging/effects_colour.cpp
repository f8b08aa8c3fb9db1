// Colour effects: per-byte noise and thresholds, posterize through a table, solarize.
#include "imaging/effects_colour.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "imaging/pixel_math.h"
#include "imaging/working_copy.h"

namespace ocelot::imaging {

void Noise(Image& image, int range, Random& random) {
  RequireTrueColour(image, "Noise");
  const int half = range / 2;
  for (auto& b : image.Pixels()) b = Limit(b + random.Next(range) - half);
}

void ChannelThreshold(Image& image, Channel channel, int low, int high) {
  RequireTrueColour(image, "Colour effect");
  const auto offset = static_cast<std::size_t>(channel);
  auto px = image.Pixels();
  for (std::size_t i = offset; i < px.size(); i += 3) {
    const int v = px[i];
    px[i] = low < v && v < high ? 255 : 0;
  }
}

Image Posterize(const Image& image, int step) {
  if (step < 1) throw std::invalid_argument("posterize step below 1");
  std::array<std::uint8_t, 256> table{};
  for (int v = 0; v < 256; ++v)
    table[static_cast<std::size_t>(v)] =
        static_cast<std::uint8_t>(std::min(255, step * RoundToInt(static_cast<double>(v) / step)));
  Image out = TrueColourCopy(image);
  for (auto& b : out.Pixels()) b = table[b];
  return out;
}

Image Solarize(const Image& image, int threshold) {
  Image out = TrueColourCopy(image);
  auto px = out.Pixels();
  for (std::size_t i = 0; i + 2 < px.size(); i += 3) {
    if ((px[i] + px[i + 1] + px[i + 2]) / 3 > threshold) {
      for (std::size_t k = i; k < i + 3; ++k) px[k] = static_cast<std::uint8_t>(255 - px[k]);
    }
  }
  return out;
}

}  // namespace ocelot::imaging
