// The common dialogs, driven from outside.
#include "file_dialog.h"

#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>

namespace ocelot::e2e {

namespace {
BOOL CALLBACK Collect(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}
std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&out));
  return out;
}
// The file-name box: a combo box (cmb13) in newer dialogs, an edit (edt1) in older.
HWND NameBox(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, cmb13)) return combo;
  return GetDlgItem(dialog, edt1);
}
HWND WaitDialog(const OcelotProcess& app, Duration timeout, bool (*is_kind)(HWND)) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND w : TopLevelWindows(app.Pid(), "#32770"))
          if (IsWindowVisible(w) && is_kind(w)) {
            found = w;
            return true;
          }
        return !app.Running();
      },
      timeout);
  return found;
}
bool IsFolderBrowser(HWND window) {
  for (HWND c : Children(window))
    if (ClassName(c) == "SysTreeView32") return true;
  return false;
}
void Click(HWND dialog, int id) {
  if (HWND button = GetDlgItem(dialog, id)) PostMessageA(button, BM_CLICK, 0, 0);
}
}  // namespace

bool IsFileDialog(HWND window) { return NameBox(window) != nullptr && GetDlgItem(window, cmb1) != nullptr; }

HWND WaitFileDialog(const OcelotProcess& app, Duration timeout) { return WaitDialog(app, timeout, &IsFileDialog); }

std::string FileDialogName(HWND dialog) { return WindowText(NameBox(dialog)); }

int FileDialogType(HWND dialog) {
  return static_cast<int>(SendMessageA(GetDlgItem(dialog, cmb1), CB_GETCURSEL, 0, 0)) + 1;
}

void ChooseFileDialogType(HWND dialog, int type) {
  HWND combo = GetDlgItem(dialog, cmb1);
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(type - 1), 0);
  // A pick from the list ends with both notices; some dialogs act on the second only.
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
}

void SaveFileDialogAs(HWND dialog, const std::string& name) {
  SendMessageA(NameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  Click(dialog, IDOK);
}

void CancelFileDialog(HWND dialog) { Click(dialog, IDCANCEL); }

HWND WaitFolderBrowser(const OcelotProcess& app, Duration timeout) {
  return WaitDialog(app, timeout, &IsFolderBrowser);
}

std::vector<std::string> StaticTexts(HWND dialog) {
  std::vector<std::string> out;
  for (HWND c : Children(dialog))
    if (ClassName(c) == "Static") out.push_back(WindowText(c));
  return out;
}

bool ChooseFolder(HWND browser, DWORD pid, const std::string& folder) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return false;
  bool sent = false;
  // BFFM_SETSELECTION reads the path in the browser's own process.
  if (void* remote = VirtualAllocEx(process, nullptr, folder.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    if (WriteProcessMemory(process, remote, folder.c_str(), folder.size() + 1, nullptr)) {
      SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote));
      sent = true;
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  if (sent) Click(browser, IDOK);
  return sent;
}

void CancelFolderBrowser(HWND browser) { Click(browser, IDCANCEL); }

std::optional<MessageBoxInfo> WaitMessageBoxOnly(const OcelotProcess& app, Duration timeout) {
  std::optional<MessageBoxInfo> found;
  WaitFor(
      [&] {
        for (HWND w : TopLevelWindows(app.Pid(), "#32770")) {
          HWND text = GetDlgItem(w, 0xFFFF);
          if (!IsWindowVisible(w) || !text) continue;
          MessageBoxInfo box;
          box.hwnd = w;
          box.caption = WindowText(w);
          box.text = WindowText(text);
          for (HWND c : Children(w)) {
            if (ClassName(c) != "Button") continue;
            std::string caption = WindowText(c);
            caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
            box.buttons.push_back(caption);
          }
          found = box;
          return true;
        }
        return !app.Running();
      },
      timeout);
  return found;
}

bool PressButton(const MessageBoxInfo& box, const std::string& caption) {
  for (HWND c : Children(box.hwnd)) {
    if (ClassName(c) != "Button") continue;
    std::string text = WindowText(c);
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    if (text != caption) continue;
    PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), BN_CLICKED), reinterpret_cast<LPARAM>(c));
    return true;
  }
  return false;
}

bool MessageBoxHasIcon(HWND box) {
  for (HWND c : Children(box)) {
    if (ClassName(c) != "Static" || !IsWindowVisible(c)) continue;
    if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && SendMessageA(c, STM_GETICON, 0, 0) != 0) return true;
  }
  return false;
}

bool WaitClosed(HWND window, Duration timeout) {
  return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

}  // namespace ocelot::e2e
