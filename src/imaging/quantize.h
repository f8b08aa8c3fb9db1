// Colour quantization: Wu's variance-minimising box split over a 32-level colour cube,
// refined by a few Lloyd passes, and exact nearest-colour mapping. Deterministic: integer
// statistics and double arithmetic only, the same in every build.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/image.h"

namespace ocelot::imaging {

// At most `count` colours (1..256) chosen for the image's pixels, to be used together with
// the `fixed` colours (which are not counted and not returned). When the image has no more
// than `count` distinct colours besides the fixed ones, exactly those are returned, sorted.
std::vector<Rgb> QuantizePalette(const Image& image, int count, std::span<const Rgb> fixed = {});

// Nearest palette entry by squared RGB distance; ties go to the lowest index.
class NearestColour {
 public:
  explicit NearestColour(std::span<const Rgb> palette);
  std::uint8_t Find(Rgb c);

 private:
  std::uint8_t Search(Rgb c) const;
  struct Entry { int g, r, b, index; };
  std::vector<Entry> by_green_;  // sorted by green, then index
  std::vector<std::uint32_t> cache_key_;  // colour + 1 << 24 marks a filled slot
  std::vector<std::uint8_t> cache_index_;
};

// Every pixel of the image mapped to its nearest palette colour (palette of 1..256 entries),
// as an image of the given indexed format holding that palette.
Image MapToPalette(const Image& image, const std::vector<Rgb>& palette, PixelFormat format);

}  // namespace ocelot::imaging
