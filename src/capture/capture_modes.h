// The capture modes of the "Capture Method" list: their texts and what choosing or
// running each one involves.
#pragma once

#include <array>

#include "settings/setting_enums.h"

namespace ocelot::capture {

// The grab family that runs a mode.
enum class GrabKind {
  Screen,     // full screen, active window, drawn rectangle or circle (RunGrab)
  Region,     // the window under the mouse, marked by a first press
  DosScreen,  // through the clipboard while a console is in front; hotkeys grab nothing
  Zoom,       // the magnified area of the zoom window
  Scroll,     // the window under the mouse, scrolled and stitched
};

// What a hotkey press does while automatic capture runs.
enum class WhileAutoCapture {
  Runs,
  NeedsRememberedArea,  // runs only when "repeat.dat" holds an area
  Skipped,              // needs the user's mouse, or never grabs by a hotkey
};

struct CaptureModeInfo {
  settings::CaptureMode mode;
  const char* list_text;  // the "Capture Method" list entry
  GrabKind kind;
  WhileAutoCapture while_auto_capture;
  bool stops_auto_capture;  // choosing it in the list switches automatic capture off
};

// Index = CaptureMode: 0 "Full Screen" ... 12 "SuperScroll".
const std::array<CaptureModeInfo, settings::kCaptureModeCount>& CaptureModes();
const CaptureModeInfo& Describe(settings::CaptureMode mode);

// The three "Full DOS Screen" modes.
bool IsDosMode(settings::CaptureMode mode);
// Whether a hotkey press grabs in this mode: always without automatic capture (but never
// in a DOS mode); with it, by the mode's rule.
bool GrabsOnHotkey(settings::CaptureMode mode, bool auto_capture, bool remembered_area_exists);

}  // namespace ocelot::capture
