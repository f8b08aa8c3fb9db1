#include "win/clipboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <thread>

#include "imaging/image.h"
#include "win/dib.h"

using namespace ocelot;

namespace {

// A hidden window to own the clipboard.
class ClipboardWindow {
 public:
  ClipboardWindow() : hwnd_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)) {}
  ~ClipboardWindow() { DestroyWindow(hwnd_); }
  ClipboardWindow(const ClipboardWindow&) = delete;
  ClipboardWindow& operator=(const ClipboardWindow&) = delete;
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// Whether a thread of its own can open the clipboard: only when no one holds it.
bool OtherThreadCanOpen() {
  bool opened = false;
  std::thread([&] {
    opened = OpenClipboard(nullptr) != FALSE;
    if (opened) CloseClipboard();
  }).join();
  return opened;
}

TEST(ScopedClipboard, Leaving_ClosesSoAnotherOpenSucceeds) {
  ClipboardWindow window;
  {
    win::ScopedClipboard clipboard(window.get());
    ASSERT_TRUE(clipboard.opened());
    EXPECT_EQ(GetOpenClipboardWindow(), window.get());
    EXPECT_FALSE(OtherThreadCanOpen());
  }
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  EXPECT_TRUE(OtherThreadCanOpen());
}

TEST(ScopedClipboard, HeldByAnotherThread_NotOpenedAndStaysTheirs) {
  std::promise<HWND> held;
  std::promise<void> done;
  std::thread holder([&] {
    ClipboardWindow theirs;
    OpenClipboard(theirs.get());
    held.set_value(theirs.get());
    done.get_future().wait();
    CloseClipboard();
  });
  const HWND theirs = held.get_future().get();
  ClipboardWindow window;
  {
    win::ScopedClipboard clipboard(window.get());
    EXPECT_FALSE(clipboard.opened());
  }
  EXPECT_EQ(GetOpenClipboardWindow(), theirs);
  done.set_value();
  holder.join();
  EXPECT_TRUE(OtherThreadCanOpen());
}

// Every clipboard call of the DIB layer leaves the clipboard closed, whatever it found.
TEST(ScopedClipboard, DibClipboardCalls_LeaveItClosed) {
  ClipboardWindow window;
  const imaging::Image image(5, 3, imaging::PixelFormat::TrueColour);
  const struct {
    const char* name;
    std::function<void()> call;
  } cases[] = {
      {"put", [&] { EXPECT_TRUE(win::PutImageOnClipboard(window.get(), image)); }},
      {"read a bitmap", [&] { EXPECT_TRUE(win::ImageFromClipboard(window.get())); }},
      {"empty", [&] { EXPECT_TRUE(win::EmptyTheClipboard(window.get())); }},
      {"read nothing", [&] { EXPECT_FALSE(win::ImageFromClipboard(window.get())); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.call();
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_TRUE(OtherThreadCanOpen());
  }
}

}  // namespace
