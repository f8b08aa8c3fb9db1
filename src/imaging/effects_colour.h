// Colour effects of the editor: noise, channel thresholds, posterize, solarize.
//
// Noise and the thresholds work in place on a 24-bit working copy (bytes blue, green, red);
// posterize and solarize read a source and return a new true-colour image. In-place effects
// throw ocelot::Error for other formats.
#pragma once

#include "imaging/image.h"
#include "imaging/random.h"

namespace ocelot::imaging {

// For each pixel three numbers r0, r1, r2 in 0..range-1 are drawn, one per byte in byte
// order; byte k := limit(byte k + r_k - range div 2). Range 0 leaves the image unchanged.
void Noise(Image& image, int range, Random& random);

// Byte positions in a true-colour pixel.
enum class Channel : int { Blue = 0, Green = 1, Red = 2 };

// The chosen byte becomes 255 when low < value < high, else 0; the other two are unchanged.
void ChannelThreshold(Image& image, Channel channel, int low, int high);

// Each byte v := min(255, step x round(v / step)); step at least 1 (else
// std::invalid_argument).
Image Posterize(const Image& image, int step);

// m := (first + second + third byte) div 3; when m > threshold every byte becomes
// 255 - byte, else the pixel is copied.
Image Solarize(const Image& image, int threshold);

}  // namespace ocelot::imaging
