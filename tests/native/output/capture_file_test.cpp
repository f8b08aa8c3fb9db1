#include "output/capture_file.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "imaging/codec.h"
#include "output/image_formats.h"
#include "temp_folder.h"

using namespace ocelot;
using imaging::Image;
using imaging::PixelFormat;
using settings::ImageFormat;

namespace {
Image Colourful() {
  Image img(40, 30, PixelFormat::TrueColour);
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      std::uint8_t* p = img.Row(y) + x * 3;  // B G R
      p[0] = static_cast<std::uint8_t>((x * y) % 256);
      p[1] = static_cast<std::uint8_t>(y * 8);
      p[2] = static_cast<std::uint8_t>(x * 6);
    }
  return img;
}
}  // namespace

TEST(WriteCaptureFile, NextPicNameAppendedWithThePendingAddressWhichIsUsedUp) {
  TempFolder dir;
  session::Session s;
  s.SetCurrent(Colourful());
  s.SetCaptureUrl("http://example.org/");
  WriteFileBytes(JoinPath(dir.path(), "pic1.png"), std::vector<std::uint8_t>{1});
  const std::string path = output::WriteCaptureFile(s, dir.path(), ImageFormat::Png, "", true, 1LL << 24);
  EXPECT_EQ(path, ToLower(JoinPath(dir.path(), "pic2.png")));
  ASSERT_EQ(s.Size(), 1u);
  EXPECT_EQ(s.At(0).name, "pic2.png");
  EXPECT_EQ(s.At(0).url, "http://example.org/");
  EXPECT_EQ(s.CaptureUrl(), "");
  EXPECT_EQ(imaging::ReadImageFile(path), Colourful());
}

TEST(WriteCaptureFile, TheCurrentImageBecomesWhatWasWritten) {
  struct Case {
    ImageFormat format;
    long long screen_colours;
    PixelFormat current_after;
    bool backup;
  };
  const Case cases[] = {
      {ImageFormat::Gif, 1LL << 24, PixelFormat::Colour256, false},  // the GIF palette
      {ImageFormat::Jpeg, 256, PixelFormat::TrueColour, false},      // JPEG is always true colour
      {ImageFormat::Bmp, 1LL << 24, PixelFormat::TrueColour, false}, // no reduction on deep displays
      {ImageFormat::Bmp, 256, PixelFormat::Colour256, true},         // reduced, the original kept
      {ImageFormat::Tiff, 16, PixelFormat::Colour16, true},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    session::Session s;
    s.SetCurrent(Colourful());
    s.SetCaptureUrl("http://kept/");
    const std::string target = JoinPath(dir.path(), "shot" + output::LowerExtensionOf(c.format));
    output::WriteCaptureFile(s, dir.path(), c.format, target, false, c.screen_colours);
    EXPECT_EQ(s.Current().Format(), c.current_after) << static_cast<int>(c.format);
    EXPECT_EQ(!s.Backup().Empty(), c.backup) << static_cast<int>(c.format);
    EXPECT_TRUE(s.Empty());                       // not added to the list
    EXPECT_EQ(s.CaptureUrl(), "http://kept/");    // so the address stays pending
    EXPECT_TRUE(FileExists(target));
  }
}
