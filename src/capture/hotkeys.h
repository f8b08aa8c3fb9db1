// The capture hotkeys: ids, the "CAPTURE" keys of "OCL.INI", the key names and the
// parsing of a hotkey value such as "1,0,1,F9".
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "settings/setting_enums.h"

namespace ocelot::capture {

inline constexpr int kPrintScreenHotkeyId = 101;  // always registered, runs the selected mode
inline constexpr int kGlobalHotkeyId = 119;       // "GLOBALHOTKEYS", runs the selected mode
inline constexpr int kZoomCloseHotkeyId = 106;    // Alt+F4 while the zoom window is open; no mode

inline constexpr unsigned kVkPrintScreen = 0x2C;
// RegisterHotKey's modifier bits, spelled out so this file needs no <windows.h>.
inline constexpr unsigned kModAlt = 0x0001;
inline constexpr unsigned kModControl = 0x0002;
inline constexpr unsigned kModShift = 0x0004;

inline constexpr char kCaptureSection[] = "CAPTURE";
inline constexpr char kDefaultHotkeyValue[] = "0,0,0,0";

// One configurable hotkey: its id, its key in section "CAPTURE" and the mode it runs
// (nothing: the mode selected in the main window).
struct HotkeyEntry {
  int id;
  const char* ini_key;
  std::optional<settings::CaptureMode> capture_mode;
};

// In the order they are registered.
inline constexpr std::array<HotkeyEntry, 11> kCaptureHotkeys{{
    {119, "GLOBALHOTKEYS", std::nullopt},
    {107, "FULLSCREEN", settings::CaptureMode::FullScreen},
    {108, "ACTIVEWINDOW", settings::CaptureMode::ActiveWindow},
    {109, "ACTIVEWINDOWCLIENT", settings::CaptureMode::ActiveWindowClientArea},
    {110, "MOUSESELECTEDREGION", settings::CaptureMode::MouseSelectedRegion},
    {111, "UDRECTANGLE", settings::CaptureMode::UserDefinedRectangle},
    {112, "REPEATRECT", settings::CaptureMode::UserDefinedRectangleWithRepeat},
    {113, "CIRCLE", settings::CaptureMode::UserDefinedCircle},
    {114, "REPEATCIRCLE", settings::CaptureMode::UserDefinedCircleWithRepeat},
    {115, "ZOOMCAPTURE", settings::CaptureMode::ZoomCapture},
    {116, "WEBSCROLLER", settings::CaptureMode::SuperScroll},
}};

// The ids UnregisterCaptureHotkeys removes: 101, 119 and 107 to 118.
inline constexpr int kFirstUnregisteredRangeId = 107;
inline constexpr int kLastUnregisteredRangeId = 118;

// "F1".."F12" give 0x70..0x7B and "A".."Z" 0x41..0x5A, without regard to case; any other
// name gives 0.
unsigned VirtualKeyFromName(std::string_view name);

struct HotkeyValue {
  unsigned modifiers = 0;  // kModControl | kModAlt | kModShift
  unsigned key = 0;        // virtual key; 0 when the name is unknown
  // Registered only with a real key that is not Print Screen.
  bool Registrable() const { return key != 0 && key != kVkPrintScreen; }
  friend bool operator==(const HotkeyValue&, const HotkeyValue&) = default;
};

// Four comma-separated fields: Ctrl, Alt, Shift ("1" adds the modifier) and the key
// ("0" is Print Screen, otherwise a key name). Blanks around a field are ignored. A
// modifier field other than "1" (a number or not) adds nothing. A value of fewer than
// four fields has no key field, which reads as "0" (Print Screen), so it registers
// nothing; fields after the fourth are ignored.
HotkeyValue ParseHotkeyValue(std::string_view value);

// The capture mode a hotkey runs: ids 101 and 119 the selected mode, the ids of the table
// their fixed mode; any other id (106 among them) no mode.
std::optional<settings::CaptureMode> HotkeyToCaptureMode(int id, settings::CaptureMode selected_mode);
// The same in stored numbers; the selected number is passed on as it is.
std::optional<int> HotkeyToCaptureMode(int id, int selected_mode);

}  // namespace ocelot::capture
