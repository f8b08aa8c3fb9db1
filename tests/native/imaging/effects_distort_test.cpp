#include "imaging/effects_distort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// Pixel (x, y) gray y x w + x + 1: every pixel distinct and none white.
Image Numbered(int w, int h) {
  Image img(w, h, PixelFormat::TrueColour);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) std::fill_n(img.Row(y) + 3 * x, 3, static_cast<std::uint8_t>(y * w + x + 1));
  return img;
}

int At(const Image& img, int x, int y) { return img.Row(y)[3 * x]; }

constexpr std::uint8_t W = 255;

}  // namespace

TEST(StretchRow, NearestPixel_DropsOrRepeatsAndClips) {
  const std::uint8_t src[] = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
  std::vector<std::uint8_t> dst(6 * 3, 0);
  StretchRow(src, 4, dst.data(), 6, 0, 2);  // shrink 4 to 2: pixels 1 and 3
  StretchRow(src, 2, dst.data(), 6, 2, 6);  // grow 2 to 4: 1 1 2 2
  const std::vector<std::uint8_t> firsts = {dst[0], dst[3], dst[6], dst[9], dst[12], dst[15]};
  EXPECT_EQ(firsts, (std::vector<std::uint8_t>{2, 4, 1, 1, 2, 2}));
  std::vector<std::uint8_t> clip(2 * 3, 0);
  StretchRow(src, 4, clip.data(), 2, -2, 2);  // pixels 1 2 | 3 4 land at -2 -1 | 0 1
  EXPECT_EQ(clip[0], 3);
  EXPECT_EQ(clip[3], 4);
  StretchRow(src, 4, clip.data(), 2, 1, 1);  // empty rectangle
  EXPECT_EQ(clip[3], 4);
}

TEST(Mosaic, SevenBySevenBlockThree_BlocksStartAt0_3_6) {
  Image img = Numbered(7, 7);
  const Image src = img;
  Mosaic(img, 3);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(At(img, x, y), At(src, x / 3 * 3, y / 3 * 3)) << x << "," << y;
  EXPECT_EQ(At(img, 6, 6), At(src, 6, 6));  // the last block is one pixel
  for (int b : {0, 1}) {
    Image same = src;
    Mosaic(same, b);
    EXPECT_EQ(same, src) << b;
  }
}

TEST(Fisheye, EvenSizedImage_CentreSamplesTheCentre) {
  const Image src = Numbered(8, 6);
  for (float a : {0.71f, 1.0f, 1.71f}) EXPECT_EQ(At(Fisheye(src, a), 4, 3), At(src, 4, 3)) << a;
}

TEST(Fisheye, UniformImage_StaysUniformEvenFarOutside) {
  // Tall images put corners beyond rmax, and the 10 x 22 image with amount 1 has a pixel
  // exactly on rmax; the wrap must keep every sample inside the image.
  for (int w : {1, 2, 3, 10, 33})
    for (int h : {1, 2, 7, 22, 40})
      for (float a : {0.71f, 1.0f, 1.71f}) {
        Image src(w, h, PixelFormat::TrueColour);
        std::fill(src.Pixels().begin(), src.Pixels().end(), std::uint8_t{77});
        const Image out = Fisheye(src, a);
        EXPECT_EQ(out, src) << w << "x" << h << " amount " << a;
      }
}

TEST(Fisheye, PointBeyondIntRange_WrapsLikeUnlimitedIntegers) {
  // On 24 x 41 with amount 0.89, target pixel (6, 0) lies just outside rmax and its source
  // row is about 2.1e7, beyond the exact range of floats; it must land on row fy mod H.
  Image src(24, 41, PixelFormat::TrueColour);
  for (int y = 0; y < 41; ++y) std::fill_n(src.Row(y), 24 * 3, static_cast<std::uint8_t>(6 * y));
  const float amount = 0.89f;
  const float cx = 12.0f, cy = 20.5f, rmax = 24.0f * amount;
  const float dx = 6.0f - cx, dy = 0.0f - cy;
  const float r1 = std::sqrt(dx * dx + dy * dy);
  const float r2 = (rmax / 2.0f) * (1.0f / (1.0f - r1 / rmax) - 1.0f);
  const float fy = dy * r2 / r1 + cy;
  ASSERT_GT(fy, 16777216.0f);
  const auto row = static_cast<int>(static_cast<long long>(fy) % 41);
  EXPECT_EQ(At(Fisheye(src, amount), 6, 0), 6 * row);
}

TEST(Squeeze, HorizontalAtHalfWidth_LeavesEvenRowsWhite) {
  const Image src = Numbered(6, 3);
  const Image out = Squeeze(src, SqueezeShape::Horizontal, 3);
  for (auto b : out.Pixels()) EXPECT_EQ(b, 255);
  EXPECT_EQ(Squeeze(src, SqueezeShape::Horizontal, 50), out);  // amount limited to W div 2
  // An odd width keeps the middle column: 5 pixels stretched into 1 sample pixel 2.
  const Image odd = Squeeze(Gray({{1, 2, 3, 4, 5}}), SqueezeShape::Horizontal, 2);
  EXPECT_EQ(odd, Gray({{W, W, 3, W, W}}));
}

TEST(Squeeze, Shapes_NarrowEachRowByItsMargin) {
  const Image src = Gray({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}});
  const struct { SqueezeShape shape; std::vector<std::vector<std::uint8_t>> rows; } cases[] = {
      // m = round(2 x (2 - y) / 3): 1, 1, 0.
      {SqueezeShape::Top, {{W, 2, 4, W}, {W, 6, 8, W}, {9, 10, 11, 12}}},
      // m = round(2 x y / 3): 0, 1, 1.
      {SqueezeShape::Bottom, {{1, 2, 3, 4}, {W, 6, 8, W}, {W, 10, 12, W}}},
      // m = round(2 |cos(pi y / 2)|): 2, 0, 2.
      {SqueezeShape::Diamond, {{W, W, W, W}, {5, 6, 7, 8}, {W, W, W, W}}},
      // m = round(2 |sin(pi y / 2)|): 0, 2, 0.
      {SqueezeShape::Middle, {{1, 2, 3, 4}, {W, W, W, W}, {9, 10, 11, 12}}},
      // Centred: columns 2 - m .. 2 + m.
      {SqueezeShape::Round, {{W, W, W, W}, {5, 6, 7, 8}, {W, W, W, W}}},
      // m = round(2 |sin(2 pi y / 2)|): 0, 0, 0.
      {SqueezeShape::DoubleRound, {{W, W, W, W}, {W, W, W, W}, {W, W, W, W}}},
  };
  for (const auto& c : cases) EXPECT_EQ(Squeeze(src, c.shape, 2), Gray(c.rows)) << static_cast<int>(c.shape);
}

TEST(Squeeze, OneRowHigh_TakesRowAngleZero) {
  // H - 1 = 0: the row's angle is taken as 0, as for the top row of taller images.
  const Image src = Gray({{1, 2, 3, 4}});
  EXPECT_EQ(Squeeze(src, SqueezeShape::Diamond, 1), Gray({{W, 2, 4, W}}));  // cos 0 = 1
  EXPECT_EQ(Squeeze(src, SqueezeShape::Middle, 1), src);                   // sin 0 = 0
  EXPECT_EQ(Squeeze(src, SqueezeShape::Round, 1), Gray({{W, W, W, W}}));
}

TEST(Split, Shapes_StretchTheHalvesToTheEdges) {
  // W = 6, H = 1 (angle 0): Transpose m = round(2 x cos 0) = 2, Round m = 0.
  const Image src = Gray({{1, 2, 3, 4, 5, 6}});
  EXPECT_EQ(Split(src, SplitShape::Transpose, 2), Gray({{1, 3, W, 4, 6, W}}));
  EXPECT_EQ(Split(src, SplitShape::Round, 2), Gray({{W, W, W, W, W, W}}));
  // H = 3: Round m = round(3 x |sin(pi y / 2)|) = 0, 3, 0 (amount limited to W div 2 = 3).
  const Image tall = Gray({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}});
  const Image out = Split(tall, SplitShape::Round, 9);
  EXPECT_EQ(out, Gray({{W, W, W, W, W, W}, {1, 2, 4, 5, 6, W}, {W, W, W, W, W, W}}));
}

TEST(Ripple, Tooth_ShiftsPixelsDownByACountingOffset) {
  // 3 x 4, depth 1: rows 2, 1, 0; offsets 0, 1, 0 across each row.
  Image img = Numbered(3, 4);
  RippleTooth(img, 1);
  EXPECT_EQ(img, Gray({{1, 2, 3}, {4, 2, 6}, {7, 5, 9}, {10, 8, 12}}));
  Image same = Numbered(3, 4);
  RippleTooth(same, 0);
  EXPECT_EQ(same, Numbered(3, 4));
}

TEST(Ripple, Random_MovesPixelsDownByLessThanTheDepth) {
  const Image src = Numbered(16, 12);
  Image img = src;
  Random rnd(5);
  RippleRandom(img, 4, rnd);
  EXPECT_NE(img, src);
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 12; ++y) {
      const int v = At(img, x, y);
      const int from_row = (v - 1) / 16;
      EXPECT_EQ((v - 1) % 16, x) << "pixels stay in their column";
      EXPECT_TRUE(from_row <= y && from_row > y - 4) << x << "," << y << " came from row " << from_row;
    }
}

TEST(Tile, OnePixelHigh_UsesSideOne) {
  // s = 1: the whole image shrinks to the pixel under its centre (column 2 of 5).
  Image img = Gray({{1, 2, 3, 4, 5}});
  Tile(img, TileMode::Normal, 10);
  EXPECT_EQ(img, Gray({{3, 3, 3, 3, 3}}));
}

TEST(Tile, NormalAndOverlap_RepeatTheShrunkImage) {
  // 4 x 4, side 2: the tile samples columns and rows 1 and 3.
  Image normal = Numbered(4, 4);
  Tile(normal, TileMode::Normal, 2);
  const int n[4] = {1, 3, 1, 3};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(normal, x, y), 4 * n[y] + n[x] + 1);
  // 6 x 6, side 3, step round(2) = 2: tiles at 0, 2, 4 overlap; the later one wins.
  Image overlap = Numbered(6, 6);
  Tile(overlap, TileMode::Overlap, 3);
  const int o[6] = {1, 3, 1, 3, 1, 3};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(At(overlap, x, y), 6 * o[y] + o[x] + 1);
}
