#include "capture/repeat_rect.h"

#include <gtest/gtest.h>

#include <string>

#include "common/error.h"
#include "common/file_io.h"
#include "temp_folder.h"

namespace ocelot::capture {
namespace {

TEST(RepeatRect, NormalizeRect_AnyDragDirection_LeftTopFirst) {
  EXPECT_EQ(NormalizeRect(100, 100, 40, 60), (ScreenRect{40, 60, 100, 100}));
  EXPECT_EQ(NormalizeRect(40, 60, 100, 100), (ScreenRect{40, 60, 100, 100}));
  EXPECT_EQ(NormalizeRect(100, 20, 40, 60), (ScreenRect{40, 20, 100, 60}));
  EXPECT_TRUE(NormalizeRect(10, 10, 10, 50).Empty());
  EXPECT_TRUE(NormalizeRect(10, 10, 50, 10).Empty());
}

TEST(RepeatRect, FormatRepeatRect_FourCrLfLines) {
  EXPECT_EQ(FormatRepeatRect({40, 60, 100, 100}), "40\r\n60\r\n100\r\n100\r\n");
  EXPECT_EQ(FormatRepeatRect({-5, 0, 7, 8}), "-5\r\n0\r\n7\r\n8\r\n");
}

TEST(RepeatRect, ParseRepeatRect_Inputs_RectOrNothing) {
  const struct {
    const char* text;
    std::optional<ScreenRect> want;
  } cases[] = {
      {"40\r\n60\r\n100\r\n100\r\n", ScreenRect{40, 60, 100, 100}},
      {"40\r\n60\r\n100\r\n100", ScreenRect{40, 60, 100, 100}},       // no ending on the last line
      {"40\n60\n100\n100\n", ScreenRect{40, 60, 100, 100}},
      {" 40 \r\n+60\r\n-100\r\n100\r\nextra\r\n", ScreenRect{40, 60, -100, 100}},
      {"40\r\n60\r\n100\r\n", std::nullopt},                           // three lines
      {"", std::nullopt},
      {"40\r\n60\r\nabc\r\n100\r\n", std::nullopt},
      {"40\r\n60\r\n10.5\r\n100\r\n", std::nullopt},
      {"40\r\n\r\n100\r\n100\r\n", std::nullopt},                      // an empty line is no number
      {"40\r\n60\r\n100\r\n99999999999\r\n", std::nullopt},            // beyond 32 bits
      {"40 60 100 100\r\n", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRepeatRect(c.text), c.want) << c.text;
}

class RepeatFile : public ::testing::Test {
 protected:
  void WriteRaw(const std::string& text) {
    WriteFileBytes(RepeatFilePath(folder.path()),
                   std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  }
  std::string ReadRaw() {
    const auto bytes = ReadFileBytes(RepeatFilePath(folder.path()));
    return std::string(bytes.begin(), bytes.end());
  }
  TempFolder folder;
};

TEST_F(RepeatFile, WriteThenRead_RoundTrip) {
  EXPECT_FALSE(RepeatRectExists(folder.path()));
  WriteRepeatRect(folder.path(), {40, 60, 100, 100});
  EXPECT_TRUE(RepeatRectExists(folder.path()));
  EXPECT_EQ(ReadRaw(), "40\r\n60\r\n100\r\n100\r\n");
  EXPECT_EQ(ReadRepeatRect(folder.path()), (ScreenRect{40, 60, 100, 100}));
}

TEST_F(RepeatFile, Write_OverLongerFile_Truncates) {
  WriteRaw("1000\r\n2000\r\n3000\r\n4000\r\nmore text\r\n");
  WriteRepeatRect(folder.path(), {1, 2, 3, 4});
  EXPECT_EQ(ReadRaw(), "1\r\n2\r\n3\r\n4\r\n");
}

TEST_F(RepeatFile, Read_Malformed_ThrowsError) {
  for (const char* text : {"40\r\n60\r\n", "a\r\nb\r\nc\r\nd\r\n", ""}) {
    WriteRaw(text);
    EXPECT_THROW(ReadRepeatRect(folder.path()), Error) << text;
  }
}

TEST_F(RepeatFile, Read_Missing_ThrowsError) { EXPECT_THROW(ReadRepeatRect(folder.path()), Error); }

}  // namespace
}  // namespace ocelot::capture
