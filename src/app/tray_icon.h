// TrayIcon: the program's icon in the notification area, its hint and its callback.
#pragma once

#include <windows.h>

#include <string>

namespace ocelot::app {

class TrayIcon {
 public:
  // Callback messages arrive at the owner window as `callback_message`, with the mouse
  // message in lParam.
  TrayIcon(HWND owner, UINT callback_message, HICON icon, const std::string& hint);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Adds the icon again, after the taskbar was re-created (Explorer restarted).
  void Restore();
  // Shows the menu at the cursor with its first item as the default; returns the chosen
  // command id or 0.
  int TrackMenu(HMENU menu) const;

  // The message the shell broadcasts when it re-creates the taskbar.
  static UINT TaskbarCreatedMessage();

 private:
  NOTIFYICONDATAA data_{};
  bool added_ = false;
};

}  // namespace ocelot::app
