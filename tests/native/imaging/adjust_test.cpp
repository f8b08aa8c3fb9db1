#include "imaging/adjust.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/error.h"
#include "imaging/random.h"

using namespace ocelot::imaging;

namespace {

Image Pixel(std::uint8_t b, std::uint8_t g, std::uint8_t r) {
  Image img(1, 1, PixelFormat::TrueColour);
  img.Row(0)[0] = b;
  img.Row(0)[1] = g;
  img.Row(0)[2] = r;
  return img;
}

// The byte v becomes after `op` (applied to a pixel whose three bytes are v).
int After(const std::function<void(Image&)>& op, std::uint8_t v) {
  Image img = Pixel(v, v, v);
  op(img);
  return img.Row(0)[0];
}

}  // namespace

TEST(Adjust, PerByteFormulas_GiveTheDocumentedValues) {
  const struct { const char* what; std::function<void(Image&)> op; int in, out; } cases[] = {
      {"lighten 250 of 0", [](Image& i) { Lighten(i, 250); }, 0, 250},
      {"lighten 250 of 255", [](Image& i) { Lighten(i, 250); }, 255, 255},
      {"lighten 5 of 100", [](Image& i) { Lighten(i, 5); }, 100, 103},  // 775 div 255 = 3
      {"darken 250 of 255", [](Image& i) { Darken(i, 250); }, 255, 5},
      {"darken 250 of 0", [](Image& i) { Darken(i, 250); }, 0, 0},
      {"contrast 250 of 200", [](Image& i) { Contrast(i, 250); }, 200, 255},  // 271 limited
      {"contrast 250 of 127", [](Image& i) { Contrast(i, 250); }, 127, 127},
      {"contrast 250 of 10", [](Image& i) { Contrast(i, 250); }, 10, 0},  // 10 - 114 limited
      {"contrast -250 of 200", [](Image& i) { Contrast(i, -250); }, 200, 129},
      {"contrast -250 of 50", [](Image& i) { Contrast(i, -250); }, 50, 125},  // d = -75, toward zero
  };
  for (const auto& c : cases) EXPECT_EQ(After(c.op, static_cast<std::uint8_t>(c.in)), c.out) << c.what;
}

TEST(Adjust, NeutralSettings_LeaveEveryPixelUnchanged) {
  Image img(16, 16, PixelFormat::TrueColour);
  Random rnd(3);
  for (auto& b : img.Pixels()) b = static_cast<std::uint8_t>(rnd.Next(256));
  const Image before = img;
  Lighten(img, 0);   // brightness at 50
  Darken(img, 0);
  Contrast(img, 0);  // contrast at 50
  Saturation(img, 255);  // saturation at 17
  EXPECT_EQ(img, before);
}

TEST(Saturation, Pixel30_60_90_GraysOrSpreadsAroundTheMean) {
  const struct { int k; std::uint8_t b, g, r; } cases[] = {
      {0, 60, 60, 60},
      {510, 0, 60, 120},
      {100, 49, 60, 71},  // (-30 x 100) div 255 = -11, toward zero
      {1500, 0, 60, 236},
  };
  for (const auto& c : cases) {
    Image img = Pixel(30, 60, 90);
    Saturation(img, c.k);
    EXPECT_EQ(img, Pixel(c.b, c.g, c.r)) << "k = " << c.k;
  }
}

TEST(Adjust, IndexedWorkingCopy_IsRefused) {
  Image img(2, 2, PixelFormat::Gray256);
  EXPECT_THROW(Lighten(img, 10), ocelot::Error);
  EXPECT_THROW(Saturation(img, 10), ocelot::Error);
}

TEST(Grayscale, WeightsByThousandths_Into256Grays) {
  Image img(3, 1, PixelFormat::TrueColour);
  const std::uint8_t bytes[] = {255, 255, 255, 0, 0, 255, 10, 200, 30};  // white, red, mixed
  std::copy(std::begin(bytes), std::end(bytes), img.Pixels().begin());
  const Image gray = Grayscale(img);
  EXPECT_EQ(gray.Format(), PixelFormat::Gray256);
  EXPECT_EQ(gray.Palette(), GrayPalette(PixelFormat::Gray256));
  EXPECT_EQ(gray.Row(0)[0], 255);
  EXPECT_EQ(gray.Row(0)[1], 76);   // 299 x 255 div 1000
  EXPECT_EQ(gray.Row(0)[2], 127);  // (8970 + 117400 + 1140) div 1000
}

TEST(Invert, ByPixelFormat_InvertsBytesIndexesOrPalette) {
  EXPECT_EQ(Invert(Pixel(0, 100, 255)), Pixel(255, 155, 0));

  Image bw(2, 1, PixelFormat::BlackWhite);
  bw.Row(0)[1] = 1;
  const Image ibw = Invert(bw);
  EXPECT_EQ(ibw.Row(0)[0], 1);
  EXPECT_EQ(ibw.Row(0)[1], 0);

  Image g16(1, 1, PixelFormat::Gray16);
  g16.Row(0)[0] = 3;
  EXPECT_EQ(Invert(g16).Row(0)[0], 12);

  Image c16(1, 1, PixelFormat::Colour16);
  c16.Palette() = {Rgb{10, 20, 30}, Rgb{255, 0, 128}};
  c16.Row(0)[0] = 1;
  const Image ic16 = Invert(c16);
  EXPECT_EQ(ic16.Row(0)[0], 1);
  EXPECT_EQ(ic16.Palette(), (std::vector<Rgb>{Rgb{245, 235, 225}, Rgb{0, 255, 127}}));
}
