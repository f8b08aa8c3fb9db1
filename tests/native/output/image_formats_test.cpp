#include "output/image_formats.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::output;
using ocelot::imaging::PixelFormat;

namespace {
void Touch(const std::string& path) { WriteFileBytes(path, std::vector<std::uint8_t>{1}); }
}  // namespace

TEST(NextPicName, TakesTheLowestFreeNumberPerExtension) {
  TempFolder dir;
  const std::string f = dir.path();
  EXPECT_EQ(NextPicName(f, ".BMP"), ToLower(f) + "\\pic1.bmp");
  Touch(JoinPath(f, "pic1.bmp"));
  Touch(JoinPath(f, "pic3.bmp"));
  EXPECT_EQ(NextPicName(f, ".BMP"), ToLower(f) + "\\pic2.bmp");
  EXPECT_EQ(NextPicName(f, ".PNG"), ToLower(f) + "\\pic1.png");  // pic1.bmp does not block it
  Touch(JoinPath(f, "pic2.bmp"));
  EXPECT_EQ(NextPicName(f, ".BMP"), ToLower(f) + "\\pic4.bmp");
}

TEST(NextPicName, LowerCasesTheWholePath) {
  EXPECT_EQ(NextPicName("C:\\No\\Such\\Folder", ".TIF"), "c:\\no\\such\\folder\\pic1.tif");
}

TEST(ImageFormats, TableOrderAndExtensions) {
  const char* want[][2] = {{"Windows Bitmap (BMP)", ".BMP"}, {"GIF (256 Colors)", ".GIF"}, {"JPEG", ".JPG"},
                           {"PCX", ".PCX"}, {"PNG", ".PNG"}, {"Targa (TGA)", ".TGA"}, {"TIFF", ".TIF"}};
  for (int i = 0; i < kImageFormatCount; ++i) {
    EXPECT_STREQ(ImageFormats()[i].list_text, want[i][0]);
    EXPECT_STREQ(ImageFormats()[i].extension, want[i][1]);
  }
}

TEST(ImageFormats, OneTable_CodecAndColourHandlingPerFormat) {
  using imaging::FileType;
  using settings::ImageFormat;
  const struct {
    ImageFormat format;
    FileType type;
    ColourHandling colours;
    const char* lower;
  } want[] = {
      {ImageFormat::Bmp, FileType::Bmp, ColourHandling::ReduceColours, ".bmp"},
      {ImageFormat::Gif, FileType::Gif, ColourHandling::GifPalette, ".gif"},
      {ImageFormat::Jpeg, FileType::Jpeg, ColourHandling::TrueColour, ".jpg"},
      {ImageFormat::Pcx, FileType::Pcx, ColourHandling::ReduceColours, ".pcx"},
      {ImageFormat::Png, FileType::Png, ColourHandling::ReduceColours, ".png"},
      {ImageFormat::Tga, FileType::Tga, ColourHandling::ReduceColours, ".tga"},
      {ImageFormat::Tiff, FileType::Tiff, ColourHandling::ReduceColours, ".tif"},
  };
  for (std::size_t i = 0; i < std::size(want); ++i) {
    const ImageFormatInfo& info = Describe(want[i].format);
    EXPECT_EQ(&info, &ImageFormats()[i]);
    EXPECT_EQ(settings::TableIndex(info.format), i);
    EXPECT_EQ(info.file_type, want[i].type) << i;
    EXPECT_EQ(info.colour_handling, want[i].colours) << i;
    EXPECT_EQ(LowerExtensionOf(want[i].format), want[i].lower) << i;
    // The codec writes by extension what the table says it writes.
    EXPECT_EQ(imaging::FileTypeFromExtension(info.extension), info.file_type) << i;
    EXPECT_EQ(ImageFormatOfExtension(want[i].lower), want[i].format) << i;
    EXPECT_EQ(ImageFormatOfExtension(info.extension), want[i].format) << i;
  }
  for (const char* other : {".jpeg", ".tiff", ".xyz", "", "bmp", ".bmp.", ".b"})
    EXPECT_EQ(ImageFormatOfExtension(other), std::nullopt) << other;
}

TEST(NextPicName, ByFormat_UsesTheFormatsExtension) {
  TempFolder dir;
  const std::string f = dir.path();
  Touch(JoinPath(f, "pic1.tif"));
  EXPECT_EQ(NextPicName(f, settings::ImageFormat::Tiff), ToLower(f) + "\\pic2.tif");
  EXPECT_EQ(NextPicName(f, settings::ImageFormat::Jpeg), ToLower(f) + "\\pic1.jpg");
}

TEST(ColorDepthText, NamesTheDepth) {
  const struct { int bpp; int planes; const char* text; } cases[] = {
      {1, 1, "2 Colors MonoChrome"},          {4, 1, "16 Colors "},
      {8, 1, "256 Colors "},                   {16, 1, "65536 Colors HiColor (16 Bit)"},
      {24, 1, "16777216 Colors TrueColor (24 Bit)"}, {32, 1, "4294967296 Colors TrueColor (32 Bit)"},
      {1, 4, "16 Colors MonoChrome"}};
  for (const auto& c : cases) EXPECT_EQ(ColorDepthText(c.bpp, c.planes), c.text) << c.bpp;
  EXPECT_TRUE(IsPaletteDisplay(ScreenColorCount(8, 1)));
  EXPECT_FALSE(IsPaletteDisplay(ScreenColorCount(16, 1)));
}

TEST(ColourReductionForSave, DependsOnDisplayAndCaptureFormat) {
  EXPECT_EQ(ColourReductionForSave(kJpegFormatIndex, 256), PixelFormat::Gray256);
  EXPECT_EQ(ColourReductionForSave(4, 256), PixelFormat::Colour256);
  EXPECT_EQ(ColourReductionForSave(kJpegFormatIndex, 16), PixelFormat::Colour16);
  EXPECT_EQ(ColourReductionForSave(0, 16), PixelFormat::Colour16);
  EXPECT_EQ(ColourReductionForSave(0, 65536), std::nullopt);
  EXPECT_EQ(ColourReductionForSave(kJpegFormatIndex, 16777216), std::nullopt);
}

TEST(ColourReductionForSave, ByTheShownFormat_NoneShownIsNotJpeg) {
  using settings::ImageFormat;
  EXPECT_EQ(ColourReductionForSave(ImageFormat::Jpeg, 256), PixelFormat::Gray256);
  EXPECT_EQ(ColourReductionForSave(ImageFormat::Gif, 256), PixelFormat::Colour256);
  EXPECT_EQ(ColourReductionForSave(std::nullopt, 256), PixelFormat::Colour256);
  EXPECT_EQ(ColourReductionForSave(-1, 256), PixelFormat::Colour256);  // the list shows nothing
  EXPECT_EQ(ColourReductionForSave(ImageFormat::Jpeg, 16), PixelFormat::Colour16);
  EXPECT_EQ(ColourReductionForSave(std::nullopt, 65536), std::nullopt);
}

TEST(ImageInfoText, FormatTextsAndTheGifRule) {
  const struct { const char* path; PixelFormat format; const char* text; } cases[] = {
      {"c:\\w\\a.gif", PixelFormat::Colour256, "c:\\w\\a.gif, 320x200x256"},
      {"c:\\w\\A.GIF", PixelFormat::TrueColour, "c:\\w\\A.GIF, 320x200x256"},
      {"c:\\w\\a.bmp", PixelFormat::BlackWhite, "c:\\w\\a.bmp, 320x200, 2 colors"},
      {"c:\\w\\a.bmp", PixelFormat::Gray16, "c:\\w\\a.bmp, 320x200, 16 gray colors"},
      {"c:\\w\\a.png", PixelFormat::Gray256, "c:\\w\\a.png, 320x200, 256 gray colors"},
      {"c:\\w\\a.pcx", PixelFormat::Colour16, "c:\\w\\a.pcx, 320x200, 16 colors"},
      {"c:\\w\\a.tif", PixelFormat::Colour256, "c:\\w\\a.tif, 320x200, 256 colors"},
      {"c:\\w\\a.jpg", PixelFormat::TrueColour, "c:\\w\\a.jpg, 320x200, High Color"},
  };
  for (const auto& c : cases) EXPECT_EQ(ImageInfoText(c.path, 320, 200, c.format), c.text);
}
