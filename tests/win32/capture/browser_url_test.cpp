#include "capture/browser_url.h"

#include <gtest/gtest.h>

#include <string>

#include "capture/browser_reply.h"
#include "common/file_io.h"

namespace ocelot::capture {
namespace {

// fake_browser.exe, built into the bin folder of the build beside the test programs'.
std::string FakeBrowserPath() {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string folder(exe);
  folder.resize(folder.find_last_of('\\'));  // tests\win32
  folder.resize(folder.find_last_of('\\'));  // tests
  folder.resize(folder.find_last_of('\\'));  // the build folder
  return folder + "\\bin\\fake_browser.exe";
}

// One running fake browser, ended with the test.
class FakeBrowser {
 public:
  explicit FakeBrowser(const std::string& address = {}) {
    std::string command = "\"" + FakeBrowserPath() + "\"";
    if (!address.empty()) command += " " + address;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_)) return;
    WaitForInputIdle(pi_.hProcess, 5000);
    for (int waited = 0; waited < 10000 && !window_; waited += 50) {
      window_ = FindWindowA("IEFrame", nullptr);
      if (!window_) Sleep(50);
    }
  }
  ~FakeBrowser() {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  HWND window() const { return window_; }

 private:
  PROCESS_INFORMATION pi_{};
  HWND window_ = nullptr;
};

TEST(BrowserUrl, ReadBrowserUrl_FakeBrowser_AddressAndKind) {
  ASSERT_TRUE(FileExists(FakeBrowserPath())) << "build the fake_browser target: " << FakeBrowserPath();
  FakeBrowser browser;
  ASSERT_TRUE(browser.window());
  int kind = -1;
  EXPECT_EQ(ReadBrowserUrl(browser.window(), kind), "http://example.test/page.html");
  EXPECT_EQ(kind, kIExploreBrowser);
}

TEST(BrowserUrl, ReadBrowserUrl_AddressOnCommandLine_ThatAddress) {
  ASSERT_TRUE(FileExists(FakeBrowserPath())) << "build the fake_browser target: " << FakeBrowserPath();
  FakeBrowser browser("http://other.test/a?b=1");
  ASSERT_TRUE(browser.window());
  int kind = -1;
  EXPECT_EQ(ReadBrowserUrl(browser.window(), kind), "http://other.test/a?b=1");
}

TEST(BrowserUrl, ReadBrowserUrl_NoServer_EmptyButKindKnown) {
  // A window of the browser's class whose program serves no DDE.
  WNDCLASSA wc{};
  wc.lpfnWndProc = &DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "IEFrame";
  RegisterClassA(&wc);
  HWND silent = CreateWindowExA(0, "IEFrame", "Silent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(silent);
  int kind = -1;
  EXPECT_EQ(ReadBrowserUrl(silent, kind), "");
  EXPECT_EQ(kind, kIExploreBrowser);
  DestroyWindow(silent);
  UnregisterClassA("IEFrame", wc.hInstance);
}

TEST(BrowserUrl, ReadBrowserUrl_OtherWindow_EmptyKindNone) {
  HWND other = CreateWindowExA(0, "STATIC", "Netscape page", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  int kind = -1;
  EXPECT_EQ(ReadBrowserUrl(other, kind), "");
  EXPECT_EQ(kind, kNoBrowser);
  DestroyWindow(other);
  kind = -1;
  EXPECT_EQ(ReadBrowserUrl(nullptr, kind), "");
  EXPECT_EQ(kind, kNoBrowser);
}

}  // namespace
}  // namespace ocelot::capture
