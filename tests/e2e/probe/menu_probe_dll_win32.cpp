// menu_probe.dll: a hook on the program's thread that answers the driver's menu
// questions there (see menu_probe.h).
#include <windows.h>

#include <cstring>

#include "probe/menu_probe.h"

namespace {

using namespace ocelot::e2e::probe;

void Read(Block& b) {
  HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(b.window));
  HMENU menu = b.menu ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(b.menu)) : GetMenu(window);
  b.read_menu = reinterpret_cast<UINT_PTR>(menu);
  const int n = menu ? GetMenuItemCount(menu) : -1;
  b.valid = n >= 0;
  b.count = 0;
  for (int i = 0; i < n && i < kMaxItems; ++i) {
    Item& item = b.items[b.count++];
    std::memset(&item, 0, sizeof item);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = item.text;
    info.cch = kMaxText - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    item.id = info.wID;
    item.state = info.fState;
    item.type = info.fType;
    item.submenu = reinterpret_cast<UINT_PTR>(info.hSubMenu);
    RECT r{};
    // The bar's items are placed in its window; a pop-up's in its own.
    if (GetMenuItemRect(b.menu ? nullptr : window, menu, static_cast<UINT>(i), &r) && r.right > r.left) {
      item.has_rect = 1;
      item.left = r.left;
      item.top = r.top;
      item.right = r.right;
      item.bottom = r.bottom;
    }
  }
}

void Answer(DWORD asking_pid) {
  char name[64];
  BlockName(name, asking_pid);
  HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
  if (!mapping) return;
  if (auto* b = static_cast<Block*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Block)))) {
    Read(*b);
    b->answered = 1;
    UnmapViewOfFile(b);
  }
  CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK MenuProbeHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (call->message == Message()) Answer(static_cast<DWORD>(call->wParam));
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
