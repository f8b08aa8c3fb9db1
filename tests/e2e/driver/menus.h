// The program's menus as the user meets them: the menu bar of a window, and the pop-up
// menus (the list's, the tray's) opened by a real click. An item is picked only when it
// is enabled at that moment; a disabled one fails the pick with its path.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "ocelot_driver.h"

namespace ocelot::e2e {

struct MenuItem {
  std::string text;  // as written, with '&'
  UINT id = 0;
  bool enabled = false;
  bool checked = false;
  bool is_default = false;  // drawn bold, the command of a double click
  bool separator = false;
  HMENU submenu = nullptr;
  std::optional<RECT> rect;  // on the screen, when the menu is shown
};

// The items of a menu of the program that owns the window, read on the program's own
// thread (the menu bar of the window when `menu` is null); nothing when it has none.
std::optional<std::vector<MenuItem>> ReadMenu(HWND window, HMENU menu = nullptr);

// The menu bar's command at the path of captions (as written, with '&'): the program is
// told of the menus opening as when the user opens them (WM_INITMENU, WM_INITMENUPOPUP),
// every item on the path must be enabled, then the command is sent.
::testing::AssertionResult PickMenu(HWND window, std::initializer_list<std::string> path);
// The menu bar's item at the path as the user sees it when the menus open (after the same
// notices), enabled or not; nothing when the path is not there or passes a disabled item.
std::optional<MenuItem> MenuBarItem(HWND window, std::initializer_list<std::string> path);

// A visible pop-up menu window ("#32768") of the process other than those given (the
// ones already open); nullptr when none appears in time.
HWND WaitMenuWindow(DWORD pid, Duration timeout = 5s, const std::vector<HWND>& other_than = {});
bool AnyMenuWindow(DWORD pid);
// Picks the item of the open pop-up menu by real clicks, through its submenus; fails,
// closing the menu, when an item on the path is disabled or missing.
::testing::AssertionResult PickFromOpenMenu(DWORD pid, std::initializer_list<std::string> path);
// Closes the open pop-up menu with Escape, as the keyboard does.
bool CloseOpenMenu(DWORD pid);

}  // namespace ocelot::e2e
