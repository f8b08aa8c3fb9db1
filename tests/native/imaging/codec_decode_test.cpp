// Decoders against files built by hand or through the libraries directly, one table of
// variants per format.
#include <gtest/gtest.h>

#include <cstdlib>

#include "codec_fixtures.h"
#include "imaging/codec.h"
#include "imaging/codec_bmp.h"
#include "imaging/codec_gif.h"
#include "imaging/codec_pcx.h"
#include "imaging/codec_png.h"
#include "imaging/codec_tga.h"
#include "imaging/codec_tiff.h"

namespace ocelot::imaging {
namespace {

using fixtures::Fixture;

void ExpectDecodes(const Fixture& f, Image (*decode)(std::span<const std::uint8_t>, const ReadOptions&)) {
  SCOPED_TRACE(f.name);
  const Image got = decode(f.bytes, {});
  ASSERT_EQ(got.Width(), f.expected.Width());
  ASSERT_EQ(got.Height(), f.expected.Height());
  EXPECT_EQ(got.Format(), f.expected.Format());
  EXPECT_EQ(got.Dpi(), f.expected.Dpi());
  if (f.tolerance == 0) {
    EXPECT_EQ(got.Palette(), f.expected.Palette());
    EXPECT_TRUE(std::equal(got.Pixels().begin(), got.Pixels().end(), f.expected.Pixels().begin()));
    return;
  }
  for (int y = 0; y < got.Height(); ++y)
    for (int x = 0; x < got.Width(); ++x) {
      const Rgb a = got.PixelColour(x, y), b = f.expected.PixelColour(x, y);
      EXPECT_LE(std::abs(a.r - b.r), f.tolerance) << x << "," << y;
      EXPECT_LE(std::abs(a.g - b.g), f.tolerance) << x << "," << y;
      EXPECT_LE(std::abs(a.b - b.b), f.tolerance) << x << "," << y;
    }
}

TEST(DecodeBmp, EveryVariant_GivesTheImageAndKeepsItsFormat) {
  for (const auto& f : fixtures::BmpCases()) ExpectDecodes(f, DecodeBmp);
}

TEST(DecodePackedDib, EveryBmpVariantWithoutItsFileHeader_GivesTheSameImage) {
  for (auto f : fixtures::BmpCases()) {
    f.bytes.erase(f.bytes.begin(), f.bytes.begin() + 14);
    ExpectDecodes(f, DecodePackedDib);
  }
}

TEST(DecodePackedDib, ColourTableOfA24BitDib_IsSkippedBeforeTheRows) {
  // 2 x 1 pixels of 24 bits after two colour-table entries for displays of 256 colours.
  std::vector<std::uint8_t> dib = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0};
  dib.resize(32, 0);
  dib.insert(dib.end(), {2, 0, 0, 0, 0, 0, 0, 0});  // colours used: 2; important: 0
  dib.insert(dib.end(), {9, 9, 9, 0, 8, 8, 8, 0});
  dib.insert(dib.end(), {10, 20, 30, 40, 50, 60, 0, 0});
  const Image image = DecodePackedDib(dib);
  ASSERT_EQ(image.Width(), 2);
  EXPECT_EQ(image.PixelColour(0, 0), (Rgb{30, 20, 10}));
  EXPECT_EQ(image.PixelColour(1, 0), (Rgb{60, 50, 40}));
}

TEST(DecodePng, EveryDepthAndColourType_ReducedTo8BitsOnWhite) {
  for (const auto& f : fixtures::PngCases()) ExpectDecodes(f, DecodePng);
}

TEST(DecodeTga, EveryVariant_BothOriginsAndRunLength) {
  for (const auto& f : fixtures::TgaCases()) ExpectDecodes(f, DecodeTga);
}

TEST(DecodeTiff, HandBuiltVariants_GiveTheImage) {
  for (const auto& f : fixtures::TiffCases()) ExpectDecodes(f, DecodeTiff);
}

TEST(DecodePcx, HandBuiltVariants_GiveTheImage) {
  for (const auto& f : fixtures::PcxCases()) ExpectDecodes(f, DecodePcx);
}

TEST(DecodeGif, InterlacedWithTransparency_RowsInPlaceAndTransparentWhite) {
  ExpectDecodes(fixtures::InterlacedTransparentGif(), DecodeGif);
}

TEST(DecodeTiff, TiledFile_SameAsStrips) {
  // Tiles of 16 over a 37 x 21 image leave partial tiles on the right and bottom.
  for (auto format : {PixelFormat::BlackWhite, PixelFormat::Gray16, PixelFormat::Colour256, PixelFormat::TrueColour}) {
    SCOPED_TRACE(static_cast<int>(format));
    const Image img = fixtures::Pattern(37, 21, format);
    const auto tiled = EncodeTiff(img, {TiffCompression::Deflate, 16});
    const auto strips = EncodeTiff(img, {TiffCompression::None, 0});
    EXPECT_EQ(DecodeTiff(tiled), img);
    EXPECT_EQ(DecodeTiff(strips), img);
  }
}

}  // namespace
}  // namespace ocelot::imaging
