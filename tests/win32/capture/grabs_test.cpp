#include "capture/grabs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "capture/repeat_rect.h"
#include "capture/screen_grab.h"
#include "capture_fixture.h"
#include "common/error.h"
#include "common/file_io.h"
#include "temp_folder.h"
#include "win/dib.h"

namespace ocelot::capture {
namespace {

using imaging::Image;
using imaging::PixelFormat;
using imaging::Rgb;
using testing::PatternWindow;

constexpr Rgb kWhite{255, 255, 255};

// Runs the drag of `steps` against the overlay of the class once it shows. If the overlay
// is still open 5 s after the last step (injected input did not reach it), the overlay is
// cancelled with a posted click so the test fails instead of hanging.
class OverlayDriver {
 public:
  OverlayDriver(const char* overlay_class, std::function<void()> steps)
      : thread_([this, overlay_class, steps = std::move(steps)] {
          HWND overlay = testing::WaitVisibleWindow(overlay_class);
          if (!overlay) return;
          saw_overlay_ = true;
          Sleep(300);
          steps();
          for (int waited = 0; waited < 5000 && IsWindow(overlay); waited += 20) Sleep(20);
          if (IsWindow(overlay)) {
            timed_out_ = true;
            PostMessageA(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageA(overlay, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
          }
        }) {}
  ~OverlayDriver() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool saw_overlay() const { return saw_overlay_; }
  bool timed_out() const { return timed_out_; }

 private:
  std::atomic<bool> saw_overlay_{false};
  std::atomic<bool> timed_out_{false};
  std::thread thread_;
};

void Drag(POINT from, POINT to) {
  testing::InjectMouseMove(from.x, from.y);
  Sleep(80);
  testing::InjectMouseButton(true);
  Sleep(80);
  testing::InjectMouseMove((from.x + to.x) / 2, (from.y + to.y) / 2);
  Sleep(80);
  testing::InjectMouseMove(to.x, to.y);
  Sleep(80);
  testing::InjectMouseButton(false);
}

void Click(POINT at) {
  testing::InjectMouseMove(at.x, at.y);
  Sleep(80);
  testing::InjectMouseButton(true);
  Sleep(80);
  testing::InjectMouseButton(false);
}

std::string ReadText(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

class RunGrabTest : public ::testing::Test {
 protected:
  void SetUp() override { win::EmptyTheClipboard(host.Owner()); }
  std::string RepeatText() { return ReadText(RepeatFilePath(folder.path())); }
  void PutRepeat(const std::string& text) {
    WriteFileBytes(RepeatFilePath(folder.path()),
                   std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  }
  std::optional<Image> Clipboard() { return win::ImageFromClipboard(host.Owner()); }

  TempFolder folder;
  testing::FakeHost host{folder.path()};
  GrabOptions options;
};

TEST_F(RunGrabTest, FullScreen_Mode0_ScreenSizedAndPixelsOfTheScreen) {
  PatternWindow pattern(20, 30, 250, 180);
  ASSERT_TRUE(RunGrab(0, host, options));
  const SIZE screen = ScreenSize();
  ASSERT_FALSE(host.ViewEmpty());
  EXPECT_EQ(host.ViewImage().Width(), screen.cx);
  EXPECT_EQ(host.ViewImage().Height(), screen.cy);
  const Image& view = host.ViewImage();
  for (auto [x, y] : {std::pair{20, 30}, {269, 209}, {100, 100}, {31, 77}}) {
    const auto want = e2e::KnownPatternColour(x, y);
    EXPECT_EQ(view.PixelColour(x, y), (Rgb{want.r, want.g, want.b})) << x << "," << y;
  }
  EXPECT_EQ(Clipboard()->Width(), screen.cx);
  EXPECT_GE(host.zoom100_calls, 1);
}

TEST_F(RunGrabTest, ActiveWindow_Modes1And2_WindowRectAndClientArea) {
  PatternWindow window(60, 50, 320, 220, /*captioned=*/true);
  options.foreground = window.hwnd();
  RECT frame{}, client{};
  GetWindowRect(window.hwnd(), &frame);
  GetClientRect(window.hwnd(), &client);
  POINT origin{0, 0};
  ClientToScreen(window.hwnd(), &origin);

  ASSERT_TRUE(RunGrab(1, host, options));
  EXPECT_EQ(host.ViewImage().Width(), frame.right - frame.left);
  EXPECT_EQ(host.ViewImage().Height(), frame.bottom - frame.top);

  ASSERT_TRUE(RunGrab(2, host, options));
  EXPECT_EQ(host.ViewImage().Width(), client.right);
  EXPECT_EQ(host.ViewImage().Height(), client.bottom);
  EXPECT_EQ(testing::FirstPatternMismatch(host.ViewImage(), origin.x, origin.y), "");
}

TEST_F(RunGrabTest, ActiveWindow_NoForeground_FullScreen) {
  options.foreground = nullptr;
  ASSERT_TRUE(RunGrab(1, host, options));
  EXPECT_EQ(host.ViewImage().Width(), ScreenSize().cx);
  ASSERT_TRUE(RunGrab(2, host, options));
  EXPECT_EQ(host.ViewImage().Height(), ScreenSize().cy);
}

TEST_F(RunGrabTest, RepeatRect_Mode4WithRepeatFile_RememberedSizeWithoutOverlay) {
  PatternWindow pattern(0, 0, 300, 300);
  PutRepeat("40\r\n60\r\n100\r\n100\r\n");
  ASSERT_TRUE(RunGrab(4, host, options));
  EXPECT_FALSE(FindWindowA("TfrmBlank", nullptr));
  ASSERT_EQ(host.ViewImage().Width(), 58);
  ASSERT_EQ(host.ViewImage().Height(), 38);
  EXPECT_EQ(testing::FirstPatternMismatch(host.ViewImage(), 41, 61), "");
  const auto clip = Clipboard();
  ASSERT_TRUE(clip);
  EXPECT_EQ(*clip, host.ViewImage());
}

TEST_F(RunGrabTest, RepeatModes_MalformedRepeatFile_ThrowsAndClipboardUntouched) {
  const Image previous(9, 9, PixelFormat::TrueColour);
  for (int mode : {4, 6}) {
    ASSERT_TRUE(win::PutImageOnClipboard(host.Owner(), previous));
    PutRepeat("40\r\n60\r\nnine\r\n100\r\n");
    EXPECT_THROW(RunGrab(mode, host, options), Error) << mode;
    ASSERT_TRUE(Clipboard()) << mode;
    EXPECT_EQ(Clipboard()->Width(), 9) << mode;
    EXPECT_TRUE(host.ViewEmpty()) << mode;
  }
}

TEST_F(RunGrabTest, DrawnRect_Mode3Drag_WritesRepeatAndTrimmedImage_Mode6ReusesIt) {
  PatternWindow pattern(0, 0, 300, 300);
  {
    OverlayDriver driver("TfrmDrawRect", [] { Drag({100, 100}, {40, 60}); });
    const bool grabbed = RunGrab(3, host, options);
    driver.Join();
    ASSERT_TRUE(driver.saw_overlay());
    ASSERT_FALSE(driver.timed_out()) << "injected mouse input did not reach the overlay";
    ASSERT_TRUE(grabbed);
  }
  EXPECT_EQ(RepeatText(), "40\r\n60\r\n100\r\n100\r\n");
  ASSERT_EQ(host.ViewImage().Width(), 58);
  ASSERT_EQ(host.ViewImage().Height(), 38);
  // The frozen picture inside the outline, which the trim took away.
  EXPECT_EQ(testing::FirstPatternMismatch(host.ViewImage(), 41, 61), "");
  EXPECT_EQ(*Clipboard(), host.ViewImage());
  EXPECT_GE(host.minimize_calls, 1);
  EXPECT_FALSE(FindWindowA("TfrmDrawRect", nullptr));

  // Mode 6 takes the same rectangle from the live screen, cut to the ellipse, trimmed.
  ASSERT_TRUE(RunGrab(6, host, options));
  EXPECT_FALSE(FindWindowA("TfrmDrawCircle", nullptr));
  ASSERT_EQ(host.ViewImage().Width(), 58);
  ASSERT_EQ(host.ViewImage().Height(), 38);
  EXPECT_EQ(host.ViewImage().PixelColour(0, 0), kWhite);
  EXPECT_EQ(host.ViewImage().PixelColour(57, 37), kWhite);
  const auto centre = e2e::KnownPatternColour(40 + 1 + 29, 60 + 1 + 19);
  EXPECT_EQ(host.ViewImage().PixelColour(29, 19), (Rgb{centre.r, centre.g, centre.b}));
}

TEST_F(RunGrabTest, DrawnRect_Mode3ClickWithoutDrag_CancelledNothingWritten) {
  ASSERT_TRUE(win::PutImageOnClipboard(host.Owner(), Image(9, 9, PixelFormat::TrueColour)));
  OverlayDriver driver("TfrmDrawRect", [] { Click({120, 130}); });
  const bool grabbed = RunGrab(3, host, options);
  driver.Join();
  ASSERT_FALSE(driver.timed_out()) << "injected mouse input did not reach the overlay";
  EXPECT_FALSE(grabbed);
  EXPECT_FALSE(ClipboardHasBitmap());
  EXPECT_FALSE(RepeatRectExists(folder.path()));
  EXPECT_TRUE(host.ViewEmpty());
}

TEST_F(RunGrabTest, DrawnCircle_Mode5Drag_EllipseOnWhiteUntrimmed) {
  PatternWindow pattern(150, 150, 200, 150);
  OverlayDriver driver("TfrmDrawCircle", [] { Drag({200, 190}, {260, 230}); });
  const bool grabbed = RunGrab(5, host, options);
  driver.Join();
  ASSERT_FALSE(driver.timed_out()) << "injected mouse input did not reach the overlay";
  ASSERT_TRUE(grabbed);
  EXPECT_EQ(RepeatText(), "200\r\n190\r\n260\r\n230\r\n");
  ASSERT_EQ(host.ViewImage().Width(), 60);
  ASSERT_EQ(host.ViewImage().Height(), 40);
  for (auto [x, y] : {std::pair{0, 0}, {59, 0}, {0, 39}, {59, 39}, {1, 1}})
    EXPECT_EQ(host.ViewImage().PixelColour(x, y), kWhite) << x << "," << y;
  const auto centre = e2e::KnownPatternColour(230, 210);
  EXPECT_EQ(host.ViewImage().PixelColour(30, 20), (Rgb{centre.r, centre.g, centre.b}));
}

TEST_F(RunGrabTest, RepeatRect_Mode4WithoutRepeatFile_BlankOverlayOnLiveScreen) {
  PatternWindow pattern(100, 100, 200, 150);
  OverlayDriver driver("TfrmBlank", [] { Drag({190, 150}, {150, 120}); });
  const bool grabbed = RunGrab(4, host, options);
  driver.Join();
  ASSERT_FALSE(driver.timed_out()) << "injected mouse input did not reach the overlay";
  ASSERT_TRUE(grabbed);
  EXPECT_EQ(RepeatText(), "150\r\n120\r\n190\r\n150\r\n");
  ASSERT_EQ(host.ViewImage().Width(), 38);
  ASSERT_EQ(host.ViewImage().Height(), 28);
  // Inside the dotted outline: the pattern the screen showed beneath the overlay.
  EXPECT_EQ(testing::FirstPatternMismatch(host.ViewImage(), 151, 121), "");
}

TEST_F(RunGrabTest, AutoCapture_InteractiveModes_NothingRuns) {
  options.auto_capture = true;
  const Image previous(9, 9, PixelFormat::TrueColour);
  ASSERT_TRUE(win::PutImageOnClipboard(host.Owner(), previous));
  for (int mode : {3, 4, 5, 6}) {
    EXPECT_FALSE(RunGrab(mode, host, options)) << mode;  // mode 4: no "repeat.dat"
    EXPECT_TRUE(host.ViewEmpty()) << mode;
  }
  EXPECT_EQ(Clipboard()->Width(), 9);
}

TEST_F(RunGrabTest, AutoCapture_Mode4WithRepeatFile_Runs) {
  options.auto_capture = true;
  PutRepeat("10\r\n20\r\n70\r\n60\r\n");
  ASSERT_TRUE(RunGrab(4, host, options));
  EXPECT_EQ(host.ViewImage().Width(), 58);
  EXPECT_EQ(host.ViewImage().Height(), 38);
}

TEST_F(RunGrabTest, UnknownMode_False) {
  EXPECT_FALSE(RunGrab(7, host, options));
  EXPECT_FALSE(RunGrab(-1, host, options));
  EXPECT_TRUE(host.ViewEmpty());
}

}  // namespace
}  // namespace ocelot::capture
