// The end-to-end test driver: starts the real ocelot.exe with a documents folder of its
// own, finds its windows and its tray icon, reads and answers its message boxes, picks
// enabled menu commands by caption, clicks and presses keys, all from outside the program.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace ocelot::e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;  // captions without '&'
};

// The folder next to this test program (where ocelot.exe is built).
std::string ProgramFolder();
// Polls `done` until it is true or the timeout passes; true when it became true.
template <typename F>
bool WaitFor(F&& done, Duration timeout = 10s) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    Sleep(50);
  }
}

// Top-level windows of a process, optionally filtered by class and caption.
std::vector<HWND> TopLevelWindows(DWORD pid, const char* class_name = nullptr, const char* caption = nullptr);
std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

// Presses and releases a key (with modifiers held) through SendInput.
void PressKey(WORD vk, std::initializer_list<WORD> modifiers = {});

// Moves the mouse to screen (x, y), presses the left button, moves to (x2, y2) in a few
// steps and releases it, through SendInput.
void MouseDrag(POINT from, POINT to);
void MoveMouse(POINT to);
// Real clicks at a screen point through SendInput: the pointer moves there first.
void ClickAt(POINT p);
void RightClickAt(POINT p);
void DoubleClickAt(POINT p);
// Closes a window by a click on its caption's close box (found by hit-testing the
// caption); false when the window shows none.
bool ClickCloseBox(HWND window);

// Wine's own tray when no tray manager runs on the display: the icon windows in it, in
// the order they were added.
std::vector<HWND> TrayIconWindows();

struct MenuItem;  // menus.h

// One running ocelot.exe, started by the test.
class OcelotProcess {
 public:
  OcelotProcess() = default;
  ~OcelotProcess();
  OcelotProcess(OcelotProcess&& o) noexcept;
  OcelotProcess& operator=(OcelotProcess&&) = delete;
  OcelotProcess(const OcelotProcess&) = delete;

  bool Start(const std::string& exe_path, const std::string& arguments = "");
  DWORD Pid() const { return pi_.dwProcessId; }
  bool Running() const;
  // Waits for the process to end; false on timeout.
  bool WaitExit(Duration timeout = 10s) const;
  DWORD ExitCode() const;
  void Kill();

  // The first top-level window of the class (and caption), hidden or not.
  HWND WaitWindow(const char* class_name, const char* caption = nullptr, Duration timeout = 15s) const;
  // A message box (dialog class "#32770") of this process.
  std::optional<MessageBoxInfo> WaitMessageBox(Duration timeout = 10s) const;

 private:
  PROCESS_INFORMATION pi_{};
};

// Clicks the button whose caption (without '&') matches; false if there is none.
bool Answer(const MessageBoxInfo& box, const std::string& button);
bool IsVisible(HWND hwnd);

// A test's own documents folder: created empty, made the user's documents folder in
// the registry for the test's length, removed afterwards.
class DocumentsFolder {
 public:
  explicit DocumentsFolder(const std::string& test_name);
  ~DocumentsFolder();
  DocumentsFolder(const DocumentsFolder&) = delete;
  DocumentsFolder& operator=(const DocumentsFolder&) = delete;

  const std::string& Path() const { return path_; }
  // "Ocelot" in it: the working folder of a first start.
  std::string DefaultWorkingFolder() const { return path_ + "\\Ocelot"; }
  std::string IniPath() const { return path_ + "\\OCL.INI"; }

 private:
  struct Saved {
    bool had = false;
    std::string value;
    DWORD type = REG_SZ;
  };
  std::string root_;
  std::string path_;
  Saved saved_[2];
};

// The fixture of most tests: a documents folder and the program in it.
class OcelotSession {
 public:
  explicit OcelotSession(const std::string& test_name) : docs(test_name) {}
  std::string Exe() const { return ProgramFolder() + "\\ocelot.exe"; }
  bool Start();
  HWND MainWindow(Duration timeout = 15s) const { return app.WaitWindow("TfrmMain", "Ocelot Summit", timeout); }
  // The program's tray icon (the one added since Start); nullptr when none appears.
  HWND TrayIcon(Duration timeout = 15s) const;
  // The main window once start-up is done (its tray icon is the last thing it adds).
  HWND WaitStarted(Duration timeout = 15s) const;

  // The main window's menu command at the path of captions (as written, with '&'); fails
  // when an item on the path is disabled now.
  ::testing::AssertionResult Pick(std::initializer_list<std::string> path) const;
  // Real clicks on the tray icon (any open menu of the program is closed first).
  ::testing::AssertionResult ClickTrayIcon(bool right = false) const;
  ::testing::AssertionResult DoubleClickTrayIcon() const;
  // A command of the tray menu: a click on the icon, then on the item.
  ::testing::AssertionResult PickTrayMenu(std::initializer_list<std::string> path) const;
  // A command of the session list's pop-up menu: a right click on the list (on the
  // focused line), then a click on the item. The main window must be on the screen.
  ::testing::AssertionResult PickListMenu(std::initializer_list<std::string> path) const;
  // Opens the list's pop-up menu with a right click and closes it with Escape.
  ::testing::AssertionResult OpenAndCloseListMenu() const;
  // The list's pop-up menu as it shows on a right click (closed again with Escape).
  std::optional<std::vector<MenuItem>> ListMenuItems() const;

  DocumentsFolder docs;
  OcelotProcess app;

 private:
  ::testing::AssertionResult RightClickList() const;
  std::vector<HWND> tray_before_;
};

}  // namespace ocelot::e2e
