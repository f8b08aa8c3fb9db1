// The capture dispatch: the hotkey message handler, which runs the grab of the mode and
// then carries out the capture plan of the output mode; and the three mode lists of the
// main window, which store their choice in the settings.
#pragma once

#include <string>

#include "capture/auto_capture_win32.h"
#include "capture/capture_window.h"
#include "commands/command_context.h"
#include "output/print_commands_win32.h"
#include "settings/settings_view.h"

namespace ocelot::capture {

class CaptureDispatch {
 public:
  CaptureDispatch(commands::CommandContext context, CaptureWindow& window, output::PrintCommands& printing,
                  AutoCapture& auto_capture)
      : c_(context), window_(window), printing_(printing), auto_capture_(auto_capture) {}

  // WM_HOTKEY. A capture that fails shows its error once; the hotkeys are registered
  // again and the next hotkey is heard, whatever happened.
  void OnHotkey(int id);
  void RegisterHotkeys();

  // The main window's mode lists were chosen.
  void cboCapSelectionClick(int index);
  void cboPrintSelectionClick(int index);
  void cboDefaultFormatClick(int index);

 private:
  void CaptureForHotkey(int id);
  void ApplyColourOptions(const settings::Settings& settings);

  commands::CommandContext c_;
  CaptureWindow& window_;            // not owned
  output::PrintCommands& printing_;  // not owned
  AutoCapture& auto_capture_;        // not owned
  bool capture_running_ = false;     // one capture at a time
};

}  // namespace ocelot::capture
