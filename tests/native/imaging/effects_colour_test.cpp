#include "imaging/effects_colour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "common/error.h"

using namespace ocelot::imaging;

namespace {

Image Bytes(int w, std::initializer_list<std::uint8_t> bytes) {
  Image img(w, static_cast<int>(bytes.size()) / 3 / w, PixelFormat::TrueColour);
  std::copy(bytes.begin(), bytes.end(), img.Pixels().begin());
  return img;
}

Image Uniform(int w, int h, std::uint8_t v) {
  Image img(w, h, PixelFormat::TrueColour);
  std::fill(img.Pixels().begin(), img.Pixels().end(), v);
  return img;
}

}  // namespace

TEST(Noise, RangeZero_LeavesImageUnchanged) {
  Image img = Bytes(2, {0, 1, 2, 253, 254, 255});
  const Image before = img;
  Random rnd(1);
  Noise(img, 0, rnd);
  EXPECT_EQ(img, before);
}

TEST(Noise, Range100_MovesEachByteByMinus50To49) {
  Image img = Uniform(64, 64, 128);
  Random rnd(7);
  Noise(img, 100, rnd);
  const auto [lo, hi] = std::minmax_element(img.Pixels().begin(), img.Pixels().end());
  EXPECT_EQ(*lo, 78);
  EXPECT_EQ(*hi, 177);
  // Limited at the ends instead of wrapping.
  Image dark = Uniform(64, 64, 10);
  Noise(dark, 100, rnd);
  EXPECT_EQ(*std::min_element(dark.Pixels().begin(), dark.Pixels().end()), 0);
  EXPECT_EQ(*std::max_element(dark.Pixels().begin(), dark.Pixels().end()), 59);
}

TEST(Noise, SameSeed_GivesSameImage) {
  Image a = Uniform(8, 8, 100), b = a;
  Random ra(42), rb(42);
  Noise(a, 40, ra);
  Noise(b, 40, rb);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, Uniform(8, 8, 100));
}

TEST(ChannelThreshold, ChosenByte_Becomes255InsideTheBoundsElse0) {
  // Bytes blue, green, red.
  Image img = Bytes(4, {1, 2, 15, 3, 4, 10, 5, 6, 20, 7, 8, 11});
  ChannelThreshold(img, Channel::Red, 10, 20);
  EXPECT_EQ(img, Bytes(4, {1, 2, 255, 3, 4, 0, 5, 6, 0, 7, 8, 255}));
  ChannelThreshold(img, Channel::Blue, 2, 6);
  EXPECT_EQ(img, Bytes(4, {0, 2, 255, 255, 4, 0, 255, 6, 0, 0, 8, 255}));
  // The sliders' start (low 50, high 0) clears the byte everywhere.
  ChannelThreshold(img, Channel::Green, 50, 0);
  EXPECT_EQ(img, Bytes(4, {0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0, 255}));
}

TEST(Posterize, Step_RoundsToMultiplesLimitedTo255) {
  const struct { int step; std::uint8_t in, out; } cases[] = {
      {2, 255, 255},  // 2 x 128 = 256, limited
      {2, 3, 4},      // round(1.5) = 2
      {2, 1, 0},      // round(0.5) = 0
      {2, 5, 4},      // round(2.5) = 2
      {1, 77, 77},
      {101, 50, 0},
      {101, 51, 101},
      {101, 255, 255},  // 3 x 101 limited
  };
  for (const auto& c : cases)
    EXPECT_EQ(Posterize(Bytes(1, {c.in, c.in, c.in}), c.step).Row(0)[0], c.out) << c.step << " " << int(c.in);
  EXPECT_THROW(Posterize(Uniform(1, 1, 0), 0), std::invalid_argument);
}

TEST(Solarize, AverageAboveThreshold_InvertsThePixel) {
  const Image src = Bytes(3, {1, 1, 2, 2, 2, 2, 0, 0, 255});
  // Threshold 1: averages 1 (copied), 2 (inverted), 85 (inverted).
  EXPECT_EQ(Solarize(src, 1), Bytes(3, {1, 1, 2, 253, 253, 253, 255, 255, 0}));
  EXPECT_EQ(Solarize(src, 85), src);
}

TEST(ColourEffects, InPlaceOnIndexedImage_IsRefused) {
  Image img(1, 1, PixelFormat::Colour256);
  Random rnd(1);
  EXPECT_THROW(Noise(img, 10, rnd), ocelot::Error);
  EXPECT_THROW(ChannelThreshold(img, Channel::Red, 0, 10), ocelot::Error);
}

TEST(Random, Next_StaysInRangeAndRepeatsPerSeed) {
  Random a(123), b(123), c(124);
  bool differs = false;
  for (int i = 0; i < 1000; ++i) {
    const int v = a.Next(7);
    EXPECT_TRUE(v >= 0 && v < 7) << v;
    EXPECT_EQ(b.Next(7), v);
    differs |= c.Next(7) != v;
  }
  EXPECT_TRUE(differs);
}

TEST(Random, NextOfZero_ReturnsZeroWithoutAdvancing) {
  Random a(5), b(5);
  EXPECT_EQ(a.Next(0), 0);
  EXPECT_EQ(a.Next(-3), 0);
  EXPECT_EQ(a.NextU32(), b.NextU32());
}
