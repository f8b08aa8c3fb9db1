#include "imaging/transform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/error.h"
#include "imaging/pixel_math.h"

using namespace ocelot::imaging;

namespace {

// A true-colour image whose pixel (x, y) has all three bytes = values[y][x].
Image Gray(const std::vector<std::vector<std::uint8_t>>& values) {
  Image img(static_cast<int>(values[0].size()), static_cast<int>(values.size()), PixelFormat::TrueColour);
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) std::fill_n(img.Row(y) + 3 * x, 3, values[y][x]);
  return img;
}

// An indexed image whose pixel bytes are the given indexes, row by row.
Image Indexed(int w, int h, std::vector<std::uint8_t> bytes) {
  Image img(w, h, PixelFormat::Colour256);
  std::copy(bytes.begin(), bytes.end(), img.Pixels().begin());
  img.Palette().assign(256, Rgb{1, 2, 3});
  return img;
}

std::vector<std::uint8_t> Bytes(const Image& img) { return {img.Pixels().begin(), img.Pixels().end()}; }

}  // namespace

TEST(Flip, HorizontalAndVertical_MirrorPixelsAndKeepFormat) {
  const Image src = Indexed(3, 2, {1, 2, 3, 4, 5, 6});
  const Image h = FlipHorizontal(src);
  EXPECT_EQ(Bytes(h), (std::vector<std::uint8_t>{3, 2, 1, 6, 5, 4}));
  EXPECT_EQ(h.Format(), PixelFormat::Colour256);
  EXPECT_EQ(h.Palette(), src.Palette());
  EXPECT_EQ(Bytes(FlipVertical(src)), (std::vector<std::uint8_t>{4, 5, 6, 1, 2, 3}));
  EXPECT_EQ(FlipHorizontal(Gray({{10, 20}})), Gray({{20, 10}}));
  EXPECT_TRUE(FlipHorizontal(Image()).Empty());
}

TEST(Rotate, RightAngles_AreExactTurns) {
  // 1 2 3
  // 4 5 6
  const Image src = Indexed(3, 2, {1, 2, 3, 4, 5, 6});
  const struct { double degrees; int w; std::vector<std::uint8_t> bytes; } cases[] = {
      {0, 3, {1, 2, 3, 4, 5, 6}},   {360, 3, {1, 2, 3, 4, 5, 6}}, {90, 2, {4, 1, 5, 2, 6, 3}},
      {450, 2, {4, 1, 5, 2, 6, 3}}, {180, 3, {6, 5, 4, 3, 2, 1}}, {270, 2, {3, 6, 2, 5, 1, 4}},
      {-90, 2, {3, 6, 2, 5, 1, 4}},
  };
  for (const auto& c : cases) {
    const Image out = Rotate(src, c.degrees);
    EXPECT_EQ(out.Width(), c.w) << c.degrees;
    EXPECT_EQ(out.Format(), PixelFormat::Colour256) << c.degrees;
    EXPECT_EQ(Bytes(out), c.bytes) << c.degrees;
  }
}

TEST(Rotate, NinetyOf200x100_Gives100x200) {
  const Image out = Rotate(Image(200, 100, PixelFormat::TrueColour), 90);
  EXPECT_EQ(out.Width(), 100);
  EXPECT_EQ(out.Height(), 200);
}

TEST(Rotate, FortyFive_EnlargesToBoundingBoxWithWhiteCorners) {
  Image src(200, 100, PixelFormat::TrueColour);  // black
  const Image out = Rotate(src, 45);
  EXPECT_EQ(out.Format(), PixelFormat::TrueColour);
  EXPECT_EQ(out.Width(), 213);  // ceil(300 x cos 45) = ceil(212.13)
  EXPECT_EQ(out.Height(), 213);
  EXPECT_EQ(out.PixelColour(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(out.PixelColour(212, 212), (Rgb{255, 255, 255}));
  EXPECT_EQ(out.PixelColour(106, 106), (Rgb{0, 0, 0}));
}

TEST(Rotate, OddAngle_SamplesNearestPixelClockwise) {
  // 9 x 9 turned by 45 degrees gives 13 x 13 with the same centre pixel; the marker three
  // pixels right of the centre moves down-right (clockwise on screen), to (+2, +2).
  std::vector<std::vector<std::uint8_t>> v(9, std::vector<std::uint8_t>(9, 0));
  v[4][4] = 100;
  v[4][7] = 50;
  const Image out = Rotate(Gray(v), 45);
  ASSERT_EQ(out.Width(), 13);
  ASSERT_EQ(out.Height(), 13);
  EXPECT_EQ(out.PixelColour(6, 6).r, 100);
  EXPECT_EQ(out.PixelColour(8, 8).r, 50);
  EXPECT_EQ(out.PixelColour(8, 4).r, 0);
  EXPECT_EQ(out.PixelColour(0, 0).r, 255);
}

TEST(Mirror, RightAndDown_CopyTheFirstHalfOverTheSecond) {
  EXPECT_EQ(MirrorRight(Gray({{1, 2, 3, 4}})), Gray({{1, 2, 2, 1}}));
  EXPECT_EQ(MirrorRight(Gray({{1, 2, 3, 4, 5}})), Gray({{1, 2, 3, 2, 1}}));
  EXPECT_EQ(MirrorDown(Gray({{7}, {8}, {9}})), Gray({{7}, {8}, {7}}));
  EXPECT_EQ(MirrorDown(Gray({{7}, {8}, {9}, {6}})), Gray({{7}, {8}, {8}, {7}}));
  EXPECT_EQ(MirrorRight(Indexed(2, 1, {5, 6})).Format(), PixelFormat::TrueColour);
}

TEST(Mirror, NoColumnsOrNoRows_GiveTheEmptyImageBack) {
  // Sanitizers watch for the reads outside the image these once made.
  const struct { int w, h; PixelFormat format; } cases[] = {
      {0, 3, PixelFormat::TrueColour}, {4, 0, PixelFormat::TrueColour}, {0, 0, PixelFormat::TrueColour},
      {0, 5, PixelFormat::Colour256},  {1, 1, PixelFormat::TrueColour},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
    const Image src(c.w, c.h, c.format);
    for (Image (*mirror)(const Image&) : {MirrorRight, MirrorDown}) {
      const Image out = mirror(src);
      EXPECT_EQ(out.Width(), c.w);
      EXPECT_EQ(out.Height(), c.h);
      EXPECT_EQ(out.Format(), PixelFormat::TrueColour);
    }
  }
}

TEST(Wave, SmallestAmplitude_LeavesImageUnchanged) {
  const Image src = Gray({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  Image dst(3, 3, PixelFormat::TrueColour);
  Wave(src, dst, 0.05, 0.01, 0.01, false);
  EXPECT_EQ(dst, src);
}

TEST(Wave, RowShiftPastTheEdge_WrapsOrKeepsPreviousValue) {
  // Y(1) = round(2 sin(1 / (2 / pi))) = 2, Y(0) = 0; X(x) = 0 for every column.
  const Image src = Gray({{1, 2, 3, 4, 5}, {11, 12, 13, 14, 15}});
  const double dy = 2.0 / kPi;
  Image kept = Gray({{0, 0, 0, 0, 0}, {99, 99, 99, 99, 99}});
  Wave(src, kept, 2.0, 1e9, dy, false);
  EXPECT_EQ(kept, Gray({{1, 2, 3, 4, 5}, {13, 14, 15, 99, 99}}));
  Image wrapped(5, 2, PixelFormat::TrueColour);
  Wave(src, wrapped, 2.0, 1e9, dy, true);
  EXPECT_EQ(wrapped, Gray({{1, 2, 3, 4, 5}, {13, 14, 15, 11, 12}}));
}

TEST(Wave, MismatchedBitmaps_AreRefused) {
  Image dst(2, 2, PixelFormat::Gray256);
  EXPECT_THROW(Wave(Image(2, 2, PixelFormat::TrueColour), dst, 1, 1, 1, false), std::invalid_argument);
}

TEST(ResizeTarget, AspectRules_ShrinkOnePixelAtATime) {
  const struct { int w0, h0, w, h; bool keep; Size expected; } cases[] = {
      {400, 200, 100, 100, true, {100, 50}},
      {400, 200, 300, 100, true, {201, 100}},  // round(202 x 0.5) = 101 > 100, round(100.5) = 100
      {200, 400, 100, 100, true, {50, 100}},
      {100, 100, 50, 80, true, {50, 50}},
      {400, 200, 640, 480, false, {640, 480}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResizeTarget(c.w0, c.h0, c.w, c.h, c.keep), c.expected) << c.w0 << "x" << c.h0 << " to " << c.w << "x" << c.h;
  EXPECT_THROW(ResizeTarget(400, 200, 100, 0, true), std::invalid_argument);
}

TEST(Resize, KeepAspect_ResamplesToTheFittedSize) {
  const Image out = Resize(Image(400, 200, PixelFormat::Gray256), 300, 100, true);
  EXPECT_EQ(out.Width(), 201);
  EXPECT_EQ(out.Height(), 100);
  EXPECT_EQ(out.Format(), PixelFormat::TrueColour);
}

TEST(Resize, EmptyImage_ThrowsTooSmall) {
  try {
    Resize(Image(), 10, 10, false);
    FAIL() << "no error";
  } catch (const ocelot::Error& e) {
    EXPECT_STREQ(e.what(), "Source bitmap too small");
  }
}

TEST(PixelMath, SinCos_AgreeWithTheCLibraryToRoundingError) {
  // Our own sin and cos give the rotation and wave the same bits in every build; they must
  // still be the functions they claim to be, across the wave's argument range.
  for (double x = -2000.0; x <= 400000.0; x += 37.77) {
    EXPECT_NEAR(Sin(x), std::sin(x), 1e-12) << x;
    EXPECT_NEAR(Cos(x), std::cos(x), 1e-12) << x;
  }
  EXPECT_EQ(Sin(0.0), 0.0);
  EXPECT_EQ(Cos(0.0), 1.0);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
}
