// Capture hotkeys through RegisterHotKey.
#include "capture/hotkey_registration.h"

#include "capture/hotkeys.h"
#include "common/file_io.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"

namespace ocelot::capture {

void RegisterCaptureHotkeys(HWND window, const std::string& working_folder) {
  UnregisterCaptureHotkeys(window);
  RegisterHotKey(window, kPrintScreenHotkeyId, 0, kVkPrintScreen);
  if (!settings::ReadTypedSettings(working_folder).hotkeys_enabled || !FileExists(settings::IniPath())) return;
  for (const auto& entry : kCaptureHotkeys) {
    const HotkeyValue value =
        ParseHotkeyValue(settings::ReadIniString(kCaptureSection, entry.ini_key, kDefaultHotkeyValue));
    if (value.Registrable()) RegisterHotKey(window, entry.id, value.modifiers, value.key);
  }
}

void UnregisterCaptureHotkeys(HWND window) {
  UnregisterHotKey(window, kPrintScreenHotkeyId);
  UnregisterHotKey(window, kGlobalHotkeyId);
  for (int id = kFirstUnregisteredRangeId; id <= kLastUnregisteredRangeId; ++id) UnregisterHotKey(window, id);
}

}  // namespace ocelot::capture
