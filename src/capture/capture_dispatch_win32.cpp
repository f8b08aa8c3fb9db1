// The capture dispatch: the hotkey message handler and the mode lists.
#include "capture/capture_dispatch_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include <exception>

#include "capture/browser_url.h"
#include "capture/capture_modes.h"
#include "capture/capture_plan.h"
#include "capture/grabs.h"
#include "capture/hotkey_registration.h"
#include "capture/hotkeys.h"
#include "common/error.h"
#include "common/scope_exit.h"
#include "imaging/adjust.h"
#include "output/capture_file.h"
#include "output/image_formats.h"
#include "output/show_image.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "win/dib.h"
#include "win/system_info.h"
#include "win/wait.h"

namespace ocelot::capture {

namespace {
constexpr std::size_t kImagesWarningCount = 200;
}  // namespace

void CaptureDispatch::RegisterHotkeys() { RegisterCaptureHotkeys(c_.window.Owner(), settings::WorkingFolder()); }

void CaptureDispatch::cboCapSelectionClick(int index) {
  const auto mode = settings::CaptureModeOf(index);
  if (!mode) return;
  settings::ChangeSettings(settings::WorkingFolder(), [&](settings::SettingsRecord& r) { settings::SetCaptureMode(r, *mode); });
  auto_capture_.StopForMode(*mode);
}

void CaptureDispatch::cboPrintSelectionClick(int index) {
  const auto mode = settings::OutputModeOf(index);
  if (!mode) return;
  settings::ChangeSettings(settings::WorkingFolder(), [&](settings::SettingsRecord& r) { settings::SetOutputMode(r, *mode); });
}

void CaptureDispatch::cboDefaultFormatClick(int index) {
  const auto format = settings::ImageFormatOf(index);
  if (!format) return;
  settings::ChangeSettings(settings::WorkingFolder(),
                           [&](settings::SettingsRecord& r) { settings::SetCaptureFormat(r, *format); });
}

void CaptureDispatch::ApplyColourOptions(const settings::Settings& settings) {
  session::Session& s = c_.session;
  if (settings.gray_scale) {
    s.SetBackup(s.Current());
    s.SetCurrent(imaging::Grayscale(s.Current()));
    win::PumpMessages();
    win::PutImageOnClipboard(c_.window.Owner(), s.Current());
  }
  if (settings.negative) {
    s.SetBackup(s.Current());
    s.SetCurrent(imaging::Invert(s.Current()));
    win::PumpMessages();
    win::PutImageOnClipboard(c_.window.Owner(), s.Current());
  }
}

void CaptureDispatch::OnHotkey(int id) {
  if (capture_running_) return;
  // One capture at a time; whatever ends it, the next hotkey is heard again.
  capture_running_ = true;
  ScopeExit running([this] { capture_running_ = false; });
  if (c_.session.ViewerOpen()) {
    MessageBeep(MB_OK);
    c_.window.Message("You must exit the thumbnail viewer before you can continue capturing.", "Error", MB_OK);
    return;
  }
  std::string failure;
  try {
    CaptureForHotkey(id);
  } catch (const std::exception& e) {
    failure = e.what();
  }
  // Shown once the hotkeys are back, so a failed capture never stops the next one.
  if (!failure.empty()) c_.window.Error(failure);
}

void CaptureDispatch::CaptureForHotkey(int id) {
  const std::string& folder = settings::WorkingFolder();
  settings::EnsureSettings(folder);
  auto record = settings::ReadTypedSettings(folder);
  const auto mode = HotkeyToCaptureMode(id, record.capture_mode);
  session::Session& s = c_.session;
  if (!mode) {
    window_.SelectZoom100();
    if (record.output_mode == settings::OutputMode::PrintOnly) s.ClearCurrent();
    return;
  }
  // The console modes capture through the clipboard, never by a hotkey.
  if (IsDosMode(record.capture_mode)) return;

  if (s.Size() >= kImagesWarningCount)
    c_.window.Message(
                     "You have 200 or more images in memory. We recommend you do the following:\r"
                     "1. Save your images.\r2. Shut down Ocelot and start a new session.\r"
                     "This allows other programs to share resources.",
                     "Warning", MB_OK | MB_ICONWARNING);

  window_.MinimizeApplication();
  win::PumpMessages();
  win::WaitSeconds(1);
  win::PumpMessages();
  HWND foreground = GetForegroundWindow();
  win::PumpMessages();
  UnregisterCaptureHotkeys(c_.window.Owner());
  ScopeExit hotkeys_back([this] { RegisterHotkeys(); });
  ScopeExit url_used([&s] { s.SetCaptureUrl(""); });

  int browser_kind = 0;
  s.SetCaptureUrl(ReadBrowserUrl(foreground, browser_kind));

  GrabOptions options;
  options.include_mouse_cursor = record.include_mouse_cursor;
  options.auto_capture = auto_capture_.Running();
  options.foreground = foreground;
  if (!RunGrab(settings::StoredValue(*mode), window_, options)) return;
  const bool super_scroll = *mode == settings::CaptureMode::SuperScroll;

  win::PumpMessages();
  record = settings::ReadTypedSettings(folder);
  const CapturePlan plan = PlanCapture(record.output_mode, super_scroll);
  if (plan.colour_options) ApplyColourOptions(record);
  if (plan.write_session_file) {
    const long long colours = output::ScreenColorCount(win::DisplayColourBits(), 1);
    std::string path;
    if (plan.to_save_folder) {
      std::string save_folder = record.default_save_folder;
      if (save_folder.empty()) save_folder = "c:\\";
      if (save_folder.size() > 1 && save_folder.back() == '\\') save_folder.pop_back();
      path = output::NextPicName(save_folder, record.capture_format);
    }
    output::WriteCaptureFile(s, folder, record.capture_format, path, true, colours);
    if (plan.to_save_folder) s.SetMark(s.Size() - 1, session::SessionMark::Disk);
    if (plan.show_written_file) output::ShowImageFile(s, s.At(s.Size() - 1).path);
  }
  if (plan.print) printing_.PrintAfterCapture(false);

  win::PumpMessages();
  hotkeys_back.RunNow();
  if (plan.select_new_line && !s.Empty()) {
    c_.selection.SelectOnly(s.Size() - 1);
    output::ShowImageInfo(s, s.At(s.Size() - 1).path);
  }
  win::PumpMessages();
  if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
  window_.SelectZoom100();
  if (!record.turn_off_sound)
    PlaySoundA("SNAPSHOT", GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
  if (plan.print_pages_at_end) printing_.PrintAfterCapture(true);
  if (plan.clear_view_at_end) s.ClearCurrent();
  if (record.show_after_capture && !record.tray_password) {
    win::PumpMessages();
    Sleep(100);
    window_.ShowMainWindow();
  }
}

}  // namespace ocelot::capture
