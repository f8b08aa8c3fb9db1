// TfrmMain: start-up, the tray, showing and hiding, and the end of the run.
#include "app/frm_main.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/frm_main_parts.h"
#include "app/resource.h"
#include "app/session_recovery.h"
#include "capture/hotkey_registration.h"
#include "common/file_io.h"
#include "common/text.h"
#include "output/send_to.h"
#include "settings/session_files.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "settings/working_folder_rules.h"
#include "win/dib.h"
#include "win/message_box.h"
#include "win/wait.h"

namespace ocelot::app {

namespace {
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT kShowTimerMs = 2000;

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  const auto slash = s.find_last_of('\\');
  return slash == std::string::npos ? std::string() : s.substr(0, slash);
}
}  // namespace

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
  ViewerOpen = false;

  FitToWindowActive = false;

  const std::string folder = settings::FindWorkingFolder();
  LoadPrinterSetup();
  HINSTANCE inst = GetModuleHandleA(nullptr);
  DiskBitmap.reset(LoadImageA(inst, "DISK", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  CatalogBitmap.reset(LoadImageA(inst, "CATALOG", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  CreateControls();

  win::EmptyTheClipboard(hwnd());

  SessionImages recovered;
  RecoverSessionImages(folder, recovered);
  for (std::size_t i = 0; i < recovered.Size(); ++i) session_.Append(recovered.At(i));

  win::PumpMessages();
  backup_image_ = imaging::Image();
  ApplySettings();
  win::PumpMessages();
  SendMessageA(cboViewPercent, CB_SETCURSEL, kZoom100Index, 0);

  image_menu_.reset(LoadMenuA(inst, MAKEINTRESOURCEA(IDR_IMAGEMENU)));
  BuildMailMenus();
  tray_ = std::make_unique<TrayIcon>(hwnd(), WM_TRAYICON, icon_.get(), kApplicationTitle);
  SetTimer(hwnd(), kShowTimer, kShowTimerMs, nullptr);
}

void TfrmMain::ApplySettings() {
  const std::string& folder = settings::WorkingFolder();
  CreateFolder(folder);
  CreateFolder(JoinPath(folder, settings::kCatalogsFolderName));
  settings::EnsureSettings(folder);
  const auto record = settings::ReadSettings(folder);
  // An index outside a list leaves it without a selection.
  SendMessageA(cboCapSelection, CB_SETCURSEL, static_cast<WPARAM>(record.CaptureMode), 0);
  SendMessageA(cboPrintSelection, CB_SETCURSEL, static_cast<WPARAM>(record.OutputMode), 0);
  SendMessageA(cboDefaultFormat, CB_SETCURSEL, static_cast<WPARAM>(record.CaptureFormat), 0);
  settings::SetCurrentSaveFolder(record.DefaultSaveFolder());
  RegisterHotkeys();
}

void TfrmMain::ShowOpenCatalogStatus() {
  const std::string text = open_catalog_.StatusText();
  SendMessageA(status_bar_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void TfrmMain::ShowMainWindow() {
  if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void TfrmMain::HideToTray() { ShowWindow(hwnd(), SW_HIDE); }

void TfrmMain::ShowTimerTimer() {
  KillTimer(hwnd(), kShowTimer);
  if (settings::GetSetting(settings::WorkingFolder(), 7) == 0) ShowMainWindow();
}

void TfrmMain::ShowOcelotWindow1Click() {
  const auto record = settings::ReadSettings(settings::WorkingFolder());
  // The password prompt is not available yet: a locked tray stays locked.
  if (record.TrayPassword == 1) return;
  ShowMainWindow();
}

void TfrmMain::TrayExit1Click() {
  const auto record = settings::ReadSettings(settings::WorkingFolder());
  if (record.TrayPassword == 1) return;
  Exit1Click();
}

bool TfrmMain::ConfirmExit(bool delete_on_yes) {
  const std::string& folder = settings::WorkingFolder();
  settings::EnsureSettings(folder);
  const auto record = settings::ReadSettings(folder);
  if (record.ConfirmUnsavedOnExit != 1 || !settings::HasSessionFiles(folder) || !session_.Images().AnyPathContains(folder))
    return true;
  if (win::ShowMessage(hwnd(), "Do you want to DELETE unsaved images?", kApplicationTitle,
                       MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  if (delete_on_yes) {
    settings::DeleteSessionFiles(folder);
    for (int i = 0; i < 101; ++i) win::PumpMessages();
  }
  return true;
}

void TfrmMain::Exit1Click() {
  if (!ConfirmExit(true)) return;
  ExitAllowed = true;
  SendMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void TfrmMain::Contents1Click() {
  const std::string help = JoinPath(ProgramFolder(), "ochelp.chm");
  const auto rc = reinterpret_cast<INT_PTR>(ShellExecuteA(hwnd(), nullptr, help.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (rc <= 32) win::ShowError(hwnd(), "Cannot open the help file \"" + help + "\".");
}

void TfrmMain::OnCommand(int id, int notification, HWND control) {
  if (control && id != IDC_TB_MAIN && GetParent(control) == hwnd() && id >= IDC_CBO_CAP_SELECTION) {
    if (id == IDC_LB_PIC_NAMES) {
      if (notification == LBN_SELCHANGE) lbPicNamesClick();
      return;
    }
    if (notification != CBN_SELCHANGE) return;
    switch (id) {
      case IDC_CBO_CAP_SELECTION: cboCapSelectionClick(); return;
      case IDC_CBO_PRINT_SELECTION: cboPrintSelectionClick(); return;
      case IDC_CBO_DEFAULT_FORMAT: cboDefaultFormatClick(); return;
      case IDC_CBO_VIEW_PERCENT: cboViewPercentClick(); return;
      default: return;
    }
  }
  switch (id) {
    case IDM_EXIT1: Exit1Click(); break;
    case IDM_CONTENTS1: Contents1Click(); break;
    case IDM_SHOWOCELOTWINDOW1: ShowOcelotWindow1Click(); break;
    case IDM_TRAYEXIT1: TrayExit1Click(); break;
    case IDM_DELETE1:
    case IDM_DELETE2:
    case IDC_TB_DELETE: Delete1Click(); break;
    case IDM_SELECTALL1:
    case IDM_SELECTALL2: SelectAll1Click(); break;
    case IDM_COPY1:
    case IDM_COPY2:
    case IDC_TB_COPY: Copy1Click(); break;
    case IDM_CLEARCLIPBOARD1: Clearclipboard1Click(); break;
    case IDM_VIEWEDITNOTE1: ViewEditnote1Click(); break;
    case IDM_GOTOURL1:
    case IDM_GOTOURL2: GotoURL1Click(); break;
    case IDC_TB_PRINT:
    case IDM_PRINTIMAGES1: case IDM_PRINTCAPTIONABOVE1: case IDM_PRINTCAPTIONBELOW1:
    case IDM_PRINTCAPTIONDATEABOVE1: case IDM_PRINTCAPTIONDATEBELOW1: case IDM_PRINTFULLPAGE1:
    case IDM_PRINTMANYTOPAGE1: case IDM_PRINTTHUMBNAILS1:
    case IDM_PRINTIMAGES2: case IDM_PRINTCAPTIONABOVE2: case IDM_PRINTCAPTIONBELOW2:
    case IDM_PRINTCAPTIONDATEABOVE2: case IDM_PRINTCAPTIONDATEBELOW2: case IDM_PRINTFULLPAGE2:
    case IDM_PRINTMANYTOPAGE2: case IDM_PRINTTHUMBNAILS2: PrintMenuClick(id); break;
    case IDM_SETUPPRINTER1: PrinterSetup1Click(); break;
    case IDC_TB_SAVE:
    case IDM_SAVEAS1:
    case IDM_SAVEAS2: SaveAs1Click(false); break;
    case IDM_QUICKSAVE1:
    case IDM_QUICKSAVE2: QuickSave1Click(); break;
    case IDM_AUTOCAPTUREON1: AutoCaptureOn1Click(); break;
    case IDM_AUTOCAPTUREOFF1: AutoCaptureOff1Click(); break;
    default: break;
  }
}

void TfrmMain::OnTrayIcon(LPARAM mouse_message) {
  switch (mouse_message) {
    case WM_LBUTTONDBLCLK: ShowOcelotWindow1Click(); break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      win::ScopedMenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAYMENU)));
      if (const int cmd = tray_->TrackMenu(GetSubMenu(menu.get(), 0))) OnCommand(cmd, 0, nullptr);
      break;
    }
    default: break;
  }
}

bool TfrmMain::OnClose() {
  if (SessionEnding) {
    // Windows is ending the session: ask once, delete nothing here, close whatever the
    // answer (destruction removes the session files).
    SessionEnding = false;
    ConfirmExit(false);
    return true;
  }
  if (ExitAllowed) return true;
  HideToTray();
  return false;
}

void TfrmMain::OnDestroy() {
  KillTimer(hwnd(), kShowTimer);
  KillTimer(hwnd(), kCapTimer);
  capture::UnregisterCaptureHotkeys(hwnd());
  tray_.reset();
  backup_image_ = imaging::Image();
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
  const auto scale = [](LONG v) { return static_cast<int>((v * 5 + 2) / 4); };  // 1.25, rounded
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
      if (wp == kCapTimer) CapTimerTimer();
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
      if (!HIWORD(lp) && reinterpret_cast<HMENU>(wp) == GetSubMenu(GetMenu(hwnd()), kImageMenuPosition))
        OnMainImageMenuOpening(reinterpret_cast<HMENU>(wp));
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
      OnHotkey(static_cast<int>(wp));
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
