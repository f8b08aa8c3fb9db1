// Blurs and 3 x 3 convolutions of the editor: split blurs, smooth, sharpen, emboss.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/image.h"

namespace ocelot::imaging {

// A device-independent bitmap's pixels as they lie in memory. Row y (0 = top) starts at
// bits + y * stride; a bottom-up DIB is described by its top row and a negative stride.
struct RawBitmap {
  std::uint8_t* bits = nullptr;  // not owned
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
  int bits_per_pixel = 24;  // 8, 16, 24 or 32
  // Colour fields of a 16-bit pixel (little-endian words); all 0 means the 5-5-5 default.
  std::uint32_t red_mask = 0, green_mask = 0, blue_mask = 0;
};

// The split blur of the Blur command, in place: rows top to bottom, pixels left to right,
// each result written as it goes: with r = |distance|, up = max(y - r, 0),
// down = min(y + r, H - 1), left = max(x - r, 0), right = min(x + r, W - 1), the value is
// (P(up, left) + P(up, right) + P(down, left) + P(down, right)) >> 2. 24 bits: each byte;
// 32 bits: the first three bytes (the fourth kept); 16 bits: each colour field by its mask;
// 8 bits: the byte (palette index) itself. Other depths throw ocelot::Error.
void SplitBlurInPlace(const RawBitmap& bitmap, int distance);
// The same on an image: true colour as 24 bits, the indexed formats as 8 bits.
void SplitBlurInPlace(Image& image, int distance);

// The split blur of the dialog, in place on a 24-bit working copy: up = y - d when that is
// >= 0, else y; down = y + d when that is < H, else H - y; left and right likewise with x and
// W. Distance 0 leaves the image unchanged; a negative distance counts as its absolute value.
void SplitBlur(Image& image, int distance);

// A 3 x 3 kernel, rows top to bottom and left to right, and its divisor.
struct ConvolutionKernel {
  int weights[9];
  int divisor;
};
inline constexpr ConvolutionKernel kSmoothKernel{{1, 2, 1, 2, 35, 2, 1, 2, 1}, 47};
inline constexpr ConvolutionKernel kSharpenKernel{{-1, -2, -1, -2, 37, -2, -1, -2, -1}, 25};
inline constexpr ConvolutionKernel kEmbossKernel{{-1, -1, 0, -1, 1, 1, 0, 1, 1}, 1};

// A true-colour image of the same size. Each inner pixel and byte: s = the weighted sum of
// the 3 x 3 neighbourhood; a negative s gives 0, otherwise min(s div divisor, 255). Border
// pixels, corners included, keep the source's colour; an image narrower or lower than 3
// pixels is returned as a true-colour copy. A divisor below 1 throws std::invalid_argument.
Image Convolve(const Image& image, const ConvolutionKernel& kernel);
inline Image Smooth(const Image& image) { return Convolve(image, kSmoothKernel); }
inline Image Sharpen(const Image& image) { return Convolve(image, kSharpenKernel); }
inline Image Emboss(const Image& image) { return Convolve(image, kEmbossKernel); }

}  // namespace ocelot::imaging
