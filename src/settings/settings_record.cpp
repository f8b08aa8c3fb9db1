// SettingsRecord: encoding to and from the 332 bytes of "ocelot.cfg".
#include "settings/settings_record.h"

#include <algorithm>
#include <cstring>

namespace ocelot::settings {

namespace {

constexpr char kDefaultFolder[] = "c:\\";

// The Integers in file order; the string sits between the 14th and the 15th.
template <typename Record, typename F>
void ForEachInteger(Record& r, F&& f) {
  std::size_t off = 0;
  for (auto* field : {&r.CaptureMode, &r.OutputMode, &r.PrintImageSize, &r.GrayScale, &r.Negative,
                      &r.CaptureFormat, &r.StartMinimized, &r.StartWithWindows, &r.IncludeMouseCursor,
                      &r.ConfirmUnsavedOnExit, &r.UseExternalEditor, &r.TrayPassword, &r.PrintDateTime,
                      &r.PrintUserName}) {
    f(*field, off);
    off += 4;
  }
  off = kDefaultSaveFolderOffset + kDefaultSaveFolderSize;
  for (auto* field : {&r.ShowAfterCapture, &r.HotkeysEnabled, &r.ReservedField, &r.TurnOffSound,
                      &r.OpenPdfAfterSave}) {
    f(*field, off);
    off += 4;
  }
}

}  // namespace

SettingsRecord SettingsRecord::Defaults() {
  SettingsRecord r;
  r.PrintImageSize = 1;
  r.ConfirmUnsavedOnExit = 1;
  r.SetDefaultSaveFolder(kDefaultFolder);
  return r;
}

std::string SettingsRecord::DefaultSaveFolder() const {
  const std::size_t n = DefaultSaveFolderBytes[0];
  return std::string(reinterpret_cast<const char*>(DefaultSaveFolderBytes.data() + 1), n);
}

void SettingsRecord::SetDefaultSaveFolder(std::string_view folder) {
  const std::size_t n = std::min<std::size_t>(folder.size(), kDefaultSaveFolderSize - 1);
  DefaultSaveFolderBytes[0] = static_cast<std::uint8_t>(n);
  std::memcpy(DefaultSaveFolderBytes.data() + 1, folder.data(), n);
}

std::array<std::uint8_t, kSettingsRecordSize> EncodeSettings(const SettingsRecord& record) {
  std::array<std::uint8_t, kSettingsRecordSize> out{};
  ForEachInteger(record, [&](const std::int32_t& v, std::size_t off) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out[off + i] = static_cast<std::uint8_t>(u >> (8 * i));
  });
  std::copy(record.DefaultSaveFolderBytes.begin(), record.DefaultSaveFolderBytes.end(),
            out.begin() + kDefaultSaveFolderOffset);
  return out;
}

SettingsRecord DecodeSettings(std::span<const std::uint8_t> bytes) {
  std::array<std::uint8_t, kSettingsRecordSize> full{};
  const std::size_t n = std::min(bytes.size(), kSettingsRecordSize);
  std::copy_n(bytes.begin(), n, full.begin());
  SettingsRecord r;
  ForEachInteger(r, [&](std::int32_t& v, std::size_t off) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(full[off + i]) << (8 * i);
    v = static_cast<std::int32_t>(u);
  });
  std::copy_n(full.begin() + kDefaultSaveFolderOffset, kDefaultSaveFolderSize, r.DefaultSaveFolderBytes.begin());
  if (bytes.size() < kSettingsRecordSize) r.SetDefaultSaveFolder(kDefaultFolder);
  return r;
}

std::int32_t SettingByNumber(const SettingsRecord& r, int n) {
  switch (n) {
    case 1: return r.CaptureMode;
    case 2: return r.OutputMode;
    case 3: return r.PrintImageSize;
    case 4: return r.GrayScale;
    case 5: return r.Negative;
    case 6: return r.CaptureFormat;
    case 7: return r.StartMinimized;
    case 8: return r.StartWithWindows;
    case 9: return r.IncludeMouseCursor;
    default: return r.ConfirmUnsavedOnExit;
  }
}

}  // namespace ocelot::settings
