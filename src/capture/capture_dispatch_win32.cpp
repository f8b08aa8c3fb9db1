// The capture dispatch: the hotkey message handler and the mode lists.
#include "capture/capture_dispatch_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <exception>

#include "capture/browser_url.h"
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
constexpr int kOutputPrintOnly = 1;
constexpr int kModeSuperScroll = 12;
constexpr std::size_t kImagesWarningCount = 200;

bool IsDosMode(int mode) { return mode >= 8 && mode <= 10; }
}  // namespace

void CaptureDispatch::RegisterHotkeys() { RegisterCaptureHotkeys(c_.window.Owner(), settings::WorkingFolder()); }

void CaptureDispatch::cboCapSelectionClick(int index) {
  settings::ChangeSettings(settings::WorkingFolder(), [&](settings::SettingsRecord& r) { r.CaptureMode = index; });
  auto_capture_.StopForMode(index);
}

void CaptureDispatch::cboPrintSelectionClick(int index) {
  settings::ChangeSettings(settings::WorkingFolder(), [&](settings::SettingsRecord& r) { r.OutputMode = index; });
}

void CaptureDispatch::cboDefaultFormatClick(int index) {
  settings::ChangeSettings(settings::WorkingFolder(), [&](settings::SettingsRecord& r) { r.CaptureFormat = index; });
}

void CaptureDispatch::ApplyColourOptions(const settings::SettingsRecord& record) {
  session::Session& s = c_.session;
  if (record.GrayScale == 1) {
    s.SetBackup(s.Current());
    s.SetCurrent(imaging::Grayscale(s.Current()));
    win::PumpMessages();
    win::PutImageOnClipboard(c_.window.Owner(), s.Current());
  }
  if (record.Negative == 1) {
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
  auto record = settings::ReadSettings(folder);
  const auto mode = capture::HotkeyToCaptureMode(id, record.CaptureMode);
  session::Session& s = c_.session;
  if (!mode) {
    window_.SelectZoom100();
    if (record.OutputMode == kOutputPrintOnly) s.ClearCurrent();
    return;
  }
  // The console modes capture through the clipboard, never by a hotkey.
  if (IsDosMode(record.CaptureMode)) return;

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
  options.include_mouse_cursor = record.IncludeMouseCursor == 1;
  options.auto_capture = auto_capture_.Running();
  options.foreground = foreground;
  if (!RunGrab(*mode, window_, options)) return;
  const bool super_scroll = *mode == kModeSuperScroll;

  win::PumpMessages();
  record = settings::ReadSettings(folder);
  const CapturePlan plan = PlanCapture(record.OutputMode, super_scroll);
  if (plan.colour_options) ApplyColourOptions(record);
  if (plan.write_session_file) {
    const long long colours = output::ScreenColorCount(win::DisplayColourBits(), 1);
    std::string path;
    if (plan.to_save_folder) {
      std::string save_folder = record.DefaultSaveFolder();
      if (save_folder.empty()) save_folder = "c:\\";
      if (save_folder.size() > 1 && save_folder.back() == '\\') save_folder.pop_back();
      const auto& ext = output::ImageFormats()[static_cast<std::size_t>(
          std::clamp(record.CaptureFormat, 0, output::kImageFormatCount - 1))].extension;
      path = output::NextPicName(save_folder, ext);
    }
    output::WriteCaptureFile(s, folder, record.CaptureFormat, path, true, colours);
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
  if (record.TurnOffSound == 0)
    PlaySoundA("SNAPSHOT", GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
  if (plan.print_pages_at_end) printing_.PrintAfterCapture(true);
  if (plan.clear_view_at_end) s.ClearCurrent();
  if (record.ShowAfterCapture == 1 && record.TrayPassword != 1) {
    win::PumpMessages();
    Sleep(100);
    window_.ShowMainWindow();
  }
}

}  // namespace ocelot::capture
