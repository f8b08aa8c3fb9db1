// How a reader and a writer are chosen: content first, then the extension.
#include <gtest/gtest.h>

#include "codec_fixtures.h"
#include "common/error.h"
#include "imaging/codec.h"

namespace ocelot::imaging {
namespace {

TEST(FileTypeFromExtension, KnownExtensionsInAnyCase_OthersNone) {
  const struct { const char* path; std::optional<FileType> type; } cases[] = {
      {"a.bmp", FileType::Bmp},          {"C:\\Pics\\PIC1.GIF", FileType::Gif}, {"x.jpg", FileType::Jpeg},
      {"x.JPEG", FileType::Jpeg},        {".pcx", FileType::Pcx},               {"a.b.png", FileType::Png},
      {"t.Tga", FileType::Tga},          {"t.tif", FileType::Tiff},             {"t.tiff", FileType::Tiff},
      {"noext", std::nullopt},           {"x.jpe", std::nullopt},               {"dir.png\\file", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FileTypeFromExtension(c.path), c.type) << c.path;
}

TEST(ReadImage, ContentDecidesOverAWrongExtension) {
  const Image img = fixtures::Pattern(6, 4, PixelFormat::Colour16);
  for (FileType type : {FileType::Bmp, FileType::Gif, FileType::Jpeg, FileType::Pcx, FileType::Png, FileType::Tiff}) {
    SCOPED_TRACE(static_cast<int>(type));
    const auto bytes = WriteImage(img, type);
    EXPECT_EQ(FileTypeFromSignature(bytes), type);
    EXPECT_EQ(ReadImage(bytes, "misnamed.tga").Width(), 6);
  }
}

TEST(ReadImage, NoSignature_FallsBackToTheExtension) {
  // TGA has no signature: only the extension finds its reader.
  const auto tga = WriteImage(fixtures::Pattern(6, 4, PixelFormat::TrueColour), FileType::Tga);
  EXPECT_EQ(FileTypeFromSignature(tga), std::nullopt);
  EXPECT_EQ(ReadImage(tga, "shot.TGA").Width(), 6);
  EXPECT_THROW(ReadImage(tga, "shot.dat"), Error);
  EXPECT_THROW(ReadImage({}, "empty.png"), Error);
}

}  // namespace
}  // namespace ocelot::imaging
