// TfrmMain: the capture dispatch (the hotkey message handler) and automatic capture.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include "app/frm_main.h"
#include "app/frm_main_parts.h"
#include "app/resource.h"
#include "capture/browser_url.h"
#include "capture/frm_auto_cap.h"
#include "capture/grabs.h"
#include "capture/hotkeys.h"
#include "capture/hotkey_registration.h"
#include "common/error.h"
#include "imaging/adjust.h"
#include "output/image_formats.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "win/dib.h"
#include "win/message_box.h"
#include "win/wait.h"

namespace ocelot::app {

namespace {
constexpr int kOutputPrintAndCapture = 0;
constexpr int kOutputPrintOnly = 1;
constexpr int kOutputCaptureOnly = 2;
constexpr int kOutputFile = 3;
constexpr int kOutputEmail = 4;
constexpr int kOutputWord = 5;
constexpr int kOutputPowerPoint = 6;
constexpr int kModeSuperScroll = 12;
constexpr std::size_t kImagesWarningCount = 200;

bool IsDosMode(int mode) { return mode >= 8 && mode <= 10; }
// The modes of the list that need the user's mouse switch automatic capture off.
bool StopsAutoCapture(int mode) { return mode == 3 || (mode >= 5 && mode <= 12); }
}  // namespace

// CaptureHost
HWND TfrmMain::Owner() const { return hwnd(); }
const std::string& TfrmMain::WorkingFolder() const { return settings::WorkingFolder(); }
bool TfrmMain::ViewEmpty() const { return main_image_.Empty(); }
const imaging::Image& TfrmMain::ViewImage() const { return main_image_.GetImage(); }
void TfrmMain::SetViewImage(imaging::Image image) { main_image_.SetImage(std::move(image)); }
void TfrmMain::SetViewZoom100() { main_image_.SetZoom(100); }
void TfrmMain::MinimizeApplication() {
  if (IsWindowVisible(hwnd()) && !IsIconic(hwnd())) ShowWindow(hwnd(), SW_MINIMIZE);
}

void TfrmMain::RegisterHotkeys() { capture::RegisterCaptureHotkeys(hwnd(), settings::WorkingFolder()); }

void TfrmMain::SelectZoom100() {
  SendMessageA(cboViewPercent, CB_SETCURSEL, kZoom100Index, 0);
  main_image_.SetZoom(100);
}

void TfrmMain::ApplyColourOptions(const settings::SettingsRecord& record) {
  if (record.GrayScale == 1) {
    backup_image_ = main_image_.GetImage();
    main_image_.SetImage(imaging::Grayscale(main_image_.GetImage()));
    win::PumpMessages();
    win::PutImageOnClipboard(hwnd(), main_image_.GetImage());
  }
  if (record.Negative == 1) {
    backup_image_ = main_image_.GetImage();
    main_image_.SetImage(imaging::Invert(main_image_.GetImage()));
    win::PumpMessages();
    win::PutImageOnClipboard(hwnd(), main_image_.GetImage());
  }
}

void TfrmMain::OnHotkey(int id) {
  if (capture_running_) return;
  if (ViewerOpen) {
    MessageBeep(MB_OK);
    capture_running_ = true;
    win::ShowMessage(hwnd(), "You must exit the thumbnail viewer before you can continue capturing.", "Error", MB_OK);
    capture_running_ = false;
    return;
  }
  const std::string& folder = settings::WorkingFolder();
  settings::EnsureSettings(folder);
  auto record = settings::ReadSettings(folder);
  const auto mode = capture::HotkeyToCaptureMode(id, record.CaptureMode);
  if (!mode) {
    SelectZoom100();
    if (record.OutputMode == kOutputPrintOnly) main_image_.Clear();
    return;
  }
  // The console modes capture through the clipboard, never by a hotkey.
  if (IsDosMode(record.CaptureMode)) return;

  capture_running_ = true;
  if (session_.Size() >= kImagesWarningCount)
    win::ShowMessage(hwnd(),
                     "You have 200 or more images in memory. We recommend you do the following:\r"
                     "1. Save your images.\r2. Shut down Ocelot and start a new session.\r"
                     "This allows other programs to share resources.",
                     "Warning", MB_OK | MB_ICONWARNING);

  MinimizeApplication();
  win::PumpMessages();
  win::WaitSeconds(1);
  win::PumpMessages();
  HWND foreground = GetForegroundWindow();
  win::PumpMessages();
  capture::UnregisterCaptureHotkeys(hwnd());

  int browser_kind = 0;
  CaptureUrl = capture::ReadBrowserUrl(foreground, browser_kind);

  capture::GrabOptions options;
  options.include_mouse_cursor = record.IncludeMouseCursor == 1;
  options.auto_capture = AutoCapture;
  options.foreground = foreground;
  bool grabbed = false;
  try {
    grabbed = capture::RunGrab(*mode, *this, options);
  } catch (const Error& e) {
    // An unreadable "repeat.dat": no capture, but the hotkeys must come back.
    win::ShowError(hwnd(), e.what());
  }
  if (!grabbed) {
    CaptureUrl.clear();
    RegisterHotkeys();
    capture_running_ = false;
    return;
  }
  const bool super_scroll = *mode == kModeSuperScroll;

  win::PumpMessages();
  record = settings::ReadSettings(folder);
  const int output = record.OutputMode;
  switch (output) {
    case kOutputPrintAndCapture:
      ApplyColourOptions(record);
      WriteCaptureFile(record.CaptureFormat, "", true);
      ShowImageFile(session_.At(session_.Size() - 1).path);
      main_image_.Repaint();
      if (!super_scroll) PrintAfterCapture(false);
      break;
    case kOutputPrintOnly:
      ApplyColourOptions(record);
      if (!super_scroll) PrintAfterCapture(false);
      break;
    case kOutputCaptureOnly:
    case kOutputEmail:  // kept as a session image until sending by e-mail is available
      ApplyColourOptions(record);
      WriteCaptureFile(record.CaptureFormat, "", true);
      break;
    case kOutputFile: {
      std::string save_folder = record.DefaultSaveFolder();
      if (save_folder.empty()) save_folder = "c:\\";
      if (save_folder.size() > 1 && save_folder.back() == '\\') save_folder.pop_back();
      const auto& ext = output::ImageFormats()[static_cast<std::size_t>(
          std::clamp(record.CaptureFormat, 0, output::kImageFormatCount - 1))].extension;
      WriteCaptureFile(record.CaptureFormat, output::NextPicName(save_folder, ext), true);
      session_.SetMark(session_.Size() - 1, SessionMark::Disk);
      session_.Repaint();
      break;
    }
    case kOutputWord:
    case kOutputPowerPoint:
    default:
      // Pasting into Office is not available yet: the grab is not kept.
      break;
  }

  win::PumpMessages();
  RegisterHotkeys();
  if (output != kOutputPrintOnly && output != kOutputWord && output != kOutputPowerPoint && !session_.Empty()) {
    session_.SelectOnly(session_.Size() - 1);
    ShowImageInfo(session_.At(session_.Size() - 1).path);
  }
  win::PumpMessages();
  if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
  SelectZoom100();
  if (record.TurnOffSound == 0)
    PlaySoundA("SNAPSHOT", GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
  if (output == kOutputPrintOnly) main_image_.Clear();
  if (record.ShowAfterCapture == 1 && record.TrayPassword != 1) {
    win::PumpMessages();
    Sleep(100);
    ShowMainWindow();
  }
  capture_running_ = false;
}

void TfrmMain::AutoCaptureOn1Click() {
  if (SendMessageA(cboPrintSelection, CB_GETCURSEL, 0, 0) == kOutputEmail) {
    win::ShowMessage(hwnd(), "Auto Capture does not work with Email Only.\rSelect a different output method.", "Error",
                     MB_OK | MB_ICONWARNING);
    return;
  }
  HMENU menu = GetMenu(hwnd());
  CheckMenuItem(menu, IDM_AUTOCAPTUREON1, MF_BYCOMMAND | MF_CHECKED);
  CheckMenuItem(menu, IDM_AUTOCAPTUREOFF1, MF_BYCOMMAND | MF_UNCHECKED);
  capture::TfrmAutoCap dialog;
  auto_interval_text_ = dialog.Run(hwnd(), "10");
  if (auto_interval_text_ == "-1") {
    AutoCaptureOff1Click();
    return;
  }
  const long seconds = std::strtol(auto_interval_text_.c_str(), nullptr, 10);
  if (seconds > 4) {
    SetTimer(hwnd(), kCapTimer, static_cast<UINT>(std::min<long>(seconds, 43200) * 1000), nullptr);
    AutoCapture = true;
  } else {
    win::ShowMessage(hwnd(), "5 seconds is the smallest amount of time allowed.", "Warning", MB_OK | MB_ICONWARNING);
    AutoCaptureOff1Click();
  }
}

void TfrmMain::AutoCaptureOff1Click() {
  AutoCapture = false;
  HMENU menu = GetMenu(hwnd());
  CheckMenuItem(menu, IDM_AUTOCAPTUREON1, MF_BYCOMMAND | MF_UNCHECKED);
  CheckMenuItem(menu, IDM_AUTOCAPTUREOFF1, MF_BYCOMMAND | MF_CHECKED);
  KillTimer(hwnd(), kCapTimer);
}

void TfrmMain::CapTimerTimer() {
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

void TfrmMain::AutoCaptureStopForMode(int mode) {
  if (AutoCapture && StopsAutoCapture(mode)) AutoCaptureOff1Click();
}

}  // namespace ocelot::app
