// SettingsRecord: the 332-byte binary record of "ocelot.cfg" and its byte layout.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ocelot::settings {

inline constexpr std::size_t kSettingsRecordSize = 332;
inline constexpr std::size_t kDefaultSaveFolderOffset = 56;
inline constexpr std::size_t kDefaultSaveFolderSize = 256;

// Field by field as stored: little-endian 32-bit Integers, flags 0 or 1, and one
// length-prefixed ANSI string whose bytes after the text are carried as they are.
struct SettingsRecord {
  std::int32_t CaptureMode = 0;
  std::int32_t OutputMode = 0;
  std::int32_t PrintImageSize = 0;
  std::int32_t GrayScale = 0;
  std::int32_t Negative = 0;
  std::int32_t CaptureFormat = 0;
  std::int32_t StartMinimized = 0;
  std::int32_t StartWithWindows = 0;
  std::int32_t IncludeMouseCursor = 0;
  std::int32_t ConfirmUnsavedOnExit = 0;
  std::int32_t UseExternalEditor = 0;
  std::int32_t TrayPassword = 0;
  std::int32_t PrintDateTime = 0;
  std::int32_t PrintUserName = 0;
  std::array<std::uint8_t, kDefaultSaveFolderSize> DefaultSaveFolderBytes{};  // length byte + text
  std::int32_t ShowAfterCapture = 0;
  std::int32_t HotkeysEnabled = 0;
  std::int32_t ReservedField = 0;
  std::int32_t TurnOffSound = 0;
  std::int32_t OpenPdfAfterSave = 0;

  // The record every new working folder starts with.
  static SettingsRecord Defaults();

  std::string DefaultSaveFolder() const;
  // Stores up to 255 characters; the bytes after the text are left as they were.
  void SetDefaultSaveFolder(std::string_view folder);

  // All zero (no field set), as missing bytes of a short file read.
  static SettingsRecord Zero() { return SettingsRecord{}; }

  friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

std::array<std::uint8_t, kSettingsRecordSize> EncodeSettings(const SettingsRecord& record);

// Reads the bytes present (at most 332; missing bytes read as zero). A short input sets
// DefaultSaveFolder to "c:\", as a short "ocelot.cfg" does.
SettingsRecord DecodeSettings(std::span<const std::uint8_t> bytes);

// One field by number: 1 CaptureMode, 2 OutputMode, 3 PrintImageSize, 4 GrayScale,
// 5 Negative, 6 CaptureFormat, 7 StartMinimized, 8 StartWithWindows, 9
// IncludeMouseCursor; every other number gives ConfirmUnsavedOnExit.
std::int32_t SettingByNumber(const SettingsRecord& record, int n);

}  // namespace ocelot::settings
