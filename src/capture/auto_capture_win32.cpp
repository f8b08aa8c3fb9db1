// Automatic capture: the interval dialog and the timer that presses Print Screen.
#include "capture/auto_capture_win32.h"

#include <algorithm>
#include <cstdlib>

#include "capture/capture_modes.h"
#include "capture/frm_auto_cap.h"
#include "capture/output_modes.h"
#include "commands/command_ids.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"

namespace ocelot::capture {

void AutoCapture::AddTo(commands::CommandTable& table) {
  table.Add(IDM_AUTOCAPTUREON, [this] { AutoCaptureOn1Click(); }, {}, [this] { return checked_on_; });
  table.Add(IDM_AUTOCAPTUREOFF, [this] { Stop(); }, {}, [this] { return !checked_on_; });
}

void AutoCapture::AutoCaptureOn1Click() {
  settings::EnsureSettings(settings::WorkingFolder());
  if (!Describe(settings::ReadTypedSettings(settings::WorkingFolder()).output_mode).allows_auto_capture) {
    c_.window.Message("Auto Capture does not work with Email Only.\rSelect a different output method.", "Error",
                     MB_OK | MB_ICONWARNING);
    return;
  }
  // The menu shows "On" while the dialog is open.
  checked_on_ = true;
  TfrmAutoCap dialog;
  interval_text_ = dialog.Run(c_.window.Owner(), "10");
  if (interval_text_ == "-1") {
    Stop();
    return;
  }
  const long seconds = std::strtol(interval_text_.c_str(), nullptr, 10);
  if (seconds > 4) {
    SetTimer(c_.window.Owner(), timer_id_, static_cast<UINT>(std::min<long>(seconds, kMaxAutoCaptureSeconds) * 1000),
             nullptr);
    running_ = true;
  } else {
    c_.window.Message("5 seconds is the smallest amount of time allowed.", "Warning", MB_OK | MB_ICONWARNING);
    Stop();
  }
}

void AutoCapture::Stop() {
  running_ = false;
  checked_on_ = false;
  KillTimer(c_.window.Owner(), timer_id_);
}

void AutoCapture::Tick() {
  // One Print Screen press into the foreground window; the hotkey brings it back here.
  if (HWND fg = GetForegroundWindow()) SetFocus(fg);
  INPUT in[2] = {};
  for (auto& i : in) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = VK_SNAPSHOT;
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

void AutoCapture::StopForMode(settings::CaptureMode mode) {
  if (running_ && Describe(mode).stops_auto_capture) Stop();
}

}  // namespace ocelot::capture
