// TfrmMain: the main window "Ocelot Summit". Created hidden, it lives for the whole run
// behind the tray icon; closing it only hides it unless an exit command allowed it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/session_images.h"
#include "app/tray_icon.h"
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

class TfrmMain : public win::Window {
 public:
  TfrmMain() = default;
  bool CreateHidden();

  void ApplySettings();
  void ShowMainWindow();
  void HideToTray();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  void BuildMailMenus();
  void OnCommand(int id);
  void OnTrayIcon(LPARAM mouse_message);
  bool OnClose();  // true when the window may really close
  void OnDestroy();
  void OnActivate();
  void ShowTimerTimer();

  void ShowOcelotWindow1Click();
  void TrayExit1Click();
  void Exit1Click();
  void Contents1Click();
  // The exit question of the "E&xit" commands; false when the user said No.
  bool ConfirmExit(bool delete_on_yes);

  bool ExitAllowed = false;
  bool SessionEnding = false;
  bool ViewerOpen = false;
  bool scaled_for_dpi_ = false;

  SessionImages session_;
  std::vector<std::string> mail_entries_;
  win::ScopedIcon icon_;
  std::unique_ptr<TrayIcon> tray_;
};

}  // namespace ocelot::app
