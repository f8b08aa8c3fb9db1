// Every format written and read back in every pixel format.
#include <gtest/gtest.h>

#include <cstdlib>

#include "codec_fixtures.h"
#include "common/error.h"
#include "common/text.h"
#include "imaging/codec.h"
#include "imaging/codec_jpeg.h"
#include "imaging/convert.h"
#include "synthetic_photo.h"
#include "temp_folder.h"

namespace ocelot::imaging {
namespace {

constexpr PixelFormat kFormats[] = {PixelFormat::BlackWhite, PixelFormat::Gray16,    PixelFormat::Gray256,
                                    PixelFormat::Colour16,   PixelFormat::Colour256, PixelFormat::TrueColour};

void ExpectSameColours(const Image& a, const Image& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  int mismatches = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) mismatches += !(a.PixelColour(x, y) == b.PixelColour(x, y));
  EXPECT_EQ(mismatches, 0);
}

TEST(WriteImage, LosslessFormats_KeepPixelFormatColoursAndResolution) {
  // 13 x 7 leaves partial bytes and padded rows for every packed format.
  struct Case { FileType type; const char* extension; bool keeps_dpi; };
  const Case cases[] = {{FileType::Bmp, ".bmp", true}, {FileType::Pcx, ".pcx", true}, {FileType::Png, ".png", true},
                        {FileType::Tiff, ".tif", true}, {FileType::Tga, ".tga", false}, {FileType::Gif, ".gif", false}};
  for (const auto& c : cases)
    for (PixelFormat format : kFormats) {
      SCOPED_TRACE(::testing::Message() << "type " << static_cast<int>(c.type) << " format " << static_cast<int>(format));
      Image img = fixtures::Pattern(13, 7, format);
      img.Dpi() = Resolution{96, 120};
      const Image back = ReadImage(WriteImage(img, c.type), c.extension);
      // GIF holds palettes only: true colour comes back as 256 colours (exact here, the
      // image has fewer than 236 colours).
      const PixelFormat expected = c.type == FileType::Gif && format == PixelFormat::TrueColour ? PixelFormat::Colour256 : format;
      EXPECT_EQ(back.Format(), expected);
      EXPECT_EQ(back.Dpi(), c.keeps_dpi ? img.Dpi() : Resolution{});
      ExpectSameColours(back, img);
    }
}

double MeanAbsoluteError(const Image& a, const Image& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const Rgb p = a.PixelColour(x, y), q = b.PixelColour(x, y);
      sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
    }
  return sum / (3.0 * a.Width() * a.Height());
}

TEST(WriteImage, Jpeg_GraysStayGrayColoursBecomeTrueColourCloseToTheOriginal) {
  const Image photo = samples::SyntheticPhoto(64, 48);
  for (PixelFormat format : kFormats) {
    SCOPED_TRACE(static_cast<int>(format));
    Image img = ConvertToFormat(photo, format);
    img.Dpi() = Resolution{300, 300};
    const Image back = ReadImage(WriteImage(img, FileType::Jpeg, {100, false}), {});
    const bool gray = IsGray(format) || format == PixelFormat::BlackWhite;
    EXPECT_EQ(back.Format(), gray ? PixelFormat::Gray256 : PixelFormat::TrueColour);
    EXPECT_EQ(back.Dpi(), img.Dpi());
    EXPECT_LT(MeanAbsoluteError(back, img), 2.0);
  }
}

TEST(EncodeJpeg, ProgressiveFlagAndQuality_ShowInTheFile) {
  const Image photo = samples::SyntheticPhoto(64, 48);
  auto has_marker = [](const std::vector<std::uint8_t>& f, std::uint8_t marker) {
    for (std::size_t i = 0; i + 1 < f.size(); ++i)
      if (f[i] == 0xFF && f[i + 1] == marker) return true;
    return false;
  };
  const auto baseline = EncodeJpeg(photo, 75, false), progressive = EncodeJpeg(photo, 75, true);
  EXPECT_TRUE(has_marker(baseline, 0xC0));
  EXPECT_FALSE(has_marker(baseline, 0xC2));
  EXPECT_TRUE(has_marker(progressive, 0xC2));
  // The same coefficients in a different order: both decode to the same pixels.
  EXPECT_EQ(DecodeJpeg(progressive), DecodeJpeg(baseline));
  EXPECT_LT(EncodeJpeg(photo, 10, false).size(), EncodeJpeg(photo, 90, false).size());
  // Quality 0 is the lowest libjpeg knows, not an error.
  EXPECT_NO_THROW(DecodeJpeg(EncodeJpeg(photo, 0, true)));
}

TEST(WriteImageFile, ByExtensionInAnyCase_ReadsBackFromDisk) {
  TempFolder dir;
  const Image img = fixtures::Pattern(9, 5, PixelFormat::Colour16);
  for (const char* name : {"a.BMP", "b.gif", "c.Pcx", "d.png", "e.tga", "f.tif", "g.TIFF"}) {
    SCOPED_TRACE(name);
    const std::string path = JoinPath(dir.path(), name);
    WriteImageFile(path, img);
    const Image back = ReadImageFile(path);
    EXPECT_EQ(back.Format(), PixelFormat::Colour16);
    ExpectSameColours(back, img);
  }
  WriteImageFile(JoinPath(dir.path(), "h.JPEG"), img);
  EXPECT_EQ(ReadImageFile(JoinPath(dir.path(), "h.JPEG")).Format(), PixelFormat::TrueColour);
  EXPECT_THROW(WriteImageFile(JoinPath(dir.path(), "i.webp"), img), Error);
}

TEST(WriteImage, EmptyImage_ThrowsError) {
  for (FileType type : {FileType::Bmp, FileType::Gif, FileType::Jpeg, FileType::Pcx, FileType::Png, FileType::Tga, FileType::Tiff})
    EXPECT_THROW(WriteImage(Image(), type), Error);
}

}  // namespace
}  // namespace ocelot::imaging
