#include "imaging/effects_blur.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/error.h"

using namespace ocelot::imaging;

namespace {

// A true-colour image whose pixel (x, y) has all three bytes = values[y][x].
Image Gray(const std::vector<std::vector<std::uint8_t>>& values) {
  Image img(static_cast<int>(values[0].size()), static_cast<int>(values.size()), PixelFormat::TrueColour);
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) std::fill_n(img.Row(y) + 3 * x, 3, values[y][x]);
  return img;
}

RawBitmap Describe(std::vector<std::uint8_t>& bytes, int w, int h, int bpp) {
  RawBitmap b;
  b.bits = bytes.data();
  b.width = w;
  b.height = h;
  b.stride = static_cast<std::ptrdiff_t>(bytes.size()) / h;
  b.bits_per_pixel = bpp;
  return b;
}

}  // namespace

TEST(SplitBlurInPlace, OneRow24Bits_UsesValuesAlreadyWritten) {
  // x = 0: (0 + 100 + 0 + 100) >> 2 = 50; x = 1 reads the new 50: (50 + 200) x 2 >> 2 = 125;
  // x = 2: (125 + 200) x 2 >> 2 = 162.
  Image img = Gray({{0, 100, 200}});
  SplitBlurInPlace(img, 1);
  EXPECT_EQ(img, Gray({{50, 125, 162}}));
}

TEST(SplitBlurInPlace, ByPixelLayout_AveragesTheColourFieldsOnly) {
  {  // 32 bits: the fourth byte stays.
    std::vector<std::uint8_t> px = {0, 0, 0, 7, 200, 100, 40, 9};
    SplitBlurInPlace(Describe(px, 2, 1, 32), 1);
    EXPECT_EQ(px, (std::vector<std::uint8_t>{100, 50, 20, 7, 150, 75, 30, 9}));
  }
  {  // 16 bits, 5-6-5 masks: red 31 next to green 63 + blue 31 averages each field apart.
    std::vector<std::uint8_t> px = {0x00, 0xF8, 0xFF, 0x07};
    RawBitmap b = Describe(px, 2, 1, 16);
    b.red_mask = 0xF800;
    b.green_mask = 0x07E0;
    b.blue_mask = 0x001F;
    SplitBlurInPlace(b, 1);
    EXPECT_EQ(px[0] | px[1] << 8, (15 << 11) | (31 << 5) | 15);
  }
  {  // 16 bits without masks: 5-5-5.
    std::vector<std::uint8_t> px = {0x00, 0x7C, 0x00, 0x00};  // red 31, black
    SplitBlurInPlace(Describe(px, 2, 1, 16), 1);
    EXPECT_EQ(px[0] | px[1] << 8, 15 << 10);
  }
  {  // 8 bits: the index byte itself.
    std::vector<std::uint8_t> px = {10, 30};
    SplitBlurInPlace(Describe(px, 2, 1, 8), 1);
    EXPECT_EQ(px, (std::vector<std::uint8_t>{20, 25}));
  }
  std::vector<std::uint8_t> px(4);
  EXPECT_THROW(SplitBlurInPlace(Describe(px, 4, 1, 4), 1), ocelot::Error);
}

TEST(SplitBlurInPlace, BottomUpBitmap_ProcessesTheTopRowFirst) {
  // Memory holds the bottom row first; the descriptor starts at the top row with stride -1.
  std::vector<std::uint8_t> mem = {0, 200};  // bottom 0, top 200
  RawBitmap b;
  b.bits = mem.data() + 1;
  b.width = 1;
  b.height = 2;
  b.stride = -1;
  b.bits_per_pixel = 8;
  SplitBlurInPlace(b, 1);
  EXPECT_EQ(mem, (std::vector<std::uint8_t>{50, 100}));  // top (200 + 0) / 2, then (100 + 0) / 2
}

TEST(SplitBlur, DistanceZero_LeavesImageUnchanged) {
  const Image src = Gray({{1, 2, 3}, {40, 50, 60}});
  Image img = src;
  SplitBlur(img, 0);
  EXPECT_EQ(img, src);
}

TEST(SplitBlur, LastRow_ReadsRowHMinusYAsLowerNeighbour) {
  // H = 5, d = 2: the last row reads rows 2 (up) and 5 - 4 = 1 (down), so the only bright row
  // (row 1, blurred on the way) reaches it.
  Image img = Gray({{0, 0, 0}, {200, 200, 200}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
  SplitBlur(img, 2);
  EXPECT_EQ(img, Gray({{0, 0, 0}, {100, 100, 50}, {0, 0, 0}, {37, 37, 50}, {37, 37, 50}}));
}

TEST(SplitBlur, DistanceBeyondTheImage_TakesTheLastRowAndColumn) {
  // y = 0 with d >= H would read row H - 0 = H; it reads row H - 1 instead (and likewise for
  // the column W - 0 of x = 0).
  Image img = Gray({{0}, {100}});
  SplitBlur(img, 5);
  EXPECT_EQ(img, Gray({{50}, {100}}));
}

TEST(Convolve, Kernels_WeighTheNeighbourhoodOfInnerPixels) {
  const struct { const char* what; ConvolutionKernel kernel; std::uint8_t around, centre, expected; } cases[] = {
      {"smooth", kSmoothKernel, 0, 94, 70},        // 35 x 94 div 47
      {"smooth uniform", kSmoothKernel, 77, 77, 77},
      {"sharpen", kSharpenKernel, 10, 100, 143},   // (3700 - 120) div 25
      {"sharpen negative", kSharpenKernel, 100, 0, 0},
      {"sharpen above 255", kSharpenKernel, 0, 255, 255},
  };
  for (const auto& c : cases) {
    Image src = Gray({{c.around, c.around, c.around}, {c.around, c.centre, c.around}, {c.around, c.around, c.around}});
    const Image out = Convolve(src, c.kernel);
    EXPECT_EQ(out.Row(1)[3], c.expected) << c.what;
    src.Row(1)[3] = src.Row(1)[4] = src.Row(1)[5] = c.expected;
    EXPECT_EQ(out, src) << c.what << ": border pixels keep their colour";
  }
}

TEST(Convolve, Emboss_IsDirectional) {
  // v(x, y) = 10 x + y: -v(0,0) - v(1,0) - v(0,1) + v(1,1) + v(2,1) + v(1,2) + v(2,2) = 55.
  Image src = Gray({{0, 10, 20}, {1, 11, 21}, {2, 12, 22}});
  EXPECT_EQ(Emboss(src).Row(1)[3], 55);
}

TEST(Convolve, CornersAndSmallImages_KeepTheSource) {
  const Image wide = Gray({{9, 200, 9, 200}, {200, 0, 200, 0}, {9, 200, 9, 200}});
  const Image out = Smooth(wide);
  for (const auto& [x, y] : {std::pair{0, 0}, {3, 0}, {0, 2}, {3, 2}})
    EXPECT_EQ(out.PixelColour(x, y), wide.PixelColour(x, y)) << x << "," << y;
  const Image thin = Gray({{1, 2, 3}, {4, 5, 6}});
  EXPECT_EQ(Sharpen(thin), thin);
  Image indexed(2, 1, PixelFormat::Gray256);
  indexed.Row(0)[1] = 128;
  EXPECT_EQ(Emboss(indexed), Gray({{0, 128}}));
}
