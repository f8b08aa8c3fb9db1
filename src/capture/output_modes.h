// The output modes of the "Capture and/or Print" list: what a capture does with the
// grabbed image.
#pragma once

#include <array>

#include "settings/setting_enums.h"

namespace ocelot::capture {

// Where the image of a capture goes.
enum class CaptureTarget {
  None,           // printed only, or pasted into an Office program: no file, no list line
  WorkingFolder,  // a new "pic" file of the working folder and a list line
  SaveFolder,     // a new "pic" file of DefaultSaveFolder and a list line with the disk glyph
};

struct OutputModeInfo {
  settings::OutputMode mode;
  const char* list_text;        // the "Capture and/or Print" list entry
  bool prints;                  // printed after the grab (not for SuperScroll, which prints in pages)
  CaptureTarget target;
  bool colour_options;          // GrayScale and Negative apply to the grabbed image
  bool sends_email;             // the E-mail command runs on the new line
  bool pastes_into_office;      // MS Word or MS PowerPoint pastes the image
  bool allows_auto_capture;     // "Auto Capture On" refuses this mode
};

// Index = OutputMode: 0 "Print and Capture" ... 6 "MS PowerPoint".
const std::array<OutputModeInfo, settings::kOutputModeCount>& OutputModes();
const OutputModeInfo& Describe(settings::OutputMode mode);

}  // namespace ocelot::capture
