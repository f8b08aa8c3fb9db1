#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ocelot::settings;

namespace {
std::uint32_t IntAt(const std::array<std::uint8_t, kSettingsRecordSize>& b, std::size_t off) {
  return b[off] | b[off + 1] << 8 | b[off + 2] << 16 | static_cast<std::uint32_t>(b[off + 3]) << 24;
}
}  // namespace

TEST(SettingsRecord, DefaultsByteByByte) {
  const auto b = EncodeSettings(SettingsRecord::Defaults());
  std::array<std::uint8_t, kSettingsRecordSize> want{};
  want[8] = 1;   // PrintImageSize
  want[36] = 1;  // ConfirmUnsavedOnExit
  want[56] = 0x03;
  want[57] = 0x63;
  want[58] = 0x3A;
  want[59] = 0x5C;
  EXPECT_EQ(b, want);
}

TEST(SettingsRecord, FieldOffsetsFollowTheLayout) {
  SettingsRecord r;
  const struct { std::int32_t SettingsRecord::*field; std::size_t offset; } cases[] = {
      {&SettingsRecord::CaptureMode, 0},        {&SettingsRecord::OutputMode, 4},
      {&SettingsRecord::PrintImageSize, 8},     {&SettingsRecord::GrayScale, 12},
      {&SettingsRecord::Negative, 16},          {&SettingsRecord::CaptureFormat, 20},
      {&SettingsRecord::StartMinimized, 24},    {&SettingsRecord::StartWithWindows, 28},
      {&SettingsRecord::IncludeMouseCursor, 32}, {&SettingsRecord::ConfirmUnsavedOnExit, 36},
      {&SettingsRecord::UseExternalEditor, 40}, {&SettingsRecord::TrayPassword, 44},
      {&SettingsRecord::PrintDateTime, 48},     {&SettingsRecord::PrintUserName, 52},
      {&SettingsRecord::ShowAfterCapture, 312}, {&SettingsRecord::HotkeysEnabled, 316},
      {&SettingsRecord::ReservedField, 320},    {&SettingsRecord::TurnOffSound, 324},
      {&SettingsRecord::OpenPdfAfterSave, 328}};
  std::int32_t v = 0x01020300;
  for (const auto& c : cases) r.*c.field = ++v;
  const auto b = EncodeSettings(r);
  v = 0x01020300;
  for (const auto& c : cases) EXPECT_EQ(IntAt(b, c.offset), static_cast<std::uint32_t>(++v)) << c.offset;
  EXPECT_EQ(DecodeSettings(b), r);
}

TEST(SettingsRecord, NegativeIntegersAreLittleEndianTwosComplement) {
  SettingsRecord r;
  r.CaptureMode = -2;
  const auto b = EncodeSettings(r);
  EXPECT_EQ(IntAt(b, 0), 0xFFFFFFFEu);
  EXPECT_EQ(DecodeSettings(b).CaptureMode, -2);
}

TEST(SettingsRecord, ShortInputReadsWhatIsThereAndDefaultsTheFolder) {
  const struct { std::size_t size; std::int32_t capture_mode; std::int32_t confirm; } cases[] = {
      {0, 0, 0}, {4, 7, 0}, {40, 7, 1}, {331, 7, 1}};
  auto full = EncodeSettings([] {
    SettingsRecord r = SettingsRecord::Defaults();
    r.CaptureMode = 7;
    r.SetDefaultSaveFolder("d:\\shots");
    return r;
  }());
  for (const auto& c : cases) {
    const auto r = DecodeSettings(std::span(full.data(), c.size));
    EXPECT_EQ(r.CaptureMode, c.capture_mode) << c.size;
    EXPECT_EQ(r.ConfirmUnsavedOnExit, c.confirm) << c.size;
    EXPECT_EQ(r.DefaultSaveFolder(), "c:\\") << c.size;
  }
}

TEST(SettingsRecord, LongInputReadsTheFirst332Bytes) {
  std::vector<std::uint8_t> bytes(400, 0xEE);
  const auto full = EncodeSettings(SettingsRecord::Defaults());
  std::copy(full.begin(), full.end(), bytes.begin());
  EXPECT_EQ(DecodeSettings(bytes), SettingsRecord::Defaults());
}

TEST(SettingsRecord, FolderTextIsCutAt255AndTrailingBytesKept) {
  SettingsRecord r = SettingsRecord::Defaults();
  r.DefaultSaveFolderBytes[200] = 0x41;  // junk after the text is carried, never read
  r.SetDefaultSaveFolder("d:\\x");
  EXPECT_EQ(r.DefaultSaveFolder(), "d:\\x");
  EXPECT_EQ(r.DefaultSaveFolderBytes[200], 0x41);
  r.SetDefaultSaveFolder(std::string(300, 'a'));
  EXPECT_EQ(r.DefaultSaveFolder(), std::string(255, 'a'));
  EXPECT_EQ(r.DefaultSaveFolderBytes[0], 255);
}

TEST(SettingsRecord, SettingByNumber) {
  SettingsRecord r;
  std::int32_t SettingsRecord::*by_number[] = {
      &SettingsRecord::CaptureMode,    &SettingsRecord::OutputMode,       &SettingsRecord::PrintImageSize,
      &SettingsRecord::GrayScale,      &SettingsRecord::Negative,         &SettingsRecord::CaptureFormat,
      &SettingsRecord::StartMinimized, &SettingsRecord::StartWithWindows, &SettingsRecord::IncludeMouseCursor};
  for (int i = 0; i < 9; ++i) r.*by_number[i] = 10 + i;
  r.ConfirmUnsavedOnExit = 99;
  for (int i = 0; i < 9; ++i) EXPECT_EQ(SettingByNumber(r, i + 1), 10 + i);
  for (int n : {0, 10, 42, -1}) EXPECT_EQ(SettingByNumber(r, n), 99) << n;
}
