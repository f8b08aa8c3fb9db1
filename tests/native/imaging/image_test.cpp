#include "imaging/image.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace ocelot::imaging;

TEST(Image, NewImageIsZeroedWithPackedRows) {
  Image img(5, 3, PixelFormat::TrueColour);
  EXPECT_EQ(img.Stride(), 15u);
  EXPECT_EQ(img.Pixels().size(), 45u);
  for (auto b : img.Pixels()) EXPECT_EQ(b, 0);
}

TEST(Image, CopyIsDeepMoveLeavesSourceEmpty) {
  Image a(2, 2, PixelFormat::Gray256);
  Image b = a;
  b.Row(1)[1] = 200;
  EXPECT_EQ(a.Row(1)[1], 0);
  Image c = std::move(b);
  EXPECT_EQ(c.Row(1)[1], 200);
  EXPECT_EQ(c.PixelColour(1, 1), (Rgb{200, 200, 200}));
}

TEST(Image, GrayPalettesSpanBlackToWhite) {
  const struct { PixelFormat format; std::size_t size; std::uint8_t second; } cases[] = {
      {PixelFormat::BlackWhite, 2, 255}, {PixelFormat::Gray16, 16, 17}, {PixelFormat::Gray256, 256, 1}};
  for (const auto& c : cases) {
    auto pal = GrayPalette(c.format);
    ASSERT_EQ(pal.size(), c.size);
    EXPECT_EQ(pal.front(), (Rgb{0, 0, 0}));
    EXPECT_EQ(pal.back(), (Rgb{255, 255, 255}));
    EXPECT_EQ(pal[1].g, c.second);
  }
}

TEST(Image, RefusesBuffersBeyondTheLimit) {
  EXPECT_THROW(Image(100000, 100000, PixelFormat::TrueColour), std::length_error);
  EXPECT_THROW(Image(-1, 5, PixelFormat::Gray256), std::invalid_argument);
}
