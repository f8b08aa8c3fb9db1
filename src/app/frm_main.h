// TfrmMain: the main window "Ocelot Summit". Created hidden, it lives for the whole run
// behind the tray icon; closing it only hides it unless an exit command allowed it.
// It holds the window's own concerns: its controls and their layout, the tray icon and
// the routing of messages. The session is a model the window displays; the commands are
// rows of one table, built by the subsystems over the session and this window's services.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/image_view.h"
#include "app/session_list.h"
#include "app/tray_icon.h"
#include "capture/auto_capture_win32.h"
#include "capture/capture_dispatch_win32.h"
#include "capture/capture_window.h"
#include "commands/command_table.h"
#include "output/clipboard_commands_win32.h"
#include "output/print_commands_win32.h"
#include "output/save_commands_win32.h"
#include "output/web_image_commands_win32.h"
#include "session/session.h"
#include "shell/shell_commands_win32.h"
#include "win/scoped.h"
#include "win/window.h"
#include "win/window_services.h"

namespace ocelot::app {

inline constexpr char kMainWindowClass[] = "TfrmMain";
inline constexpr char kMainWindowCaption[] = "Ocelot Summit";
inline constexpr char kApplicationTitle[] = "Ocelot";
inline constexpr int kMainWindowWidth = 626;
inline constexpr int kMainWindowHeight = 455;
// Sent to the main window by the tray icon.
inline constexpr UINT WM_TRAYICON = WM_APP + 1;

class TfrmMain : public win::Window,
                 public capture::CaptureWindow,
                 public win::WindowServices,
                 private session::SessionObserver {
 public:
  TfrmMain();
  ~TfrmMain() override;
  bool CreateHidden();

  void ApplySettings();

  // CaptureWindow
  HWND Owner() const override { return hwnd(); }
  const std::string& WorkingFolder() const override;
  bool ViewEmpty() const override { return session_.Current().Empty(); }
  const imaging::Image& ViewImage() const override { return session_.Current(); }
  void SetViewImage(imaging::Image image) override { session_.SetCurrent(std::move(image)); }
  void SetViewZoom100() override { main_image_.SetZoom(100); }
  void MinimizeApplication() override;
  void SelectZoom100() override;
  void ShowMainWindow() override;

  // WindowServices
  int Message(const std::string& text, const std::string& caption, UINT flags) const override;
  void Error(const std::string& text) const override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // SessionObserver: the status bar follows the session.
  void StatusTextChanged() override;
  void CatalogChanged() override;
  void CurrentImageChanged() override;
  void EntryAdded(std::size_t) override { UpdateCommandStates(); }
  void EntryRemoved(std::size_t) override { UpdateCommandStates(); }

  // Lifecycle (frm_main_win32.cpp)
  void FormCreate();
  std::string StartInWorkingFolder();  // the folder of this run, with a warning on fallback
  void AddWindowCommands();
  void OnCommand(int id, int notification, HWND control);
  void OnTrayIcon(LPARAM mouse_message);
  void ShowTrayMenu();
  bool OnClose();  // true when the window may really close
  void OnDestroy();
  void OnActivate();
  void ShowTimerTimer();
  void HideToTray();
  void ShowOcelotWindow1Click();
  void TrayExit1Click();
  void Exit1Click();

  // Layout and drawing (frm_main_layout_win32.cpp)
  void CreateControls();
  void CreateToolbar();
  void CreateModeLists();
  void LayoutControls();
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnPaletteDisplayPaint();
  void RefreshToolbarGlyphs();
  void BuildMailMenus();

  // Menus and buttons take their state from the command table (frm_main_menus_win32.cpp).
  void UpdateMenuStates(HMENU menu);
  void UpdateCommandStates();
  void OnContextMenu(HWND source, POINT screen_point);

  // The list and the view (frm_main_view_win32.cpp)
  void lbPicNamesClick();
  void cboViewPercentClick();
  void FitToWindow();

  session::Session session_;
  SessionList list_;
  ImageView main_image_;
  commands::CommandTable commands_;
  output::SaveCommands save_commands_;
  output::PrintCommands print_commands_;
  output::ClipboardCommands clipboard_commands_;
  output::WebImageCommands web_image_commands_;
  shell::ShellCommands shell_commands_;
  capture::AutoCapture auto_capture_;
  capture::CaptureDispatch capture_;

  bool ExitAllowed = false;
  bool SessionEnding = false;
  bool FitToWindowActive = false;
  bool scaled_for_dpi_ = false;
  bool palette_display_ = false;
  bool glyph_refresh_pending_ = false;
  bool tray_double_click_ = false;  // swallows the button-up that ends a double click

  HWND toolbar_ = nullptr;  // child windows: destroyed with the main window
  HWND tooltips_ = nullptr;
  HWND cboCapSelection = nullptr;
  HWND cboPrintSelection = nullptr;
  HWND cboDefaultFormat = nullptr;
  HWND cboViewPercent = nullptr;
  HWND lbPicNames = nullptr;
  HWND status_bar_ = nullptr;
  HIMAGELIST glyphs_ = nullptr;  // the toolbar's image list, destroyed in OnDestroy

  win::ScopedIcon icon_;
  win::ScopedGdiObject DiskBitmap;
  win::ScopedGdiObject CatalogBitmap;
  win::ScopedGdiObject list_font_;
  win::ScopedGdiObject save_glyph_palette_;
  win::ScopedMenu image_menu_;
  std::unique_ptr<TrayIcon> tray_;
};

}  // namespace ocelot::app
