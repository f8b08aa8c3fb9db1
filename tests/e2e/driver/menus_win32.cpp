// Menus of the program, read on its own thread by menu_probe.dll and worked as the user
// works them.
#include "menus.h"

#include <algorithm>
#include <cstring>

#include "probe/menu_probe.h"

namespace ocelot::e2e {

namespace {

HMODULE ProbeModule() {
  static HMODULE module = LoadLibraryA((ProgramFolder() + "\\menu_probe.dll").c_str());
  return module;
}

HOOKPROC ProbeHook() {
  HMODULE m = ProbeModule();
  if (!m) return nullptr;
  // Undecorated on x86_64; stdcall-decorated on i686.
  FARPROC p = GetProcAddress(m, "MenuProbeHook");
  if (!p) p = GetProcAddress(m, "MenuProbeHook@12");
  return reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(p));
}

std::string Joined(const std::vector<std::string>& path, std::size_t upto) {
  std::string s;
  for (std::size_t i = 0; i <= upto && i < path.size(); ++i) s += (i ? " > \"" : "\"") + path[i] + "\"";
  return s;
}

std::string Captions(const std::vector<MenuItem>& items) {
  std::string s;
  for (const auto& i : items)
    if (!i.separator) s += (s.empty() ? "\"" : ", \"") + i.text + "\"";
  return s;
}

const MenuItem* Find(const std::vector<MenuItem>& items, const std::string& text, int* pos) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (!items[i].separator && items[i].text == text) {
      *pos = static_cast<int>(i);
      return &items[i];
    }
  return nullptr;
}

void Tell(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR r = 0;
  SendMessageTimeoutA(window, msg, wp, lp, SMTO_NORMAL, 10000, &r);
}

// Walks the menu bar along the path as the user opening the menus does; the item at the
// end of the path (which must be enabled when `usable`), or the reason there is none.
::testing::AssertionResult WalkBar(HWND window, const std::vector<std::string>& path, bool usable, MenuItem* found) {
  if (!window) return ::testing::AssertionFailure() << "no window";
  if (path.empty()) return ::testing::AssertionFailure() << "no menu path";
  if (!WaitFor([&] { return IsWindowEnabled(window) != FALSE; }, 5s))
    return ::testing::AssertionFailure() << "the window is disabled (a modal window is open): cannot reach "
                                         << Joined(path, path.size());
  HMENU bar = GetMenu(window);
  if (!bar) return ::testing::AssertionFailure() << "the window has no menu bar";
  Tell(window, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
  HMENU menu = nullptr;  // the bar
  for (std::size_t d = 0; d < path.size(); ++d) {
    const auto items = ReadMenu(window, menu);
    if (!items)
      return ::testing::AssertionFailure() << "cannot read the menu " << (d ? Joined(path, d - 1) : "bar");
    int pos = -1;
    const MenuItem* item = Find(*items, path[d], &pos);
    if (!item)
      return ::testing::AssertionFailure() << "no item " << Joined(path, d) << "; the menu has " << Captions(*items);
    if (d + 1 == path.size()) {
      if (usable && !item->enabled) return ::testing::AssertionFailure() << Joined(path, d) << " is disabled";
      *found = *item;
      return ::testing::AssertionSuccess();
    }
    if (!item->enabled) return ::testing::AssertionFailure() << Joined(path, d) << " is disabled";
    if (!item->submenu) return ::testing::AssertionFailure() << Joined(path, d) << " is a command, not a menu";
    Tell(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item->submenu), MAKELPARAM(pos, FALSE));
    menu = item->submenu;
  }
  return ::testing::AssertionFailure() << "unreachable";
}

std::vector<HWND> MenuWindows(DWORD pid) {
  std::vector<HWND> out;
  for (HWND w : TopLevelWindows(pid, "#32768"))
    if (IsWindowVisible(w)) out.push_back(w);
  return out;
}

}  // namespace

std::optional<std::vector<MenuItem>> ReadMenu(HWND window, HMENU menu) {
  HOOKPROC hook_proc = ProbeHook();
  if (!hook_proc || !window) return std::nullopt;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  char name[64];
  probe::BlockName(name, GetCurrentProcessId());
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(probe::Block), name);
  if (!mapping) return std::nullopt;
  auto* block = static_cast<probe::Block*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(probe::Block)));
  std::optional<std::vector<MenuItem>> out;
  if (block) {
    std::memset(block, 0, sizeof *block);
    block->window = reinterpret_cast<UINT_PTR>(window);
    block->menu = reinterpret_cast<UINT_PTR>(menu);
    if (HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, hook_proc, ProbeModule(), thread)) {
      Tell(window, probe::Message(), GetCurrentProcessId(), 0);
      UnhookWindowsHookEx(hook);
    }
    if (block->answered && block->valid) {
      out.emplace();
      for (int i = 0; i < block->count; ++i) {
        const probe::Item& p = block->items[i];
        MenuItem item;
        item.text = p.text;
        item.id = p.id;
        item.enabled = (p.state & (MFS_DISABLED | MFS_GRAYED)) == 0;
        item.checked = (p.state & MFS_CHECKED) != 0;
        item.is_default = (p.state & MFS_DEFAULT) != 0;
        item.separator = (p.type & MFT_SEPARATOR) != 0;
        item.submenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(p.submenu));
        if (p.has_rect) item.rect = RECT{p.left, p.top, p.right, p.bottom};
        out->push_back(item);
      }
    }
    UnmapViewOfFile(block);
  }
  CloseHandle(mapping);
  return out;
}

::testing::AssertionResult PickMenu(HWND window, std::initializer_list<std::string> path) {
  MenuItem item;
  auto walked = WalkBar(window, std::vector<std::string>(path), true, &item);
  if (!walked) return walked;
  if (item.submenu) return ::testing::AssertionFailure() << "\"" << item.text << "\" is a menu, not a command";
  // What the system sends for a click on the item.
  if (!PostMessageA(window, WM_COMMAND, MAKEWPARAM(item.id, 0), 0))
    return ::testing::AssertionFailure() << "the window took no command";
  return ::testing::AssertionSuccess();
}

std::optional<MenuItem> MenuBarItem(HWND window, std::initializer_list<std::string> path) {
  MenuItem item;
  if (!WalkBar(window, std::vector<std::string>(path), false, &item)) return std::nullopt;
  return item;
}

HWND WaitMenuWindow(DWORD pid, Duration timeout, const std::vector<HWND>& other_than) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND w : MenuWindows(pid))
          if (std::find(other_than.begin(), other_than.end(), w) == other_than.end()) {
            found = w;
            return true;
          }
        return false;
      },
      timeout);
  return found;
}

bool AnyMenuWindow(DWORD pid) { return !MenuWindows(pid).empty(); }

bool CloseOpenMenu(DWORD pid) {
  for (int level = 0; level < 8; ++level) {
    const auto open = MenuWindows(pid);
    if (open.empty()) return true;
    // The menu window takes Escape like the keyboard's: one level closes.
    PostMessageA(open.front(), WM_KEYDOWN, VK_ESCAPE, 0);
    WaitFor([&] { return !IsWindow(open.front()) || !IsWindowVisible(open.front()); }, 2s);
  }
  return MenuWindows(pid).empty();
}

::testing::AssertionResult PickFromOpenMenu(DWORD pid, std::initializer_list<std::string> path_list) {
  const std::vector<std::string> path(path_list);
  HWND popup = WaitMenuWindow(pid);
  if (!popup) return ::testing::AssertionFailure() << "no pop-up menu opened";
  std::vector<HWND> opened{popup};
  for (std::size_t d = 0; d < path.size(); ++d) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    const auto items = menu ? ReadMenu(popup, menu) : std::nullopt;
    if (!items) {
      CloseOpenMenu(pid);
      return ::testing::AssertionFailure() << "cannot read the open menu at " << Joined(path, d);
    }
    int pos = -1;
    const MenuItem* item = Find(*items, path[d], &pos);
    ::testing::AssertionResult refused = ::testing::AssertionSuccess();
    if (!item)
      refused = ::testing::AssertionFailure() << "no item " << Joined(path, d) << "; the menu has " << Captions(*items);
    else if (!item->enabled)
      refused = ::testing::AssertionFailure() << Joined(path, d) << " is disabled";
    else if (!item->rect)
      refused = ::testing::AssertionFailure() << Joined(path, d) << " is not on the screen";
    else if ((d + 1 == path.size()) != (item->submenu == nullptr))
      refused = ::testing::AssertionFailure() << Joined(path, d) << (item->submenu ? " is a menu" : " is a command");
    if (!refused) {
      CloseOpenMenu(pid);
      return refused;
    }
    const RECT r = *item->rect;
    ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    if (d + 1 == path.size()) {
      if (!WaitFor([&] { return MenuWindows(pid).empty(); }, 5s))
        return ::testing::AssertionFailure() << "the menu stays open after a click on " << Joined(path, d);
      return ::testing::AssertionSuccess();
    }
    HWND next = WaitMenuWindow(pid, 5s, opened);
    if (!next) {
      CloseOpenMenu(pid);
      return ::testing::AssertionFailure() << "the submenu " << Joined(path, d) << " did not open";
    }
    popup = next;
    opened.push_back(next);
  }
  return ::testing::AssertionFailure() << "no menu path";
}

}  // namespace ocelot::e2e
