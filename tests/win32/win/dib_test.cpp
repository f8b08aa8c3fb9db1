#include "win/dib.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace ocelot;
using imaging::Image;
using imaging::PixelFormat;

namespace {
Image Pattern(int w, int h, PixelFormat f) {
  Image img(w, h, f);
  if (f != PixelFormat::TrueColour) {
    img.Palette().resize(256);
    for (int i = 0; i < 256; ++i)
      img.Palette()[static_cast<std::size_t>(i)] = imaging::Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7};
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < static_cast<int>(img.Stride()); ++x) img.Row(y)[x] = static_cast<std::uint8_t>(x * 7 + y * 13);
  return img;
}

void ExpectSameColours(const Image& a, const Image& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(a.PixelColour(x, y), b.PixelColour(x, y)) << x << "," << y;
}
}  // namespace

TEST(Dib, PackedRoundTripKeepsEveryColour) {
  // Odd widths exercise the row padding.
  for (auto f : {PixelFormat::TrueColour, PixelFormat::Colour256}) {
    const Image img = Pattern(13, 5, f);
    const auto dib = win::PackedDibFromImage(img);
    const auto back = win::ImageFromPackedDib(dib.data(), dib.size());
    ASSERT_TRUE(back.has_value());
    ExpectSameColours(img, *back);
  }
}

TEST(Dib, ThirtyTwoBitAndBitFieldsAreRead) {
  // A 2 x 2 top-down 32-bit DIB, plain and with 5-6-5 bit fields at 16 bits.
  struct {
    BITMAPINFOHEADER h;
    DWORD px[4];
  } plain{};
  plain.h = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 16, 0, 0, 0, 0};
  plain.px[0] = 0x00FF0000;  // red
  plain.px[3] = 0x000000FF;  // blue
  auto img = win::ImageFromPackedDib(reinterpret_cast<const std::uint8_t*>(&plain), sizeof plain);
  ASSERT_TRUE(img.has_value());
  EXPECT_EQ(img->PixelColour(0, 0), (imaging::Rgb{255, 0, 0}));
  EXPECT_EQ(img->PixelColour(1, 1), (imaging::Rgb{0, 0, 255}));

  struct {
    BITMAPINFOHEADER h;
    DWORD masks[3];
    WORD px[4];
  } fields{};
  fields.h = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 2, 1, 16, BI_BITFIELDS, 8, 0, 0, 0, 0};
  fields.masks[0] = 0xF800;
  fields.masks[1] = 0x07E0;
  fields.masks[2] = 0x001F;
  fields.px[0] = 0x07E0;  // bottom-up: the first row stored is the bottom row; green
  img = win::ImageFromPackedDib(reinterpret_cast<const std::uint8_t*>(&fields), sizeof fields);
  ASSERT_TRUE(img.has_value());
  EXPECT_EQ(img->PixelColour(0, 1), (imaging::Rgb{0, 255, 0}));
}

TEST(Dib, TruncatedOrLyingHeadersAreRefused) {
  const auto dib = win::PackedDibFromImage(Pattern(8, 8, PixelFormat::TrueColour));
  EXPECT_FALSE(win::ImageFromPackedDib(dib.data(), dib.size() - 1).has_value());
  EXPECT_FALSE(win::ImageFromPackedDib(dib.data(), 10).has_value());
  auto lying = dib;
  reinterpret_cast<BITMAPINFOHEADER*>(lying.data())->biHeight = 100000;
  EXPECT_FALSE(win::ImageFromPackedDib(lying.data(), lying.size()).has_value());
}

TEST(Dib, ClipboardCarriesTheImage) {
  const Image img = Pattern(31, 17, PixelFormat::TrueColour);
  ASSERT_TRUE(win::PutImageOnClipboard(nullptr, img));
  const auto back = win::ImageFromClipboard(nullptr);
  ASSERT_TRUE(back.has_value());
  ExpectSameColours(img, *back);
  EXPECT_TRUE(win::EmptyTheClipboard(nullptr));
  EXPECT_FALSE(win::ImageFromClipboard(nullptr).has_value());
}

namespace {
// Puts raw CF_DIB bytes on the clipboard, as another program would.
bool PutRawDib(const std::vector<std::uint8_t>& dib) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, dib.size());
  if (!mem) return false;
  std::memcpy(GlobalLock(mem), dib.data(), dib.size());
  GlobalUnlock(mem);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(mem);
    return false;
  }
  EmptyClipboard();
  const bool ok = SetClipboardData(CF_DIB, mem) != nullptr;
  CloseClipboard();
  if (!ok) GlobalFree(mem);
  return ok;
}
}  // namespace

TEST(Dib, ClipboardDibOfAnotherProgram_ReadByTheImageLibrary) {
  // 3 x 2 pixels of RLE8 with two palette entries, bottom-up: a run of 3 x index 1 in the
  // bottom row, 3 x index 0 above it.
  std::vector<std::uint8_t> dib(sizeof(BITMAPINFOHEADER));
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  *h = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 3, 2, 1, 8, BI_RLE8, 8, 0, 0, 2, 0};
  dib.insert(dib.end(), {0, 0, 255, 0, 255, 0, 0, 0});  // red, blue
  dib.insert(dib.end(), {3, 1, 0, 0, 3, 0, 0, 1});
  ASSERT_TRUE(PutRawDib(dib));
  const auto image = win::ImageFromClipboard(nullptr);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->Format(), PixelFormat::TrueColour);
  EXPECT_EQ(image->PixelColour(2, 1), (imaging::Rgb{0, 0, 255}));
  EXPECT_EQ(image->PixelColour(0, 0), (imaging::Rgb{255, 0, 0}));

  // The same header claiming 100000 rows of colours it does not have: refused, not read.
  reinterpret_cast<BITMAPINFOHEADER*>(dib.data())->biClrUsed = 200;
  reinterpret_cast<BITMAPINFOHEADER*>(dib.data())->biHeight = 100000;
  ASSERT_TRUE(PutRawDib(dib));
  EXPECT_FALSE(win::ImageFromClipboard(nullptr).has_value());
  EXPECT_TRUE(win::EmptyTheClipboard(nullptr));
}
