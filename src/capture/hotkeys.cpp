// Hotkey values and the hotkey-to-mode table.
#include "capture/hotkeys.h"

#include <string>
#include <vector>

#include "common/text.h"

namespace ocelot::capture {

namespace {
std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitFields(std::string_view value) {
  std::vector<std::string_view> fields;
  for (;;) {
    const auto comma = value.find(',');
    fields.push_back(TrimBlanks(value.substr(0, comma)));
    if (comma == std::string_view::npos) return fields;
    value.remove_prefix(comma + 1);
  }
}
}  // namespace

unsigned VirtualKeyFromName(std::string_view name) {
  const std::string n = ToLower(name);
  if (n.size() == 1 && n[0] >= 'a' && n[0] <= 'z') return 0x41u + static_cast<unsigned>(n[0] - 'a');
  if (n.size() >= 2 && n.size() <= 3 && n[0] == 'f') {
    // "f1".."f12" exactly: no leading zero, no sign.
    if (n[1] < '1' || n[1] > '9') return 0;
    unsigned number = static_cast<unsigned>(n[1] - '0');
    if (n.size() == 3) {
      if (n[2] < '0' || n[2] > '9') return 0;
      number = number * 10 + static_cast<unsigned>(n[2] - '0');
    }
    if (number >= 1 && number <= 12) return 0x70u + number - 1;
  }
  return 0;
}

HotkeyValue ParseHotkeyValue(std::string_view value) {
  const auto fields = SplitFields(value);
  auto field = [&](std::size_t i) { return i < fields.size() ? fields[i] : std::string_view("0"); };
  HotkeyValue out;
  if (field(0) == "1") out.modifiers |= kModControl;
  if (field(1) == "1") out.modifiers |= kModAlt;
  if (field(2) == "1") out.modifiers |= kModShift;
  const std::string_view key = field(3);
  out.key = key == "0" ? kVkPrintScreen : VirtualKeyFromName(key);
  return out;
}

namespace {
// The table's row for an id; nothing for Print Screen and for ids without a mode.
const HotkeyEntry* EntryOf(int id) {
  for (const auto& entry : kCaptureHotkeys)
    if (entry.id == id) return &entry;
  return nullptr;
}
}  // namespace

std::optional<settings::CaptureMode> HotkeyToCaptureMode(int id, settings::CaptureMode selected_mode) {
  if (id == kPrintScreenHotkeyId) return selected_mode;
  const HotkeyEntry* entry = EntryOf(id);
  if (!entry) return std::nullopt;
  return entry->capture_mode.value_or(selected_mode);
}

std::optional<int> HotkeyToCaptureMode(int id, int selected_mode) {
  if (id == kPrintScreenHotkeyId) return selected_mode;
  const HotkeyEntry* entry = EntryOf(id);
  if (!entry) return std::nullopt;
  return entry->capture_mode ? settings::StoredValue(*entry->capture_mode) : selected_mode;
}

}  // namespace ocelot::capture
