// Blurs and convolutions: the split blurs by pixel layout and the 3 x 3 kernels.
#include "imaging/effects_blur.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "common/error.h"
#include "imaging/working_copy.h"

namespace ocelot::imaging {
namespace {

// Runs the in-place blur over rows and pixels; `average` gets the target and the four
// corners of the neighbourhood (the target may be one of them, so it reads before writing).
template <int kBytes, typename Average>
void BlurRows(const RawBitmap& b, int r, Average average) {
  for (int y = 0; y < b.height; ++y) {
    std::uint8_t* row = b.bits + y * b.stride;
    const std::uint8_t* up = b.bits + std::max(y - r, 0) * b.stride;
    const std::uint8_t* down = b.bits + std::min(y + r, b.height - 1) * b.stride;
    for (int x = 0; x < b.width; ++x) {
      const int left = std::max(x - r, 0) * kBytes;
      const int right = std::min(x + r, b.width - 1) * kBytes;
      average(row + x * kBytes, up + left, up + right, down + left, down + right);
    }
  }
}

template <int kChannels>
void AverageBytes(std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                  const std::uint8_t* c, const std::uint8_t* e) {
  std::uint8_t v[kChannels];
  for (int i = 0; i < kChannels; ++i) v[i] = static_cast<std::uint8_t>((a[i] + b[i] + c[i] + e[i]) >> 2);
  std::memcpy(d, v, kChannels);
}

}  // namespace

void SplitBlurInPlace(const RawBitmap& bitmap, int distance) {
  if (bitmap.width <= 0 || bitmap.height <= 0) return;
  const int r = std::abs(distance);
  switch (bitmap.bits_per_pixel) {
    case 8: BlurRows<1>(bitmap, r, AverageBytes<1>); break;
    case 24: BlurRows<3>(bitmap, r, AverageBytes<3>); break;
    case 32: BlurRows<4>(bitmap, r, AverageBytes<3>); break;
    case 16: {
      const bool defaults = bitmap.red_mask == 0 && bitmap.green_mask == 0 && bitmap.blue_mask == 0;
      const std::uint32_t masks[3] = {defaults ? 0x7C00u : bitmap.red_mask,
                                      defaults ? 0x03E0u : bitmap.green_mask,
                                      defaults ? 0x001Fu : bitmap.blue_mask};
      BlurRows<2>(bitmap, r, [&masks](std::uint8_t* d, const std::uint8_t* a, const std::uint8_t* b,
                                      const std::uint8_t* c, const std::uint8_t* e) {
        auto word = [](const std::uint8_t* p) { return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8; };
        const std::uint32_t pa = word(a), pb = word(b), pc = word(c), pe = word(e);
        std::uint32_t out = 0;
        for (const std::uint32_t m : masks)
          out |= (((pa & m) + (pb & m) + (pc & m) + (pe & m)) >> 2) & m;
        d[0] = static_cast<std::uint8_t>(out);
        d[1] = static_cast<std::uint8_t>(out >> 8);
      });
      break;
    }
    default:
      throw Error(ErrorKind::Unsupported, "Split blur needs a bitmap of 8, 16, 24 or 32 bits per pixel");
  }
}

void SplitBlurInPlace(Image& image, int distance) {
  if (image.Empty()) return;
  RawBitmap b;
  b.bits = image.Row(0);
  b.width = image.Width();
  b.height = image.Height();
  b.stride = static_cast<std::ptrdiff_t>(image.Stride());
  b.bits_per_pixel = image.BytesPerPixel() * 8;
  SplitBlurInPlace(b, distance);
}

void SplitBlur(Image& image, int distance) {
  RequireTrueColour(image, "Split blur");
  const int d = std::abs(distance);
  const int w = image.Width(), h = image.Height();
  for (int y = 0; y < h; ++y) {
    const int up = y - d >= 0 ? y - d : y;
    // "H - y" points one past the last row when y = 0 and d >= H; that row is taken as the
    // last row.
    const int down = std::min(y + d < h ? y + d : h - y, h - 1);
    std::uint8_t* row = image.Row(y);
    const std::uint8_t* ru = image.Row(up);
    const std::uint8_t* rd = image.Row(down);
    for (int x = 0; x < w; ++x) {
      const int left = (x - d >= 0 ? x - d : x) * 3;
      const int right = std::min(x + d < w ? x + d : w - x, w - 1) * 3;  // likewise for columns
      AverageBytes<3>(row + x * 3, ru + left, rd + left, ru + right, rd + right);
    }
  }
}

Image Convolve(const Image& image, const ConvolutionKernel& kernel) {
  if (kernel.divisor <= 0) throw std::invalid_argument("convolution divisor must be positive");
  const Image src = TrueColourCopy(image);
  Image out = src;  // border pixels (corners included) keep the source's colour
  const int w = src.Width(), h = src.Height();
  if (w < 3 || h < 3) return out;
  const int* k = kernel.weights;
  for (int y = 1; y < h - 1; ++y) {
    const std::uint8_t* rows[3] = {src.Row(y - 1), src.Row(y), src.Row(y + 1)};
    std::uint8_t* d = out.Row(y);
    for (int i = 3; i < (w - 1) * 3; ++i) {
      int s = 0;
      for (int r = 0; r < 3; ++r)
        s += k[3 * r] * rows[r][i - 3] + k[3 * r + 1] * rows[r][i] + k[3 * r + 2] * rows[r][i + 3];
      d[i] = static_cast<std::uint8_t>(s < 0 ? 0 : std::min(s / kernel.divisor, 255));
    }
  }
  return out;
}

}  // namespace ocelot::imaging
