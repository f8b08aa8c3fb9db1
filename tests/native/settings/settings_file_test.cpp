#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/file_io.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::settings;

TEST(SettingsFile, GetSettingWritesTheDefaultRecordWhenMissing) {
  TempFolder dir;
  EXPECT_EQ(GetSetting(dir.path(), 0), 1);
  EXPECT_EQ(GetSetting(dir.path(), 42), 1);
  EXPECT_EQ(GetSetting(dir.path(), 3), 1);
  EXPECT_EQ(ReadFileBytes(SettingsPath(dir.path())).size(), kSettingsRecordSize);
}

TEST(SettingsFile, ZeroByteFileReadsWithTheDefaultFolder) {
  TempFolder dir;
  WriteFileBytes(SettingsPath(dir.path()), {});
  const auto r = ReadSettings(dir.path());
  EXPECT_EQ(r.DefaultSaveFolder(), "c:\\");
  EXPECT_EQ(r.ConfirmUnsavedOnExit, 0);
}

TEST(SettingsFile, LongFileIsTruncatedTo332ByTheNextWrite) {
  TempFolder dir;
  std::vector<std::uint8_t> bytes(400, 0);
  const auto def = EncodeSettings(SettingsRecord::Defaults());
  std::copy(def.begin(), def.end(), bytes.begin());
  bytes[0] = 5;
  WriteFileBytes(SettingsPath(dir.path()), bytes);
  EXPECT_EQ(ReadSettings(dir.path()).CaptureMode, 5);
  ChangeSettings(dir.path(), [](SettingsRecord& r) { r.OutputMode = 2; });
  const auto after = ReadFileBytes(SettingsPath(dir.path()));
  ASSERT_EQ(after.size(), kSettingsRecordSize);
  EXPECT_EQ(after[0], 5);
  EXPECT_EQ(after[4], 2);
}

TEST(SettingsFile, ChangeCarriesReservedFieldThrough) {
  TempFolder dir;
  auto r = SettingsRecord::Defaults();
  r.ReservedField = 7;
  WriteSettings(dir.path(), r);
  ChangeSettings(dir.path(), [](SettingsRecord& s) { s.GrayScale = 1; });
  const auto back = ReadSettings(dir.path());
  EXPECT_EQ(back.ReservedField, 7);
  EXPECT_EQ(back.GrayScale, 1);
}

TEST(SettingsFile, ReadingAMissingFileIsAnError) {
  TempFolder dir;
  EXPECT_THROW(ReadSettings(dir.path()), Error);
}

TEST(SettingsFile, FailedWriteLeavesTheOldRecordWhole) {
  TempFolder dir;
  auto r = SettingsRecord::Defaults();
  r.CaptureMode = 4;
  WriteSettings(dir.path(), r);
  // The temporary file's place is taken by a folder, so the write cannot go through.
  ASSERT_TRUE(CreateFolder(dir.path() + "\\ocelot.cfg.new"));
  r.CaptureMode = 9;
  EXPECT_THROW(WriteSettings(dir.path(), r), Error);
  EXPECT_EQ(ReadSettings(dir.path()).CaptureMode, 4);
  EXPECT_EQ(ReadFileBytes(SettingsPath(dir.path())).size(), kSettingsRecordSize);
}
