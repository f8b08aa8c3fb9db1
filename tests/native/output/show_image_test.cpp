#include "output/show_image.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "imaging/codec.h"
#include "temp_folder.h"

using namespace ocelot;
using imaging::Image;
using imaging::PixelFormat;

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class ShowImage : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  void ShowGood() {
    imaging::WriteImageFile(Path("good.bmp"), Image(4, 3, PixelFormat::TrueColour));
    ASSERT_EQ(output::ShowImageFile(session_, Path("good.bmp")), output::ShowResult::Shown);
  }
  TempFolder dir_;
  session::Session session_;
};

}  // namespace

TEST_F(ShowImage, AReadableFileBecomesTheCurrentImageWithItsInfo) {
  ShowGood();
  EXPECT_EQ(session_.Current().Width(), 4);
  EXPECT_EQ(session_.StatusText(), Path("good.bmp") + ", 4x3, High Color");
}

TEST_F(ShowImage, AMissingFileChangesNothing) {
  ShowGood();
  EXPECT_EQ(output::ShowImageFile(session_, Path("gone.bmp")), output::ShowResult::Missing);
  EXPECT_EQ(session_.Current().Width(), 4);
  EXPECT_EQ(session_.StatusText(), Path("good.bmp") + ", 4x3, High Color");
}

TEST_F(ShowImage, AFileThatCannotBeShownEmptiesTheViewAndSaysWhy) {
  // The header of a 30000 x 30000 PNG, its checksum right: over the pixel limit.
  const std::uint8_t huge_png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                   0, 0, 0x75, 0x30, 0, 0, 0x75, 0x30, 8, 2, 0, 0, 0};
  std::vector<std::uint8_t> png(std::begin(huge_png), std::end(huge_png));
  const auto crc = [](const std::uint8_t* p, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
      c ^= p[i];
      for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
  }(png.data() + 12, 17);
  for (int shift : {24, 16, 8, 0}) png.push_back(static_cast<std::uint8_t>(crc >> shift));

  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string text;
  };
  const Case cases[] = {
      {"huge.png", png, " is too large to open (30000 \xD7 30000 pixels)"},
      {"notes.bmp", Bytes("this is no picture at all"), " is not an image Ocelot can read"},
      {"lying.bmp", Bytes(std::string("BM") + std::string(60, '\xFF')), " is not an image Ocelot can read"},
  };
  for (const auto& c : cases) {
    ShowGood();
    session_.SetBackup(Image(1, 1, PixelFormat::TrueColour));
    WriteFileBytes(Path(c.name), c.bytes);
    EXPECT_EQ(output::ShowImageFile(session_, Path(c.name)), output::ShowResult::Unreadable) << c.name;
    EXPECT_TRUE(session_.Current().Empty()) << c.name;
    EXPECT_TRUE(session_.Backup().Empty()) << c.name;
    EXPECT_EQ(session_.StatusText(), Path(c.name) + c.text);
  }
}
