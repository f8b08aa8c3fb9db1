// No exception crosses a window or dialog procedure: it is reported with the standard
// error box, and a window or dialog whose set-up threw is not left half-built.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>

#include "boundary_test_resource.h"
#include "common/error.h"
#include "win/dialog.h"
#include "win/window.h"

using namespace ocelot;
using namespace std::chrono_literals;

namespace {

// A visible top-level "#32770" window of this process with the caption; nullptr when
// none shows within the timeout.
HWND WaitDialogWindow(const char* caption, std::chrono::milliseconds timeout = 10s) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    HWND w = FindWindowA("#32770", caption);
    DWORD pid = 0;
    if (w) GetWindowThreadProcessId(w, &pid);
    if (w && pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
    std::this_thread::sleep_for(20ms);  // polling for the window, not waiting a fixed time
  }
  return nullptr;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM out) {
  char cls[16] = {};
  GetClassNameA(child, cls, sizeof cls);
  char text[512] = {};
  GetWindowTextA(child, text, sizeof text);
  if (lstrcmpiA(cls, "Static") == 0 && text[0]) *reinterpret_cast<std::string*>(out) += text;
  return TRUE;
}

// Waits on a thread of its own for the "Error" box, reads its text and presses OK.
class ErrorBoxAnswerer {
 public:
  ErrorBoxAnswerer()
      : text_(std::async(std::launch::async, [] {
          HWND box = WaitDialogWindow("Error");
          if (!box) return std::string("(no error box)");
          std::string text;
          EnumChildWindows(box, &CollectStaticText, reinterpret_cast<LPARAM>(&text));
          PostMessageA(box, WM_COMMAND, IDOK, 0);
          return text;
        })) {}
  std::string Text() { return text_.get(); }

 private:
  std::future<std::string> text_;
};

class ThrowingDialog : public win::Dialog {
 public:
  static constexpr UINT_PTR kSurvivedTimer = 1;

  explicit ThrowingDialog(bool throw_in_init) : throw_in_init_(throw_in_init) {}

 protected:
  void OnInit() override {
    if (!throw_in_init_) return;
    // Should the dialog survive its failed set-up, this ends it instead of the test hanging.
    SetTimer(hwnd(), kSurvivedTimer, 3000, nullptr);
    throw Error("The set-up failed.");
  }
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_TIMER && wp == kSurvivedTimer) {
      End(IDABORT);
      return TRUE;
    }
    return Dialog::HandleMessage(msg, wp, lp);
  }
  bool OnCommand(int id, int notification) override {
    if (id == IDC_BOUNDARY_THROW) throw std::runtime_error("The command failed.");
    return Dialog::OnCommand(id, notification);
  }

 private:
  bool throw_in_init_;
};

TEST(DialogBoundary, OnInitThrows_ReportedAndShowModalFails) {
  ErrorBoxAnswerer answerer;
  ThrowingDialog dialog(true);
  EXPECT_EQ(dialog.ShowModal(nullptr, IDD_BOUNDARY_TEST), win::Dialog::kFailed);
  EXPECT_EQ(answerer.Text(), "The set-up failed.");
}

TEST(DialogBoundary, CommandThrows_ReportedAndTheDialogGoesOn) {
  std::atomic<bool> alive_after_error{false};
  auto driver = std::async(std::launch::async, [&] {
    HWND dialog = WaitDialogWindow("Boundary test");
    if (!dialog) return std::string("(no dialog)");
    ErrorBoxAnswerer answerer;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BOUNDARY_THROW, BN_CLICKED), 0);
    std::string text = answerer.Text();
    alive_after_error = IsWindow(dialog) != FALSE;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return text;
  });
  ThrowingDialog dialog(false);
  EXPECT_EQ(dialog.ShowModal(nullptr, IDD_BOUNDARY_TEST), IDOK);
  EXPECT_EQ(driver.get(), "The command failed.");
  EXPECT_TRUE(alive_after_error);
}

class ThrowingWindow : public win::Window {
 public:
  bool Make() { return Create("OcelotBoundaryTest", "", WS_POPUP, 0, 0, 0, 20, 20, nullptr, nullptr, nullptr); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_CREATE) throw Error("The window failed.");
    return Default(msg, wp, lp);
  }
};

TEST(WindowBoundary, CreateThrows_ReportedAndNoWindowLeft) {
  ErrorBoxAnswerer answerer;
  ThrowingWindow window;
  EXPECT_FALSE(window.Make());
  EXPECT_EQ(window.hwnd(), nullptr);
  EXPECT_EQ(answerer.Text(), "The window failed.");
}

}  // namespace
