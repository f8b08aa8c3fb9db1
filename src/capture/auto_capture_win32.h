// Automatic capture: "Time&r" > "Auto Capture &On" / "Auto Capture O&ff" and the capture
// timer, which presses Print Screen at every interval.
#pragma once

#include <windows.h>

#include <string>

#include "commands/command_context.h"
#include "commands/command_table.h"
#include "settings/setting_enums.h"

namespace ocelot::capture {

class AutoCapture {
 public:
  // timer_id: the owner window's timer whose WM_TIMER goes to Tick.
  AutoCapture(commands::CommandContext context, UINT_PTR timer_id) : c_(context), timer_id_(timer_id) {}
  void AddTo(commands::CommandTable& table);

  bool Running() const { return running_; }
  void Tick();
  // The capture modes that need the user's mouse switch automatic capture off.
  void StopForMode(settings::CaptureMode mode);
  void Stop();

 private:
  void AutoCaptureOn1Click();

  commands::CommandContext c_;
  UINT_PTR timer_id_;
  bool running_ = false;
  bool checked_on_ = false;  // which of the two menu items carries the check
  std::string interval_text_;
};

}  // namespace ocelot::capture
