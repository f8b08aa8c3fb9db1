// TfrmMain: the menus and toolbar buttons take their state from the command table, and
// the pop-up menu of the list and the view.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "app/frm_main.h"
#include "app/frm_main_parts.h"
#include "app/resource.h"
#include "commands/command_ids.h"

namespace ocelot::app {

namespace {

// Sets every item of the menu from the table; a submenu is enabled while any command
// in it is. Returns whether any command of the menu is enabled.
bool ApplyStates(HMENU menu, const commands::CommandTable& table) {
  bool any = false;
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
    bool enabled = false;
    if (info.hSubMenu) {
      enabled = ApplyStates(info.hSubMenu, table);
    } else {
      const int id = static_cast<int>(info.wID);
      enabled = table.Enabled(id);
      CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (table.Checked(id) ? MF_CHECKED : MF_UNCHECKED));
    }
    EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    any = any || enabled;
  }
  return any;
}

}  // namespace

void TfrmMain::UpdateMenuStates(HMENU menu) {
  if (menu) ApplyStates(menu, commands_);
}

void TfrmMain::UpdateCommandStates() {
  if (!hwnd()) return;
  // The menu bar's own items stay enabled; their menus follow the table.
  HMENU bar = GetMenu(hwnd());
  for (int i = 0, n = bar ? GetMenuItemCount(bar) : 0; i < n; ++i)
    if (HMENU sub = GetSubMenu(bar, i)) ApplyStates(sub, commands_);
  if (toolbar_) {
    const int count = static_cast<int>(SendMessageA(toolbar_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TBBUTTON button{};
      if (!SendMessageA(toolbar_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button))) continue;
      SendMessageA(toolbar_, TB_ENABLEBUTTON, button.idCommand, MAKELPARAM(commands_.Enabled(button.idCommand), 0));
    }
  }
}

void TfrmMain::OnContextMenu(HWND source, POINT pt) {
  if (source != lbPicNames && source != main_image_.hwnd()) return;
  if (pt.x == -1 && pt.y == -1) {  // from the keyboard
    RECT r;
    GetWindowRect(source, &r);
    pt = POINT{r.left + 8, r.top + 8};
  }
  HMENU popup = GetSubMenu(image_menu_.get(), 0);
  web_image_commands_.ImageMenuOpening();
  UpdateMenuStates(popup);
  const int cmd = static_cast<int>(
      TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, pt.x, pt.y, 0, hwnd(), nullptr));
  if (cmd) OnCommand(cmd, 0, nullptr);
}

}  // namespace ocelot::app
