// What the menu probe reads inside the program: the items of one menu as the program's
// own thread sees them. Menus live in their process (another process cannot read them
// under Wine), so the driver hooks the program's thread with menu_probe.dll and asks
// through a shared block.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace ocelot::e2e::probe {

inline constexpr int kMaxItems = 64;
inline constexpr int kMaxText = 128;

struct Item {
  char text[kMaxText];
  std::uint32_t id;
  std::uint32_t state;     // MFS_* of the item
  std::uint32_t type;      // MFT_* of the item
  std::uint64_t submenu;   // its pop-up menu, or 0
  std::int32_t has_rect;   // the item is on the screen (a bar, or an open pop-up)
  std::int32_t left, top, right, bottom;  // screen coordinates
};

struct Block {
  // The request: the menu, or 0 for the menu bar of the window.
  std::uint64_t window;
  std::uint64_t menu;
  // The answer.
  std::int32_t answered;
  std::int32_t valid;  // the menu exists
  std::uint64_t read_menu;
  std::int32_t count;
  Item items[kMaxItems];
};

// Sent to a window of the program's thread; wParam is the asking process's id.
inline UINT Message() { return RegisterWindowMessageA("OcelotE2EMenuProbe"); }

inline void BlockName(char (&name)[64], DWORD asking_pid) {
  std::snprintf(name, sizeof name, "OcelotE2EMenuProbe-%lu", static_cast<unsigned long>(asking_pid));
}

}  // namespace ocelot::e2e::probe
