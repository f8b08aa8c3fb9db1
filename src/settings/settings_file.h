// The settings operations on "ocelot.cfg" of a working folder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "settings/settings_record.h"
#include "settings/settings_view.h"

namespace ocelot::settings {

inline constexpr char kSettingsFileName[] = "ocelot.cfg";

std::string SettingsPath(const std::string& working_folder);

// Reads up to 332 bytes of "ocelot.cfg"; throws Error when the file cannot be opened.
SettingsRecord ReadSettings(const std::string& working_folder);
// ReadSettings as the program reads it (TypedSettings); throws Error as ReadSettings does.
Settings ReadTypedSettings(const std::string& working_folder);
// Replaces "ocelot.cfg" with the 332 bytes; a failed write leaves the old file whole.
void WriteSettings(const std::string& working_folder, const SettingsRecord& record);
void WriteDefaultSettings(const std::string& working_folder);
// Writes the default record first when "ocelot.cfg" is missing.
void EnsureSettings(const std::string& working_folder);
std::int32_t GetSetting(const std::string& working_folder, int n);
// The change pattern of every writer: default record if missing, read, change, write.
void ChangeSettings(const std::string& working_folder, const std::function<void(SettingsRecord&)>& change);

}  // namespace ocelot::settings
