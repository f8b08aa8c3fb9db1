// The quantizer: exact answers where they exist, quality on a photograph, determinism.
#include <gtest/gtest.h>

#include "imaging/quantize.h"
#include "synthetic_photo.h"

namespace ocelot::imaging {
namespace {

double MeanSquaredError(const Image& a, const Image& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const Rgb p = a.PixelColour(x, y), q = b.PixelColour(x, y);
      sum += (p.r - q.r) * (p.r - q.r) + (p.g - q.g) * (p.g - q.g) + (p.b - q.b) * (p.b - q.b);
    }
  return sum / (3.0 * a.Width() * a.Height());
}

Image TwoClusters() {
  // Left half near (200, 30, 30), right half near (20, 40, 220), a little spread each.
  Image img(64, 16, PixelFormat::TrueColour);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) {
      std::uint8_t* p = img.Row(y) + 3 * x;
      const int d = (x + y) % 5 - 2;
      if (x < 32) {
        p[0] = static_cast<std::uint8_t>(30 + d), p[1] = static_cast<std::uint8_t>(30 - d), p[2] = static_cast<std::uint8_t>(200 + d);
      } else {
        p[0] = static_cast<std::uint8_t>(220 - d), p[1] = static_cast<std::uint8_t>(40 + d), p[2] = static_cast<std::uint8_t>(20 + d);
      }
    }
  return img;
}

TEST(QuantizePalette, FewerDistinctColoursThanAsked_ReturnsThemSortedWithoutTheFixedOnes) {
  Image img(3, 1, PixelFormat::TrueColour);
  const std::uint8_t px[] = {9, 9, 9, 0, 0, 0, 1, 2, 3};  // B,G,R: (9,9,9), black, (3,2,1)
  std::copy(std::begin(px), std::end(px), img.Row(0));
  const Rgb black{0, 0, 0};
  EXPECT_EQ(QuantizePalette(img, 16, std::span<const Rgb>(&black, 1)), (std::vector<Rgb>{{3, 2, 1}, {9, 9, 9}}));
  EXPECT_EQ(QuantizePalette(img, 16).size(), 3u);
}

TEST(QuantizePalette, TwoClustersIntoTwo_GivesTheirMeans) {
  auto palette = QuantizePalette(TwoClusters(), 2);
  ASSERT_EQ(palette.size(), 2u);
  std::sort(palette.begin(), palette.end(), [](Rgb a, Rgb b) { return a.r < b.r; });
  EXPECT_NEAR(palette[0].r, 20, 1);
  EXPECT_NEAR(palette[0].b, 220, 1);
  EXPECT_NEAR(palette[1].r, 200, 1);
  EXPECT_NEAR(palette[1].g, 30, 1);
}

TEST(QuantizePalette, Photo256Colours_SmallErrorAndSameEveryRun) {
  const Image photo = samples::SyntheticPhoto(200, 150);
  const auto palette = QuantizePalette(photo, 256);
  EXPECT_EQ(palette.size(), 256u);
  const Image mapped = MapToPalette(photo, palette, PixelFormat::Colour256);
  // ImageMagick's `convert +dither -colors 256` gives about 23 on the 1920 x 1080 version.
  EXPECT_LT(MeanSquaredError(photo, mapped), 18.0);
  EXPECT_EQ(QuantizePalette(photo, 256), palette);
  // Fewer colours cost more.
  EXPECT_GT(MeanSquaredError(photo, MapToPalette(photo, QuantizePalette(photo, 16), PixelFormat::Colour16)),
            MeanSquaredError(photo, mapped));
}

TEST(NearestColour, EqualDistances_LowestIndexWins) {
  const std::vector<Rgb> palette = {{10, 0, 0}, {0, 10, 0}, {0, 0, 10}, {0, 10, 0}};
  NearestColour nearest(palette);
  EXPECT_EQ(nearest.Find(Rgb{0, 0, 0}), 0);
  EXPECT_EQ(nearest.Find(Rgb{0, 9, 0}), 1);
  EXPECT_EQ(nearest.Find(Rgb{0, 9, 0}), 1);  // from the cache
  EXPECT_EQ(nearest.Find(Rgb{0, 0, 200}), 2);
}

TEST(MapToPalette, PaletteLargerThanTheFormat_Throws) {
  const Image img(2, 2, PixelFormat::TrueColour);
  EXPECT_THROW(MapToPalette(img, std::vector<Rgb>(17), PixelFormat::Colour16), std::invalid_argument);
  EXPECT_THROW(QuantizePalette(img, 0), std::invalid_argument);
}

}  // namespace
}  // namespace ocelot::imaging
