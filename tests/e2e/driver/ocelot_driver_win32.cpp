// The end-to-end test driver.
#include "ocelot_driver.h"

#include <shellapi.h>

#include <algorithm>
#include <filesystem>

#include "main_window.h"
#include "menus.h"

namespace ocelot::e2e {

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\'));
}

std::string WindowText(HWND hwnd) {
  char buf[2048] = {};
  DWORD_PTR len = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &len);
  return std::string(buf);
}

std::string ClassName(HWND hwnd) {
  char buf[256] = {};
  GetClassNameA(hwnd, buf, sizeof buf);
  return buf;
}

bool IsVisible(HWND hwnd) { return hwnd && IsWindowVisible(hwnd); }

namespace {
struct EnumState {
  DWORD pid;
  const char* class_name;
  const char* caption;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<EnumState*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != st->pid) return TRUE;
  if (st->class_name && ClassName(hwnd) != st->class_name) return TRUE;
  if (st->caption && WindowText(hwnd) != st->caption) return TRUE;
  st->found.push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

std::string WithoutAmpersand(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != '&') out += c;
  return out;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD pid, const char* class_name, const char* caption) {
  EnumState st{pid, class_name, caption, {}};
  EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&st));
  return st.found;
}

void PressKey(WORD vk, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> in;
  auto key = [&](WORD k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(k, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD m : modifiers) key(m, false);
  key(vk, false);
  key(vk, true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) key(*it, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

namespace {
INPUT MouseInput(POINT p, DWORD flags) {
  INPUT i{};
  i.type = INPUT_MOUSE;
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  // The system maps back with dx * width / 65536, truncating: round up so it lands on p.
  i.mi.dx = static_cast<LONG>((p.x * 65536LL + w - 1) / w);
  i.mi.dy = static_cast<LONG>((p.y * 65536LL + h - 1) / h);
  i.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return i;
}

void Send(INPUT in) {
  SendInput(1, &in, sizeof in);
  Sleep(30);
}
}  // namespace

void MoveMouse(POINT to) {
  Send(MouseInput(to, 0));
  SetCursorPos(to.x, to.y);
  Sleep(50);
}

void ClickAt(POINT p) {
  MoveMouse(p);
  Send(MouseInput(p, MOUSEEVENTF_LEFTDOWN));
  Send(MouseInput(p, MOUSEEVENTF_LEFTUP));
}

void RightClickAt(POINT p) {
  MoveMouse(p);
  Send(MouseInput(p, MOUSEEVENTF_RIGHTDOWN));
  Send(MouseInput(p, MOUSEEVENTF_RIGHTUP));
}

void DoubleClickAt(POINT p) {
  MoveMouse(p);
  // Well inside the double-click time: the four inputs go in one call.
  INPUT in[4] = {MouseInput(p, MOUSEEVENTF_LEFTDOWN), MouseInput(p, MOUSEEVENTF_LEFTUP),
                 MouseInput(p, MOUSEEVENTF_LEFTDOWN), MouseInput(p, MOUSEEVENTF_LEFTUP)};
  SendInput(4, in, sizeof(INPUT));
}

bool ClickCloseBox(HWND window) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  // The close box's extent along the middle of the caption, found by hit-testing.
  const int y = r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  int first = -1, last = -1;
  for (int x = r.right - 1; x > r.right - 120 && x > r.left; --x) {
    DWORD_PTR hit = HTNOWHERE;
    SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &hit);
    if (hit == HTCLOSE) {
      if (last < 0) last = x;
      first = x;
    } else if (last >= 0) {
      break;
    }
  }
  if (first < 0) return false;
  const POINT p{(first + last) / 2, y};
  // Only a click that lands on the window itself is the user's.
  if (GetAncestor(WindowFromPoint(p), GA_ROOT) != window) return false;
  ClickAt(p);
  return true;
}

std::vector<HWND> TrayIconWindows() {
  std::vector<HWND> icons;
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  for (HWND c = tray ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr; c;
       c = FindWindowExA(tray, c, "__winex11_tray_icon", nullptr))
    if (IsWindowVisible(c)) icons.push_back(c);
  // In the order they were added: left to right.
  std::sort(icons.begin(), icons.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return icons;
}

void MouseDrag(POINT from, POINT to) {
  MoveMouse(from);
  Send(MouseInput(from, MOUSEEVENTF_LEFTDOWN));
  for (int step = 1; step <= 5; ++step) {
    POINT p{from.x + (to.x - from.x) * step / 5, from.y + (to.y - from.y) * step / 5};
    Send(MouseInput(p, 0));
  }
  Send(MouseInput(to, MOUSEEVENTF_LEFTUP));
}

OcelotProcess::~OcelotProcess() {
  if (pi_.hProcess) {
    Kill();
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
}

OcelotProcess::OcelotProcess(OcelotProcess&& o) noexcept : pi_(o.pi_) { o.pi_ = {}; }

bool OcelotProcess::Start(const std::string& exe_path, const std::string& arguments) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string cmd = "\"" + exe_path + "\"";
  if (!arguments.empty()) cmd += " " + arguments;
  const std::string folder = exe_path.substr(0, exe_path.find_last_of('\\'));
  return CreateProcessA(exe_path.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi_);
}

bool OcelotProcess::Running() const {
  return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

bool OcelotProcess::WaitExit(Duration timeout) const {
  return pi_.hProcess && WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD OcelotProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}

void OcelotProcess::Kill() {
  if (Running()) {
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 5000);
  }
}

HWND OcelotProcess::WaitWindow(const char* class_name, const char* caption, Duration timeout) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        auto w = TopLevelWindows(pi_.dwProcessId, class_name, caption);
        if (!w.empty()) found = w.front();
        return found != nullptr || !Running();
      },
      timeout);
  return found;
}

std::optional<MessageBoxInfo> OcelotProcess::WaitMessageBox(Duration timeout) const {
  std::optional<MessageBoxInfo> info;
  WaitFor(
      [&] {
        for (HWND w : TopLevelWindows(pi_.dwProcessId, "#32770")) {
          if (!IsWindowVisible(w)) continue;
          MessageBoxInfo box;
          box.hwnd = w;
          box.caption = WindowText(w);
          std::vector<HWND> children;
          EnumChildWindows(w, &CollectChildren, reinterpret_cast<LPARAM>(&children));
          for (HWND c : children) {
            const std::string cls = ClassName(c);
            const std::string text = WindowText(c);
            if (cls == "Button") box.buttons.push_back(WithoutAmpersand(text));
            else if (cls == "Static" && !text.empty() && box.text.empty()) box.text = text;
          }
          if (!box.buttons.empty()) {
            info = box;
            return true;
          }
        }
        return !Running();
      },
      timeout);
  return info;
}

bool Answer(const MessageBoxInfo& box, const std::string& button) {
  std::vector<HWND> children;
  EnumChildWindows(box.hwnd, &CollectChildren, reinterpret_cast<LPARAM>(&children));
  for (HWND c : children) {
    if (ClassName(c) == "Button" && WithoutAmpersand(WindowText(c)) == WithoutAmpersand(button)) {
      PostMessageA(c, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

namespace {
// The shell resolves the documents folder from "User Shell Folders" and caches the
// result in "Shell Folders"; both are pointed at the test's folder and put back after.
constexpr const char* kShellFolderKeys[2] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
}  // namespace

DocumentsFolder::DocumentsFolder(const std::string& test_name) {
  root_ = "C:\\ocelot-e2e\\" + test_name;
  path_ = root_ + "\\Documents";
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
  std::filesystem::create_directories(path_);
  for (int k = 0; k < 2; ++k) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolderKeys[k], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    char old[MAX_PATH * 2] = {};
    DWORD size = sizeof old - 1, type = 0;
    saved_[k].had = RegQueryValueExA(key, "Personal", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
    saved_[k].value = old;
    saved_[k].type = type;
    RegSetValueExA(key, "Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(path_.c_str()),
                   static_cast<DWORD>(path_.size() + 1));
    RegCloseKey(key);
  }
}

DocumentsFolder::~DocumentsFolder() {
  for (int k = 0; k < 2; ++k) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolderKeys[k], 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) continue;
    if (saved_[k].had)
      RegSetValueExA(key, "Personal", 0, saved_[k].type, reinterpret_cast<const BYTE*>(saved_[k].value.c_str()),
                     static_cast<DWORD>(saved_[k].value.size() + 1));
    else
      RegDeleteValueA(key, "Personal");
    RegCloseKey(key);
  }
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

bool OcelotSession::Start() {
  tray_before_ = TrayIconWindows();
  return app.Start(Exe());
}

HWND OcelotSession::TrayIcon(Duration timeout) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        // The newest icon that was not there before the start.
        const auto icons = TrayIconWindows();
        for (auto it = icons.rbegin(); it != icons.rend(); ++it)
          if (std::find(tray_before_.begin(), tray_before_.end(), *it) == tray_before_.end()) {
            found = *it;
            return true;
          }
        return !app.Running();
      },
      timeout);
  return found;
}

HWND OcelotSession::WaitStarted(Duration timeout) const {
  HWND main = MainWindow(timeout);
  return main && TrayIcon(timeout) ? main : nullptr;
}

::testing::AssertionResult OcelotSession::Pick(std::initializer_list<std::string> path) const {
  return PickMenu(MainWindow(), path);
}

namespace {
POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
}  // namespace

::testing::AssertionResult OcelotSession::ClickTrayIcon(bool right) const {
  CloseOpenMenu(app.Pid());
  HWND icon = TrayIcon();
  RECT r;
  if (!icon || !GetWindowRect(icon, &r)) return ::testing::AssertionFailure() << "no tray icon of the program";
  if (right) RightClickAt(Centre(r));
  else ClickAt(Centre(r));
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult OcelotSession::DoubleClickTrayIcon() const {
  CloseOpenMenu(app.Pid());
  HWND icon = TrayIcon();
  RECT r;
  if (!icon || !GetWindowRect(icon, &r)) return ::testing::AssertionFailure() << "no tray icon of the program";
  DoubleClickAt(Centre(r));
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult OcelotSession::PickTrayMenu(std::initializer_list<std::string> path) const {
  auto clicked = ClickTrayIcon();
  if (!clicked) return clicked;
  return PickFromOpenMenu(app.Pid(), path);
}

::testing::AssertionResult OcelotSession::RightClickList() const {
  CloseOpenMenu(app.Pid());
  HWND main = MainWindow();
  HWND list = main ? GetDlgItem(main, kListId) : nullptr;
  if (!list || !IsVisible(main)) return ::testing::AssertionFailure() << "the session list is not on the screen";
  RECT r;
  GetWindowRect(list, &r);
  POINT p{r.left + 20, r.top + 10};
  if (auto line = ListLineRect(main, ListCaret(main))) p = Centre(*line);
  RightClickAt(p);
  if (!WaitMenuWindow(app.Pid())) return ::testing::AssertionFailure() << "no pop-up menu after a right click on the list";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult OcelotSession::PickListMenu(std::initializer_list<std::string> path) const {
  auto opened = RightClickList();
  if (!opened) return opened;
  return PickFromOpenMenu(app.Pid(), path);
}

std::optional<std::vector<MenuItem>> OcelotSession::ListMenuItems() const {
  if (!RightClickList()) return std::nullopt;
  HWND popup = WaitMenuWindow(app.Pid());
  auto items = popup ? ReadMenu(popup, reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0))) : std::nullopt;
  CloseOpenMenu(app.Pid());
  return items;
}

::testing::AssertionResult OcelotSession::OpenAndCloseListMenu() const {
  auto opened = RightClickList();
  if (!opened) return opened;
  if (!CloseOpenMenu(app.Pid())) return ::testing::AssertionFailure() << "the list's menu stays open";
  return ::testing::AssertionSuccess();
}

}  // namespace ocelot::e2e
