// TfrmMain: start-up, the tray, showing and hiding, and the end of the run.
#include "app/frm_main.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/dpi_scale.h"
#include "app/frm_main_parts.h"
#include "app/resource.h"
#include "capture/hotkey_registration.h"
#include "commands/command_ids.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "settings/session_files.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "settings/working_folder_rules.h"
#include "shell/session_recovery.h"
#include "win/dib.h"
#include "win/message_box.h"
#include "win/wait.h"

namespace ocelot::app {

namespace {
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT kShowTimerMs = 2000;
}  // namespace

TfrmMain::TfrmMain()
    : list_(session_),
      save_commands_({session_, list_, *this}),
      print_commands_({session_, list_, *this}),
      clipboard_commands_({session_, list_, *this}),
      web_image_commands_({session_, list_, *this}),
      shell_commands_({session_, list_, *this}, [this] { lbPicNamesClick(); }),
      auto_capture_({session_, list_, *this}, kCapTimer),
      capture_({session_, list_, *this}, *this, print_commands_, auto_capture_) {
  session_.AddObserver(this);
  save_commands_.AddTo(commands_);
  print_commands_.AddTo(commands_);
  clipboard_commands_.AddTo(commands_);
  web_image_commands_.AddTo(commands_);
  shell_commands_.AddTo(commands_);
  auto_capture_.AddTo(commands_);
  AddWindowCommands();
}

TfrmMain::~TfrmMain() { session_.RemoveObserver(this); }

void TfrmMain::AddWindowCommands() {
  commands_.Add(IDM_EXIT, [this] { Exit1Click(); });
  commands_.Add(IDM_SHOWOCELOTWINDOW, [this] { ShowOcelotWindow1Click(); });
  commands_.Add(IDM_TRAYEXIT, [this] { TrayExit1Click(); });
}

const std::string& TfrmMain::WorkingFolder() const { return settings::WorkingFolder(); }

int TfrmMain::Message(const std::string& text, const std::string& caption, UINT flags) const {
  return win::ShowMessage(hwnd(), text, caption, flags);
}

void TfrmMain::Error(const std::string& text) const { win::ShowError(hwnd(), text); }

void TfrmMain::MinimizeApplication() {
  if (IsWindowVisible(hwnd()) && !IsIconic(hwnd())) ShowWindow(hwnd(), SW_MINIMIZE);
}

void TfrmMain::StatusTextChanged() {
  SendMessageA(status_bar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(session_.StatusText().c_str()));
}

void TfrmMain::CatalogChanged() {
  const std::string text = session_.Catalog().StatusText();
  SendMessageA(status_bar_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void TfrmMain::CurrentImageChanged() {
  main_image_.Show(&session_.Current());
  if (palette_display_) main_image_.RealizeImagePalette();
}

bool TfrmMain::CreateHidden() {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  icon_.reset(static_cast<HICON>(LoadImageA(inst, MAKEINTRESOURCEA(IDI_OCELOT), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - kMainWindowWidth) / 2;
  const int y = work.top + (work.bottom - work.top - kMainWindowHeight) / 2;
  HMENU menu = LoadMenuA(inst, MAKEINTRESOURCEA(IDR_MAINMENU));
  return Create(kMainWindowClass, kMainWindowCaption, WS_OVERLAPPEDWINDOW, 0, x, y, kMainWindowWidth,
                kMainWindowHeight, nullptr, menu, icon_.get());
}

void TfrmMain::FormCreate() {
  ExitAllowed = false;
  SessionEnding = false;
  session_.SetViewerOpen(false);
  FitToWindowActive = false;

  const std::string folder = StartInWorkingFolder();
  output::PrintCommands::LoadPrinterSetup();
  HINSTANCE inst = GetModuleHandleA(nullptr);
  DiskBitmap.reset(LoadImageA(inst, "DISK", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  CatalogBitmap.reset(LoadImageA(inst, "CATALOG", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  CreateControls();

  win::EmptyTheClipboard(hwnd());
  shell::RecoverSessionImages(folder, session_);

  win::PumpMessages();
  session_.ClearBackup();
  ApplySettings();
  win::PumpMessages();
  SendMessageA(cboViewPercent, CB_SETCURSEL, kZoom100Index, 0);

  image_menu_.reset(LoadMenuA(inst, MAKEINTRESOURCEA(IDR_IMAGEMENU)));
  BuildMailMenus();
  UpdateCommandStates();
  tray_ = std::make_unique<TrayIcon>(hwnd(), WM_TRAYICON, icon_.get(), kApplicationTitle);
  SetTimer(hwnd(), kShowTimer, kShowTimerMs, nullptr);
}

std::string TfrmMain::StartInWorkingFolder() {
  const settings::WorkingFolderStart start = settings::StartWorkingFolder();
  const auto sentence = [](std::string reason) {
    if (!reason.empty() && reason.back() != '.') reason += '.';
    return reason;
  };
  // Without a working folder there is nowhere to keep captures: the window is not made
  // and the program ends (the single-instance mutex goes with the process).
  if (start.folder.empty())
    throw ocelot::Error("Ocelot cannot start: its working folder \"" + start.fallback +
                "\" cannot be used: " + sentence(start.problem));
  if (!start.configured_problem.empty())
    win::ShowMessage(nullptr,
                     "The working folder \"" + start.configured + "\" named in OCL.INI cannot be used: " +
                         sentence(start.configured_problem) + "\rOcelot uses \"" + start.folder +
                         "\" for this session.",
                     "Warning", MB_OK | MB_ICONWARNING);
  return start.folder;
}

void TfrmMain::ApplySettings() {
  const std::string& folder = settings::WorkingFolder();
  CreateFolder(folder);
  CreateFolder(JoinPath(folder, settings::kCatalogsFolderName));
  settings::EnsureSettings(folder);
  // A number outside a list (a foreign or hand-edited record) shows its default.
  const settings::Settings record = settings::ReadTypedSettings(folder);
  SendMessageA(cboCapSelection, CB_SETCURSEL, settings::TableIndex(record.capture_mode), 0);
  SendMessageA(cboPrintSelection, CB_SETCURSEL, settings::TableIndex(record.output_mode), 0);
  SendMessageA(cboDefaultFormat, CB_SETCURSEL, settings::TableIndex(record.capture_format), 0);
  settings::SetCurrentSaveFolder(record.default_save_folder);
  capture_.RegisterHotkeys();
}

void TfrmMain::SelectZoom100() {
  SendMessageA(cboViewPercent, CB_SETCURSEL, kZoom100Index, 0);
  main_image_.SetZoom(100);
}

void TfrmMain::ShowMainWindow() {
  if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void TfrmMain::HideToTray() { ShowWindow(hwnd(), SW_HIDE); }

void TfrmMain::ShowTimerTimer() {
  KillTimer(hwnd(), kShowTimer);
  settings::EnsureSettings(settings::WorkingFolder());
  if (!settings::ReadTypedSettings(settings::WorkingFolder()).start_minimized) ShowMainWindow();
}

void TfrmMain::ShowOcelotWindow1Click() {
  // The password prompt is not available yet: a locked tray stays locked.
  if (settings::ReadTypedSettings(settings::WorkingFolder()).tray_password) return;
  ShowMainWindow();
}

void TfrmMain::TrayExit1Click() {
  if (settings::ReadTypedSettings(settings::WorkingFolder()).tray_password) return;
  Exit1Click();
}

void TfrmMain::Exit1Click() {
  if (!shell_commands_.ConfirmExit(true)) return;
  ExitAllowed = true;
  SendMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void TfrmMain::OnCommand(int id, int notification, HWND control) {
  if (control && id != IDC_TB_MAIN && GetParent(control) == hwnd() && id >= IDC_CBO_CAP_SELECTION) {
    if (id == IDC_LB_PIC_NAMES) {
      if (notification == LBN_SELCHANGE) {
        lbPicNamesClick();
        UpdateCommandStates();
      }
      return;
    }
    if (notification != CBN_SELCHANGE) return;
    const auto index = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    switch (id) {
      case IDC_CBO_CAP_SELECTION: capture_.cboCapSelectionClick(index); return;
      case IDC_CBO_PRINT_SELECTION: capture_.cboPrintSelectionClick(index); return;
      case IDC_CBO_DEFAULT_FORMAT: capture_.cboDefaultFormatClick(index); return;
      case IDC_CBO_VIEW_PERCENT: cboViewPercentClick(); return;
      default: return;
    }
  }
  commands_.Run(id);
  UpdateCommandStates();
}

void TfrmMain::OnTrayIcon(LPARAM mouse_message) {
  switch (mouse_message) {
    case WM_LBUTTONUP:
      // A left click opens the menu only once it cannot become a double click.
      if (tray_double_click_) {
        tray_double_click_ = false;  // the button-up that ends a double click
        break;
      }
      SetTimer(hwnd(), kTrayClickTimer, GetDoubleClickTime(), nullptr);
      break;
    case WM_LBUTTONDBLCLK:
      KillTimer(hwnd(), kTrayClickTimer);
      tray_double_click_ = true;
      ShowOcelotWindow1Click();
      break;
    case WM_RBUTTONUP:
      KillTimer(hwnd(), kTrayClickTimer);
      ShowTrayMenu();
      break;
    default: break;
  }
}

void TfrmMain::ShowTrayMenu() {
  win::ScopedMenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAYMENU)));
  HMENU popup = GetSubMenu(menu.get(), 0);
  UpdateMenuStates(popup);
  if (const int cmd = tray_->TrackMenu(popup)) OnCommand(cmd, 0, nullptr);
}

bool TfrmMain::OnClose() {
  if (SessionEnding) {
    // Windows is ending the session: ask once, delete nothing here, close whatever the
    // answer (destruction removes the session files).
    SessionEnding = false;
    shell_commands_.ConfirmExit(false);
    return true;
  }
  if (ExitAllowed) return true;
  HideToTray();
  return false;
}

void TfrmMain::OnDestroy() {
  KillTimer(hwnd(), kShowTimer);
  KillTimer(hwnd(), kCapTimer);
  KillTimer(hwnd(), kTrayClickTimer);
  capture::UnregisterCaptureHotkeys(hwnd());
  tray_.reset();
  session_.ClearBackup();
  if (glyphs_) ImageList_Destroy(glyphs_);
  glyphs_ = nullptr;
  if (!settings::WorkingFolder().empty()) settings::DeleteSessionFiles(settings::WorkingFolder());
  PostQuitMessage(0);
}

void TfrmMain::OnActivate() {
  // At 120 logical pixels per inch the layout is scaled by 1.25, once per run.
  if (scaled_for_dpi_) return;
  scaled_for_dpi_ = true;
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  if (dpi != 120) return;
  RECT r;
  GetWindowRect(hwnd(), &r);
  const auto scale = [](LONG v) { return ScaleBy125(v); };
  SetWindowPos(hwnd(), nullptr, 0, 0, scale(r.right - r.left), scale(r.bottom - r.top),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TfrmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_TIMER:
      if (wp == kShowTimer) ShowTimerTimer();
      if (wp == kCapTimer) auto_capture_.Tick();
      if (wp == kTrayClickTimer) {
        KillTimer(hwnd(), kTrayClickTimer);
        ShowTrayMenu();
      }
      if (wp == kGlyphTimer) {
        KillTimer(hwnd(), kGlyphTimer);
        RefreshToolbarGlyphs();
      }
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_SIZE:
      LayoutControls();
      return 0;
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (m->CtlType == ODT_LISTBOX) {
        m->itemHeight = kListLineHeight;
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (d->CtlType == ODT_LISTBOX) {
        OnDrawItem(*d);
        return TRUE;
      }
      break;
    }
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wp), POINT{GET_X_LPARAM_(lp), GET_Y_LPARAM_(lp)});
      return 0;
    case WM_INITMENUPOPUP:
      if (!HIWORD(lp)) UpdateMenuStates(reinterpret_cast<HMENU>(wp));
      break;
    case WM_PAINT:
      if (palette_display_) OnPaletteDisplayPaint();
      break;
    case WM_NOTIFY: {
      const auto* n = reinterpret_cast<const NMHDR*>(lp);
      if (n->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lp);
        info->lpszText = const_cast<char*>(ToolTipFor(static_cast<int>(n->idFrom)));
        return 0;
      }
      break;
    }
    case WM_TRAYICON:
      OnTrayIcon(lp);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) OnActivate();
      break;
    case WM_HOTKEY:
      capture_.OnHotkey(static_cast<int>(wp));
      UpdateCommandStates();
      return 0;
    case WM_QUERYNEWPALETTE:
      return main_image_.RealizeImagePalette() ? TRUE : FALSE;
    case WM_PALETTECHANGED:
      if (reinterpret_cast<HWND>(wp) != hwnd() && reinterpret_cast<HWND>(wp) != main_image_.hwnd())
        main_image_.RealizeImagePalette();
      return 0;
    case WM_CLOSE:
      if (OnClose()) DestroyWindow(hwnd());
      return 0;
    case WM_QUERYENDSESSION:
      ExitAllowed = true;
      SessionEnding = true;
      return TRUE;
    case WM_ENDSESSION:
      if (wp) SendMessageA(hwnd(), WM_CLOSE, 0, 0);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      if (msg == TrayIcon::TaskbarCreatedMessage() && tray_) {
        tray_->Restore();
        return 0;
      }
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace ocelot::app
