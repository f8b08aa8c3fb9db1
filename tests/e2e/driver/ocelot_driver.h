// The end-to-end test driver: starts the real ocelot.exe with a documents folder of its
// own, finds its windows, reads and answers its message boxes, picks menu commands by
// caption and presses keys, all from outside the program.
#pragma once

#include <windows.h>

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
// Sends the command of the menu item reached by captions (as written, with '&'), found
// in the menus compiled into the program; false when the path names no command.
bool PickMenu(HWND window, const std::string& exe_path, std::initializer_list<std::string> path);
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
  bool Start() { return app.Start(Exe()); }
  HWND MainWindow(Duration timeout = 15s) const { return app.WaitWindow("TfrmMain", "Ocelot Summit", timeout); }
  bool Pick(std::initializer_list<std::string> path) { return PickMenu(MainWindow(), Exe(), path); }

  DocumentsFolder docs;
  OcelotProcess app;
};

}  // namespace ocelot::e2e
