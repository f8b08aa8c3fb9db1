// Pixel format conversions: the gray formula, exact palettes for few colours, the GIF
// palette layout, and nearest-colour mapping without dithering.
#include <gtest/gtest.h>

#include <climits>

#include "codec_fixtures.h"
#include "imaging/convert.h"
#include "synthetic_photo.h"

namespace ocelot::imaging {
namespace {

Image OneRow(std::initializer_list<Rgb> colours) {
  Image img(static_cast<int>(colours.size()), 1, PixelFormat::TrueColour);
  int x = 0;
  for (const Rgb& c : colours) {
    img.Row(0)[3 * x] = c.b;
    img.Row(0)[3 * x + 1] = c.g;
    img.Row(0)[3 * x + 2] = c.r;
    ++x;
  }
  return img;
}

// Index of the nearest palette colour by squared distance, lowest index on ties.
std::size_t Nearest(const std::vector<Rgb>& palette, Rgb c) {
  std::size_t best = 0;
  int best_d = INT_MAX;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < best_d) {
      best_d = d;
      best = i;
    }
  }
  return best;
}

void ExpectEveryPixelNearest(const Image& source, const Image& mapped) {
  int wrong = 0;
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x)
      wrong += mapped.Row(y)[x] != Nearest(mapped.Palette(), source.PixelColour(x, y));
  EXPECT_EQ(wrong, 0);
}

TEST(ToGray256, WeightsRedGreenBlue299_587_114AndTruncates) {
  const Image gray = ToGray256(OneRow({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}, {255, 255, 255}, {1, 1, 1}}));
  ASSERT_EQ(gray.Format(), PixelFormat::Gray256);
  const std::uint8_t expected[] = {76, 149, 29, 18, 255, 1};  // e.g. (2990 + 11740 + 3420) div 1000 = 18
  for (int x = 0; x < 6; ++x) EXPECT_EQ(gray.Row(0)[x], expected[x]) << x;
}

TEST(ToGray256, IndexedSource_UsesPaletteColours) {
  Image img(2, 1, PixelFormat::Colour16);
  img.Palette() = {Rgb{0, 0, 0}, Rgb{100, 200, 50}};
  img.Row(0)[0] = 1;
  EXPECT_EQ(ToGray256(img).Row(0)[0], (299 * 100 + 587 * 200 + 114 * 50) / 1000);
}

TEST(ToTrueColour, EveryIndexedFormat_GivesThePaletteColours) {
  for (auto format : {PixelFormat::BlackWhite, PixelFormat::Gray16, PixelFormat::Colour256}) {
    Image img = fixtures::Pattern(5, 3, format);
    img.Dpi() = Resolution{72, 72};
    const Image rgb = ToTrueColour(img);
    ASSERT_EQ(rgb.Format(), PixelFormat::TrueColour);
    EXPECT_EQ(rgb.Dpi(), img.Dpi());
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(rgb.PixelColour(x, y), img.PixelColour(x, y));
  }
}

TEST(To256Colours, FewColours_KeptExactly) {
  const Image img = fixtures::Pattern(40, 30, PixelFormat::TrueColour);  // 1200 pixels, fewer distinct colours?
  const Image few = ToTrueColour(fixtures::Pattern(40, 30, PixelFormat::Colour256));
  const Image out = To256Colours(few);
  EXPECT_EQ(out.Format(), PixelFormat::Colour256);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(out.PixelColour(x, y), few.PixelColour(x, y));
  EXPECT_LE(To256Colours(img).Palette().size(), 256u);
}

TEST(To16Colours, Photo_SixteenEntriesEveryPixelNearest) {
  const Image photo = samples::SyntheticPhoto(80, 60);
  const Image out = To16Colours(photo);
  EXPECT_EQ(out.Format(), PixelFormat::Colour16);
  EXPECT_EQ(out.Palette().size(), 16u);
  ExpectEveryPixelNearest(photo, out);
}

TEST(ToGifPalette, StaticColoursFirstTenAndLastTen_PixelsNearestOfAll256) {
  const Image photo = samples::SyntheticPhoto(120, 90);
  const Image gif = ToGifPalette(photo);
  ASSERT_EQ(gif.Format(), PixelFormat::Colour256);
  ASSERT_EQ(gif.Palette().size(), 256u);
  const auto& fixed = SystemStaticColours();
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(gif.Palette()[static_cast<std::size_t>(i)], fixed[static_cast<std::size_t>(i)]);
    EXPECT_EQ(gif.Palette()[246 + static_cast<std::size_t>(i)], fixed[10 + static_cast<std::size_t>(i)]);
  }
  EXPECT_EQ(fixed[0], (Rgb{0, 0, 0}));
  EXPECT_EQ(fixed[7], (Rgb{192, 192, 192}));
  EXPECT_EQ(fixed[19], (Rgb{255, 255, 255}));
  ExpectEveryPixelNearest(photo, gif);
}

TEST(ToGifPalette, FewColours_EachExactlyInThePalette) {
  const Image img = OneRow({{1, 2, 3}, {250, 10, 10}, {255, 255, 255}, {1, 2, 3}});
  const Image gif = ToGifPalette(img);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(gif.PixelColour(x, 0), img.PixelColour(x, 0));
  EXPECT_EQ(gif.Row(0)[2], 255) << "white is a static colour, at entry 255";
}

TEST(ConvertToFormat, EveryTarget_GivesThatFormat) {
  const Image photo = samples::SyntheticPhoto(30, 20);
  for (auto format : {PixelFormat::BlackWhite, PixelFormat::Gray16, PixelFormat::Gray256, PixelFormat::Colour16,
                      PixelFormat::Colour256, PixelFormat::TrueColour}) {
    const Image out = ConvertToFormat(photo, format);
    EXPECT_EQ(out.Format(), format);
    EXPECT_EQ(out.Width(), 30);
  }
  // Gray16 rounds to the nearest of 0, 17, ..., 255; black and white splits at 128.
  const Image levels = OneRow({{8, 8, 8}, {9, 9, 9}, {127, 127, 127}, {128, 128, 128}});
  const Image g16 = ToGray16(levels), bw = ToBlackWhite(levels);
  EXPECT_EQ(g16.Row(0)[0], 0);
  EXPECT_EQ(g16.Row(0)[1], 1);
  EXPECT_EQ(bw.Row(0)[2], 0);
  EXPECT_EQ(bw.Row(0)[3], 1);
}

}  // namespace
}  // namespace ocelot::imaging
