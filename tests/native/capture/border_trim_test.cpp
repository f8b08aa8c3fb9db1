#include "capture/border_trim.h"

#include <gtest/gtest.h>

namespace ocelot::capture {
namespace {

using imaging::Image;
using imaging::PixelFormat;

Image Numbered(int w, int h) {
  Image image(w, h, PixelFormat::TrueColour);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      image.Row(y)[x * 3] = static_cast<std::uint8_t>(x);
      image.Row(y)[x * 3 + 1] = static_cast<std::uint8_t>(y);
      image.Row(y)[x * 3 + 2] = 7;
    }
  return image;
}

TEST(BorderTrim, TrimmedBorder_Sizes_OnePixelOffEachSideAboveFour) {
  const struct {
    int w, h, want_w, want_h;
  } cases[] = {{60, 40, 58, 38}, {5, 5, 3, 3}, {4, 40, 4, 40}, {40, 4, 40, 4}, {1, 1, 1, 1}};
  for (const auto& c : cases) {
    const Image out = TrimmedBorder(Numbered(c.w, c.h));
    EXPECT_EQ(out.Width(), c.want_w) << c.w << "x" << c.h;
    EXPECT_EQ(out.Height(), c.want_h) << c.w << "x" << c.h;
  }
}

TEST(BorderTrim, TrimmedBorder_Pixels_ShiftedByOne) {
  const Image out = TrimmedBorder(Numbered(10, 8));
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      ASSERT_EQ(out.Row(y)[x * 3], x + 1);
      ASSERT_EQ(out.Row(y)[x * 3 + 1], y + 1);
    }
}

TEST(BorderTrim, TrimmedBorder_Indexed_KeepsPalette) {
  Image image(6, 6, PixelFormat::Colour256);
  image.Palette() = {{1, 2, 3}, {4, 5, 6}};
  image.Row(1)[1] = 1;
  const Image out = TrimmedBorder(image);
  EXPECT_EQ(out.Format(), PixelFormat::Colour256);
  EXPECT_EQ(out.Palette(), image.Palette());
  EXPECT_EQ(out.Row(0)[0], 1);
}

}  // namespace
}  // namespace ocelot::capture
