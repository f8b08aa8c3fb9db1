// TrayIcon through Shell_NotifyIcon.
#include "app/tray_icon.h"

#include <shellapi.h>

#include <cstring>

namespace ocelot::app {

TrayIcon::TrayIcon(HWND owner, UINT callback_message, HICON icon, const std::string& hint) {
  data_.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data_.hWnd = owner;
  data_.uID = 1;
  data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data_.uCallbackMessage = callback_message;
  data_.hIcon = icon;
  std::strncpy(data_.szTip, hint.c_str(), sizeof data_.szTip - 1);
  added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
}

TrayIcon::~TrayIcon() { Shell_NotifyIconA(NIM_DELETE, &data_); }

void TrayIcon::Restore() { added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE; }

int TrayIcon::TrackMenu(HMENU menu) const {
  POINT pt;
  GetCursorPos(&pt);
  SetMenuDefaultItem(menu, 0, TRUE);
  // The owner must be foreground, or the menu will not close when the user clicks away.
  SetForegroundWindow(data_.hWnd);
  const int cmd = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, pt.x, pt.y,
                                                  0, data_.hWnd, nullptr));
  PostMessageA(data_.hWnd, WM_NULL, 0, 0);
  return cmd;
}

UINT TrayIcon::TaskbarCreatedMessage() {
  static const UINT msg = RegisterWindowMessageA("TaskbarCreated");
  return msg;
}

}  // namespace ocelot::app
