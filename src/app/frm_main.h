// TfrmMain: the main window "Ocelot Summit". Created hidden, it lives for the whole run
// behind the tray icon; closing it only hides it unless an exit command allowed it.
// Its members are split by concern over frm_main_*_win32.cpp.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/image_view.h"
#include "app/session_list.h"
#include "app/tray_icon.h"
#include "capture/capture_host.h"
#include "catalog/catalog_files.h"
#include "settings/settings_record.h"
#include "imaging/image.h"
#include "win/scoped.h"
#include "win/window.h"

namespace ocelot::app {

inline constexpr char kMainWindowClass[] = "TfrmMain";
inline constexpr char kMainWindowCaption[] = "Ocelot Summit";
inline constexpr char kApplicationTitle[] = "Ocelot";
inline constexpr int kMainWindowWidth = 626;
inline constexpr int kMainWindowHeight = 455;
// Sent to the main window by the tray icon.
inline constexpr UINT WM_TRAYICON = WM_APP + 1;

class TfrmMain : public win::Window, public capture::CaptureHost {
 public:
  TfrmMain() = default;
  bool CreateHidden();

  void ApplySettings();
  void ShowMainWindow();
  void HideToTray();

  // The session images and the view, for the commands of the other subsystems.
  SessionList& Session() { return session_; }
  ImageView& MainImage() { return main_image_; }
  imaging::Image& BackupImage() { return backup_image_; }

  void ShowImageFile(const std::string& path);
  void ShowImageInfo(const std::string& path);
  // Writes the view's image in the format (0-6) to path, or to the next "pic" name of the
  // working folder when path is empty; appends it to the session when add_to_list is set.
  // Returns the path written.
  std::string WriteCaptureFile(int format_index, const std::string& path, bool add_to_list);
  void ReduceColoursForSave();
  void ConvertToTrueColour();

  // The web address of the capture being made; attached to the next session image.
  std::string CaptureUrl;

  // CaptureHost (frm_main_capture_win32.cpp)
  HWND Owner() const override;
  const std::string& WorkingFolder() const override;
  bool ViewEmpty() const override;
  const imaging::Image& ViewImage() const override;
  void SetViewImage(imaging::Image image) override;
  void SetViewZoom100() override;
  void MinimizeApplication() override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // Lifecycle (frm_main_win32.cpp)
  void FormCreate();
  void OnCommand(int id, int notification, HWND control);
  void OnTrayIcon(LPARAM mouse_message);
  bool OnClose();  // true when the window may really close
  void OnDestroy();
  void OnActivate();
  void ShowTimerTimer();
  void ShowOcelotWindow1Click();
  void TrayExit1Click();
  void Exit1Click();
  void Contents1Click();
  bool ConfirmExit(bool delete_on_yes);  // false when the user said No

  // Layout and drawing (frm_main_layout_win32.cpp)
  void CreateControls();
  void CreateToolbar();
  void CreateModeLists();
  void LayoutControls();
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnPaletteDisplayPaint();
  void RefreshToolbarGlyphs();
  void BuildMailMenus();

  // Session commands (frm_main_session_win32.cpp)
  void lbPicNamesClick();
  void cboViewPercentClick();
  void cboCapSelectionClick();
  void cboPrintSelectionClick();
  void cboDefaultFormatClick();
  void FitToWindow();
  void Delete1Click();
  void SelectAll1Click();
  void OnContextMenu(HWND source, POINT screen_point);
  void OnImageMenuOpening(HMENU image_menu);
  void OnMainImageMenuOpening(HMENU image_menu);
  bool RequireSelection() const;   // "Please select an image." when none is selected
  bool RequireOneSelected() const;  // "Select only one image." when several are

  // Capture dispatch and automatic capture (frm_main_capture_win32.cpp)
  void OnHotkey(int id);
  void RegisterHotkeys();
  void SelectZoom100();
  void ApplyColourOptions(const settings::SettingsRecord& record);
  void AutoCaptureOn1Click();
  void AutoCaptureOff1Click();
  void CapTimerTimer();
  void AutoCaptureStopForMode(int mode);
  bool AutoCapture = false;
  bool capture_running_ = false;  // one capture at a time, also against a thumbnail refusal
  std::string auto_interval_text_;

  // Printing (frm_main_print_win32.cpp)
  void LoadPrinterSetup();                // start-up: the printer of "PrinterSetup.cfg"
  void PrintMenuClick(int command_id);    // the "&Print" layouts of both menus and the toolbar
  void PrinterSetup1Click();              // "&Setup" > "&Printer"
  void PrintAfterCapture(bool super_scroll);  // the capture printing rules

  // Saving (frm_main_save_win32.cpp)
  void SaveAs1Click(bool catalog_mode);   // "Save &As", "Save &As...", toolbar "Save"
  void QuickSave1Click();                 // "&Quick Save" of both menus
  class SaveHost;                         // the window's side of the Save As steps
  std::optional<std::string> ShowSaveDialog(const std::string& file_text, int type);
  std::string TargetCatalog;              // where "Save to catalog" records the saved images
  int save_dialog_type_ = 1;              // the Save As dialog's file type (1-7), kept between uses
  std::string save_dialog_initial_folder_;  // set on first use, cleared after each file written
  std::string save_dialog_last_folder_;     // where the dialog was last used

  // Clipboard and notes (frm_main_notes_win32.cpp)
  void Copy1Click();
  void Clearclipboard1Click();
  void ViewEditnote1Click();
  void GotoURL1Click();  // frm_main_url_win32.cpp

  bool ExitAllowed = false;
  bool SessionEnding = false;
  bool ViewerOpen = false;
  bool FitToWindowActive = false;
  bool scaled_for_dpi_ = false;
  bool palette_display_ = false;
  bool glyph_refresh_pending_ = false;
  bool SaveDialogFirstUse = true;  // the Save As dialog's first-use flag
  catalog::OpenCatalog open_catalog_;
  void ShowOpenCatalogStatus();

  SessionList session_;
  ImageView main_image_;
  imaging::Image backup_image_;
  std::string remembered_note_path_;
  std::vector<std::string> pending_note_lines_;
  std::vector<std::string> mail_entries_;

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
