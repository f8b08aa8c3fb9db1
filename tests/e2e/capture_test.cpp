// Captures end to end: hotkeys, the grabs of the screen, the output routing, the colour
// options, the browser address and automatic capture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "common/file_io.h"
#include "common/text.h"
#include "driver/file_dialog.h"
#include "driver/main_window.h"
#include "driver/menus.h"
#include "driver/ocelot_driver.h"
#include "imaging/codec.h"
#include "settings/settings_file.h"
#include "standins/known_pattern.h"

using namespace ocelot;
using namespace ocelot::e2e;
using imaging::Image;
using settings::SettingsRecord;

namespace {
std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

// Whether the screen shows the known pattern (sampled clear of Wine's tray window).
bool PatternOnScreen() {
  HDC screen = GetDC(nullptr);
  bool all = true;
  for (POINT p : {POINT{10, 300}, POINT{300, 200}, POINT{777, 555}, POINT{1000, 700}}) {
    const auto k = KnownPatternColour(p.x, p.y);
    all = all && GetPixel(screen, p.x, p.y) == RGB(k.r, k.g, k.b);
  }
  ReleaseDC(nullptr, screen);
  return all;
}

// A stand-in program started for one test and ended with it, once its window is shown
// (the known screen: once its pattern is on the screen).
struct StandIn {
  StandIn(const char* exe, const std::string& args, const char* window_class) {
    started = process.Start(ProgramFolder() + "\\" + exe, args);
    if (started) window = process.WaitWindow(window_class, nullptr, 10s);
    started = started && WaitFor([&] { return IsVisible(window); }, 10s);
    if (started && std::string(window_class) == "OcelotKnownScreen") started = WaitFor(&PatternOnScreen, 10s);
  }
  OcelotProcess process;
  bool started = false;
  HWND window = nullptr;
};

struct CaptureSession {
  explicit CaptureSession(const std::string& name, const std::function<void(SettingsRecord&)>& change = {})
      : s(name) {
    EXPECT_TRUE(CreateFolders(s.docs.DefaultWorkingFolder()));
    SettingsRecord r = SettingsRecord::Defaults();
    r.StartMinimized = 1;  // nothing of ours on the screen
    r.OutputMode = 2;      // "Capture Only"
    r.TurnOffSound = 1;
    if (change) change(r);
    settings::WriteSettings(folder(), r);
    shown_at_start = r.StartMinimized == 0;
  }
  std::string folder() const { return s.docs.DefaultWorkingFolder(); }
  std::string Path(const std::string& f) const { return folder() + "\\" + f; }
  // The main window once start-up is done (and it is shown, unless it starts minimized).
  HWND Start() {
    if (!s.Start()) return nullptr;
    HWND main = s.WaitStarted();
    if (main && shown_at_start && !WaitFor([&] { return IsVisible(main); })) return nullptr;
    return main;
  }
  // Waits until the image file is there and whole (it reads as an image).
  bool WaitFile(const std::string& path, Duration timeout = 15s) {
    return WaitFor(
        [&] {
          try {
            return FileExists(path) && imaging::ReadImageFile(path).Width() > 0;
          } catch (const std::exception&) {
            return false;
          }
        },
        timeout);
  }
  // The screen-sized, topmost selection overlay of the program.
  bool WaitOverlay(Duration timeout = 10s) const {
    return WaitFor(
        [&] {
          for (HWND w : TopLevelWindows(s.app.Pid())) {
            RECT r;
            if (IsVisible(w) && (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) && GetWindowRect(w, &r) &&
                r.right - r.left == GetSystemMetrics(SM_CXSCREEN) && r.bottom - r.top == GetSystemMetrics(SM_CYSCREEN))
              return true;
          }
          return false;
        },
        timeout);
  }
  OcelotSession s;
  bool shown_at_start = false;
};

// Wine shows tray icons in a small window of its own that stays above every other.
std::vector<RECT> WineTrayWindow() {
  std::vector<RECT> rects;
  RECT r;
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  if (tray && IsWindowVisible(tray) && GetWindowRect(tray, &r)) rects.push_back(r);
  return rects;
}

// Pixels of the image that differ from the known pattern at their screen position,
// leaving out the given screen rectangles.
int PatternMismatches(const Image& img, int screen_x, int screen_y, const std::vector<RECT>& skip = {}) {
  int bad = 0;
  RECT box{100000, 100000, -1, -1};
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      const POINT p{screen_x + x, screen_y + y};
      if (std::any_of(skip.begin(), skip.end(), [&](const RECT& r) { return PtInRect(&r, p) != FALSE; })) continue;
      const auto want = KnownPatternColour(screen_x + x, screen_y + y);
      const auto got = img.PixelColour(x, y);
      if (got.r != want.r || got.g != want.g || got.b != want.b) {
        ++bad;
        box.left = std::min<LONG>(box.left, p.x);
        box.top = std::min<LONG>(box.top, p.y);
        box.right = std::max<LONG>(box.right, p.x + 1);
        box.bottom = std::max<LONG>(box.bottom, p.y + 1);
      }
    }
  if (bad) std::printf("mismatches in (%ld,%ld)-(%ld,%ld)\n", box.left, box.top, box.right, box.bottom);
  return bad;
}

bool Checked(HWND main, std::initializer_list<std::string> path) {
  const auto item = MenuBarItem(main, path);
  return item && item->checked;
}

std::string FileText(const std::string& path) {
  const auto b = ReadFileBytes(path);
  return std::string(b.begin(), b.end());
}
}  // namespace

TEST(Capture, PrintScreenInFullScreenCaptureOnlyStoresTheScreen) {
  StandIn screen("known_screen.exe", "", "OcelotKnownScreen");
  ASSERT_TRUE(screen.started);
  CaptureSession c(TestName());  // HotkeysEnabled 0: Print Screen still captures
  HWND main = c.Start();
  ASSERT_NE(main, nullptr);
  PressKey(VK_SNAPSHOT);
  ASSERT_TRUE(c.WaitFile(c.Path("pic1.bmp")));
  const Image img = imaging::ReadImageFile(c.Path("pic1.bmp"));
  EXPECT_EQ(img.Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(img.Height(), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(PatternMismatches(img, 0, 0, WineTrayWindow()), 0);
  EXPECT_EQ(ListLines(main), std::vector<std::string>{"pic1.bmp"});
}

TEST(Capture, ConfiguredHotkeysRegisterTheirKeys) {
  StandIn screen("known_screen.exe", "", "OcelotKnownScreen");
  ASSERT_TRUE(screen.started);
  CaptureSession c(TestName(), [](SettingsRecord& r) {
    r.HotkeysEnabled = 1;
    r.CaptureMode = 2;  // Print Screen would take the client area; the keys take their own modes
  });
  WritePrivateProfileStringA("CAPTURE", "FULLSCREEN", "1,0,1,F9", c.s.docs.IniPath().c_str());
  WritePrivateProfileStringA("CAPTURE", "UDRECTANGLE", "0,0,0,q", c.s.docs.IniPath().c_str());
  WritePrivateProfileStringA("CAPTURE", "CIRCLE", "1,1,1,0", c.s.docs.IniPath().c_str());
  HWND main = c.Start();
  ASSERT_NE(main, nullptr);
  PressKey(VK_F9, {VK_CONTROL, VK_SHIFT});
  ASSERT_TRUE(c.WaitFile(c.Path("pic1.bmp")));
  EXPECT_EQ(imaging::ReadImageFile(c.Path("pic1.bmp")).Width(), GetSystemMetrics(SM_CXSCREEN));
  // The plain Q opens the rectangle overlay; a drag selects.
  PressKey('Q');
  ASSERT_TRUE(c.WaitOverlay());
  MouseDrag(POINT{200, 150}, POINT{300, 230});
  ASSERT_TRUE(c.WaitFile(c.Path("pic2.bmp")));
  const Image rect = imaging::ReadImageFile(c.Path("pic2.bmp"));
  EXPECT_EQ(rect.Width(), 98);
  EXPECT_EQ(rect.Height(), 78);
}

TEST(Capture, RectangleIsRememberedAndReusedByTheRepeatModes) {
  StandIn screen("known_screen.exe", "", "OcelotKnownScreen");
  ASSERT_TRUE(screen.started);
  CaptureSession c(TestName(), [](SettingsRecord& r) { r.CaptureMode = 3; });
  HWND main = c.Start();
  ASSERT_NE(main, nullptr);
  PressKey(VK_SNAPSHOT);
  ASSERT_TRUE(c.WaitOverlay());  // the program hides and opens the frozen overlay
  MouseDrag(POINT{100, 100}, POINT{40, 60});
  ASSERT_TRUE(c.WaitFile(c.Path("pic1.bmp")));
  EXPECT_EQ(FileText(c.Path("repeat.dat")), "40\r\n60\r\n100\r\n100\r\n");
  const Image first = imaging::ReadImageFile(c.Path("pic1.bmp"));
  EXPECT_EQ(first.Width(), 58);
  EXPECT_EQ(first.Height(), 38);
  EXPECT_EQ(PatternMismatches(first, 41, 61), 0);

  // "with Repeat": the same place from the live screen, no overlay.
  ChooseListEntry(main, kCaptureMethodId, 4);
  PressKey(VK_SNAPSHOT);
  ASSERT_TRUE(c.WaitFile(c.Path("pic2.bmp")));
  const Image again = imaging::ReadImageFile(c.Path("pic2.bmp"));
  EXPECT_EQ(again.Width(), 58);
  EXPECT_EQ(again.Height(), 38);
  EXPECT_EQ(PatternMismatches(again, 41, 61), 0);

  // The circle with repeat uses the same shape: white corners, the pattern inside.
  ChooseListEntry(main, kCaptureMethodId, 6);
  PressKey(VK_SNAPSHOT);
  ASSERT_TRUE(c.WaitFile(c.Path("pic3.bmp")));
  const Image circle = imaging::ReadImageFile(c.Path("pic3.bmp"));
  EXPECT_EQ(circle.Width(), 58);
  EXPECT_EQ(circle.Height(), 38);
  EXPECT_EQ(circle.PixelColour(0, 0), (imaging::Rgb{255, 255, 255}));
  const auto centre = KnownPatternColour(41 + 29, 61 + 19);
  EXPECT_EQ(circle.PixelColour(29, 19), (imaging::Rgb{centre.r, centre.g, centre.b}));
  EXPECT_EQ(ListLines(main).size(), 3u);
}

TEST(Capture, MousePointerIsInTheImageAndGoneFromTheScreen) {
  StandIn screen("known_screen.exe", "", "OcelotKnownScreen");
  ASSERT_TRUE(screen.started);
  CaptureSession c(TestName(), [](SettingsRecord& r) { r.IncludeMouseCursor = 1; });
  HWND main = c.Start();
  ASSERT_NE(main, nullptr);
  MoveMouse(POINT{300, 300});
  PressKey(VK_SNAPSHOT);
  ASSERT_TRUE(c.WaitFile(c.Path("pic1.bmp")));
  const Image img = imaging::ReadImageFile(c.Path("pic1.bmp"));
  // The arrow's black outline starts at the hot spot; its white inside lies below it.
  EXPECT_EQ(img.PixelColour(300, 300), (imaging::Rgb{0, 0, 0}));
  EXPECT_EQ(img.PixelColour(301, 303), (imaging::Rgb{255, 255, 255}));
  const auto away = KnownPatternColour(600, 600);
  EXPECT_EQ(img.PixelColour(600, 600), (imaging::Rgb{away.r, away.g, away.b}));
  // The pointer drawn for the image is gone from the screen again.
  const auto under = KnownPatternColour(301, 303);
  EXPECT_TRUE(WaitFor([&] { return ClientPixels(GetDesktopWindow()).At(301, 303) == RGB(under.r, under.g, under.b); }, 5s));
}

TEST(Capture, GrayScaleAndNegativeStoreTheInvertedGrayImage) {
  StandIn screen("known_screen.exe", "", "OcelotKnownScreen");
  ASSERT_TRUE(screen.started);
  CaptureSession c(TestName(), [](SettingsRecord& r) {
    r.GrayScale = 1;
    r.Negative = 1;
  });
  HWND main = c.Start();
  ASSERT_NE(main, nullptr);
  PressKey(VK_SNAPSHOT);
  ASSERT_TRUE(c.WaitFile(c.Path("pic1.bmp")));
  const Image img = imaging::ReadImageFile(c.Path("pic1.bmp"));
  for (POINT p : {POINT{10, 300}, POINT{300, 200}, POINT{777, 555}}) {  // clear of Wine's tray window
    const auto k = KnownPatternColour(p.x, p.y);
    const int gray = (299 * k.r + 587 * k.g + 114 * k.b) / 1000;
    const auto got = img.PixelColour(p.x, p.y);
    EXPECT_EQ(got.r, 255 - gray) << p.x;
    EXPECT_EQ(got.g, 255 - gray) << p.x;
    EXPECT_EQ(got.b, 255 - gray) << p.x;
  }
}

TEST(Capture, FileOutputWritesLowerCasedIntoTheSaveFolderAndKeepsItAtExit) {
  CaptureSession c(TestName(), [](SettingsRecord&) {});
  const std::string shots = c.s.docs.Path() + "\\Shots";
  ASSERT_TRUE(CreateFolders(shots));
  settings::ChangeSettings(c.folder(), [&](SettingsRecord& r) {
    r.OutputMode = 3;
    r.CaptureFormat = 4;  // PNG
    r.GrayScale = 1;      // never applied to "File"
    r.ConfirmUnsavedOnExit = 0;
    r.SetDefaultSaveFolder(shots);
  });
  HWND main = c.Start();
  ASSERT_NE(main, nullptr);
  PressKey(VK_SNAPSHOT);
  const std::string want = ToLower(shots) + "\\pic1.png";
  ASSERT_TRUE(c.WaitFile(want));
  EXPECT_EQ(ListLines(main), std::vector<std::string>{"pic1.png"});
  EXPECT_NE(imaging::ReadImageFile(want).Format(), imaging::PixelFormat::Gray256);
  ASSERT_TRUE(c.s.Pick({"&File", "E&xit"}));
  ASSERT_TRUE(c.s.app.WaitExit(10s));
  EXPECT_TRUE(FileExists(want));
}

TEST(Capture, BrowserInFrontAttachesItsAddress) {
  StandIn browser("fake_browser.exe", "http://example.test/shot.html", "IEFrame");
  ASSERT_TRUE(browser.started);
  CaptureSession c(TestName(), [](SettingsRecord& r) { r.CaptureMode = 1; });
  HWND main = c.Start();
  ASSERT_NE(main, nullptr);
  SetForegroundWindow(browser.window);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == browser.window; }, 5s));
  PressKey(VK_SNAPSHOT);
  ASSERT_TRUE(c.WaitFile(c.Path("pic1.bmp")));
  // The list's menu and the "&Image" menu offer "&Go to URL" only for an image with a web
  // address; "&View/Edit note" stays disabled while it has no note.
  ASSERT_TRUE(c.s.PickTrayMenu({"&Restore Ocelot"}));
  ASSERT_TRUE(WaitFor([&] { return IsVisible(main); }, 5s));
  SelectLines(main, {0});
  const auto items = c.s.ListMenuItems();
  ASSERT_TRUE(items.has_value());
  const auto item = [&](const char* text) {
    const auto it = std::find_if(items->begin(), items->end(), [&](const MenuItem& i) { return i.text == text; });
    return it == items->end() ? MenuItem{} : *it;
  };
  EXPECT_TRUE(item("&Go to URL").enabled);
  EXPECT_EQ(item("&View/Edit note").text, "&View/Edit note");
  EXPECT_FALSE(item("&View/Edit note").enabled);
  const auto go = MenuBarItem(main, {"&Image", "&Go to URL"});
  ASSERT_TRUE(go.has_value());
  EXPECT_TRUE(go->enabled);
}

TEST(Capture, TwoHundredImagesWarnAndStillCapture) {
  CaptureSession c(TestName());
  const auto tiny = imaging::WriteImage(Image(2, 2, imaging::PixelFormat::TrueColour), imaging::FileType::Bmp);
  for (int i = 1; i <= 200; ++i) WriteFileBytes(c.Path("pic" + std::to_string(i) + ".bmp"), tiny);
  HWND main = c.Start();
  ASSERT_NE(main, nullptr);
  PressKey(VK_SNAPSHOT);
  auto box = c.s.app.WaitMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Warning");
  EXPECT_EQ(box->text,
            "You have 200 or more images in memory. We recommend you do the following:\r"
            "1. Save your images.\r2. Shut down Ocelot and start a new session.\r"
            "This allows other programs to share resources.");
  ASSERT_TRUE(Answer(*box, "OK"));
  EXPECT_TRUE(c.WaitFile(c.Path("pic201.bmp")));
}

TEST(Capture, AutomaticCaptureAddsALinePerTickAndRefusesEmail) {
  CaptureSession c(TestName(), [](SettingsRecord& r) { r.StartMinimized = 0; });
  HWND main = c.Start();
  ASSERT_NE(main, nullptr);
  const std::initializer_list<std::string> on = {"Time&r", "Auto Capture &On"};
  const std::initializer_list<std::string> off = {"Time&r", "Auto Capture O&ff"};
  ChooseListEntry(main, kOutputModeId, 4);  // "Email"
  ASSERT_TRUE(c.s.Pick(on));
  auto box = c.s.app.WaitMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Error");
  EXPECT_EQ(box->text, "Auto Capture does not work with Email Only.\rSelect a different output method.");
  Answer(*box, "OK");
  ASSERT_TRUE(WaitClosed(box->hwnd));
  EXPECT_TRUE(Checked(main, off));
  EXPECT_FALSE(Checked(main, on));

  ChooseListEntry(main, kOutputModeId, 2);  // "Capture Only"
  ASSERT_TRUE(c.s.Pick(on));
  HWND dialog = c.s.app.WaitWindow("#32770", "Ocelot AutoCapture", 5s);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, 421)), "5");
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitClosed(dialog));
  EXPECT_TRUE(Checked(main, on));
  // Every 5 s a synthesized Print Screen captures the full screen.
  EXPECT_TRUE(WaitFor([&] { return ListLines(main).size() >= 2; }, 20s));
  ASSERT_TRUE(c.s.Pick(off));
  EXPECT_TRUE(Checked(main, off));
  // A capture in progress may still end with a line; after it, no tick comes.
  const auto at_off = ListLines(main).size();
  WaitFor([&] { return ListLines(main).size() > at_off; }, 2500ms);
  const auto count = ListLines(main).size();
  EXPECT_FALSE(WaitFor([&] { return ListLines(main).size() > count; }, 6s)) << "a capture after Auto Capture Off";
}

TEST(Capture, AutomaticCaptureDialogClosedByItsCloseBoxCapturesEveryTenSeconds) {
  CaptureSession c(TestName(), [](SettingsRecord& r) { r.StartMinimized = 0; });
  HWND main = c.Start();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(c.s.Pick({"Time&r", "Auto Capture &On"}));
  HWND dialog = c.s.app.WaitWindow("#32770", "Ocelot AutoCapture", 5s);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsVisible(dialog); }, 5s));
  ASSERT_TRUE(ClickCloseBox(dialog));
  ASSERT_TRUE(WaitClosed(dialog));
  const auto closed = std::chrono::steady_clock::now();
  EXPECT_TRUE(Checked(main, {"Time&r", "Auto Capture &On"}));
  // The interval is the dialog's starting "10", not the spin edit's 5 seconds.
  ASSERT_TRUE(WaitFor([&] { return !ListLines(main).empty(); }, 16s)) << "no capture after the close box";
  EXPECT_GE(std::chrono::steady_clock::now() - closed, 9s);
  EXPECT_TRUE(c.WaitFile(c.Path("pic1.bmp")));
  ASSERT_TRUE(c.s.Pick({"Time&r", "Auto Capture O&ff"}));
}
