// The settings operations on "ocelot.cfg": never cached, read at the moment of use.
#include "settings/settings_file.h"

#include "common/file_io.h"
#include "common/text.h"

namespace ocelot::settings {

namespace {
// Written beside the record, then renamed over it.
constexpr char kTempName[] = "ocelot.cfg.new";
}  // namespace

std::string SettingsPath(const std::string& working_folder) { return JoinPath(working_folder, kSettingsFileName); }

SettingsRecord ReadSettings(const std::string& working_folder) {
  return DecodeSettings(ReadFileBytes(SettingsPath(working_folder), kSettingsRecordSize));
}

Settings ReadTypedSettings(const std::string& working_folder) { return TypedSettings(ReadSettings(working_folder)); }

void WriteSettings(const std::string& working_folder, const SettingsRecord& record) {
  const auto bytes = EncodeSettings(record);
  ReplaceFileContents(SettingsPath(working_folder), JoinPath(working_folder, kTempName), bytes);
}

void WriteDefaultSettings(const std::string& working_folder) {
  WriteSettings(working_folder, SettingsRecord::Defaults());
}

void EnsureSettings(const std::string& working_folder) {
  if (!FileExists(SettingsPath(working_folder))) WriteDefaultSettings(working_folder);
}

std::int32_t GetSetting(const std::string& working_folder, int n) {
  EnsureSettings(working_folder);
  return SettingByNumber(ReadSettings(working_folder), n);
}

void ChangeSettings(const std::string& working_folder, const std::function<void(SettingsRecord&)>& change) {
  EnsureSettings(working_folder);
  SettingsRecord r = ReadSettings(working_folder);
  change(r);
  WriteSettings(working_folder, r);
}

}  // namespace ocelot::settings
