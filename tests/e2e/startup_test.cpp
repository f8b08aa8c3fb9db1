// Start-up, the single running copy, showing, hiding and exiting, seen from outside.
#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "driver/menus.h"
#include "driver/ocelot_driver.h"
#include "settings/settings_file.h"

using namespace ocelot;
using namespace ocelot::e2e;
using ocelot::settings::SettingsRecord;

namespace {
std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

std::string IniValue(const std::string& ini, const char* section, const char* key) {
  char buf[1024] = {};
  GetPrivateProfileStringA(section, key, "", buf, sizeof buf, ini.c_str());
  return buf;
}

// A working folder prepared before the first start, with a record of the test's choice.
void PrepareWorkingFolder(const DocumentsFolder& docs, const std::function<void(SettingsRecord&)>& change) {
  ASSERT_TRUE(CreateFolders(docs.DefaultWorkingFolder()));
  SettingsRecord r = SettingsRecord::Defaults();
  change(r);
  settings::WriteSettings(docs.DefaultWorkingFolder(), r);
}

void Touch(const std::string& path) { WriteFileBytes(path, std::vector<std::uint8_t>{'B', 'M'}); }
}  // namespace

TEST(Startup, FirstStartCreatesWorkingFolderWithDefaultRecord) {
  OcelotSession s(TestName());
  ASSERT_TRUE(s.Start());
  ASSERT_NE(s.MainWindow(), nullptr);
  const std::string cfg = settings::SettingsPath(s.docs.DefaultWorkingFolder());
  ASSERT_TRUE(WaitFor([&] { return FileExists(cfg); }));
  const auto bytes = ReadFileBytes(cfg);
  const auto want = settings::EncodeSettings(SettingsRecord::Defaults());
  EXPECT_EQ(bytes, std::vector<std::uint8_t>(want.begin(), want.end()));
  EXPECT_TRUE(FolderExists(s.docs.DefaultWorkingFolder() + "\\Catalogs"));
  EXPECT_TRUE(EqualsIgnoreCase(IniValue(s.docs.IniPath(), "WORKINGPATH", "PATH"), s.docs.DefaultWorkingFolder()));
}

TEST(Startup, WindowAppearsAboutTwoSecondsAfterStart) {
  OcelotSession s(TestName());
  ASSERT_TRUE(s.Start());
  HWND main = s.MainWindow();
  ASSERT_NE(main, nullptr);
  const auto created = std::chrono::steady_clock::now();
  EXPECT_FALSE(IsVisible(main));
  ASSERT_TRUE(WaitFor([&] { return IsVisible(main); }, 10s));
  EXPECT_GE(std::chrono::steady_clock::now() - created, 1500ms);
  char caption[64] = {};
  GetWindowTextA(main, caption, sizeof caption);
  EXPECT_STREQ(caption, "Ocelot Summit");
  RECT r;
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 626);
  EXPECT_EQ(r.bottom - r.top, 455);
}

TEST(Startup, StartMinimizedStaysInTheTray) {
  OcelotSession s(TestName());
  PrepareWorkingFolder(s.docs, [](SettingsRecord& r) { r.StartMinimized = 1; });
  ASSERT_TRUE(s.Start());
  HWND main = s.WaitStarted();
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(WaitFor([&] { return IsVisible(main); }, 4s)) << "shown past the show timer";
  EXPECT_TRUE(s.app.Running());
  // The tray's restore command still shows it.
  ASSERT_TRUE(s.PickTrayMenu({"&Restore Ocelot"}));
  EXPECT_TRUE(WaitFor([&] { return IsVisible(main); }, 5s));
}

TEST(Startup, TrayIconClickOpensItsMenuAndDoubleClickRestores) {
  OcelotSession s(TestName());
  PrepareWorkingFolder(s.docs, [](SettingsRecord& r) { r.StartMinimized = 1; });
  ASSERT_TRUE(s.Start());
  HWND main = s.WaitStarted();
  ASSERT_NE(main, nullptr);
  for (bool right : {false, true}) {
    SCOPED_TRACE(right ? "right click" : "left click");
    ASSERT_TRUE(s.ClickTrayIcon(right));
    HWND menu = WaitMenuWindow(s.app.Pid());
    ASSERT_NE(menu, nullptr) << "no menu after a click on the tray icon";
    const auto items = ReadMenu(menu, reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)));
    ASSERT_TRUE(items.has_value());
    ASSERT_EQ(items->size(), 2u);
    EXPECT_EQ((*items)[0].text, "&Restore Ocelot");
    EXPECT_TRUE((*items)[0].is_default);
    EXPECT_EQ((*items)[1].text, "E&xit");
    EXPECT_FALSE(IsVisible(main));
    ASSERT_TRUE(CloseOpenMenu(s.app.Pid()));
  }
  ASSERT_TRUE(s.DoubleClickTrayIcon());
  EXPECT_TRUE(WaitFor([&] { return IsVisible(main); }, 5s));
  EXPECT_FALSE(WaitFor([&] { return AnyMenuWindow(s.app.Pid()); }, 2s)) << "the double click left a menu open";
  CloseOpenMenu(s.app.Pid());
}

TEST(Startup, LockedTrayDoesNotRestoreOrExitWithoutPassword) {
  OcelotSession s(TestName());
  PrepareWorkingFolder(s.docs, [](SettingsRecord& r) {
    r.StartMinimized = 1;
    r.TrayPassword = 1;
  });
  ASSERT_TRUE(s.Start());
  HWND main = s.WaitStarted();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(s.DoubleClickTrayIcon());
  ASSERT_TRUE(s.PickTrayMenu({"&Restore Ocelot"}));
  ASSERT_TRUE(s.PickTrayMenu({"E&xit"}));
  EXPECT_FALSE(WaitFor([&] { return IsVisible(main); }, 2s));
  EXPECT_TRUE(s.app.Running());
  EXPECT_FALSE(s.app.WaitMessageBox(500ms).has_value());
}

TEST(Startup, SecondCopyWarnsAndEnds) {
  OcelotSession s(TestName());
  ASSERT_TRUE(s.Start());
  ASSERT_NE(s.MainWindow(), nullptr);
  OcelotProcess second;
  ASSERT_TRUE(second.Start(s.Exe()));
  auto box = second.WaitMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Warning");
  EXPECT_EQ(box->text, "Ocelot is already running.");
  EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
  EXPECT_TRUE(TopLevelWindows(second.Pid(), "TfrmMain").empty());
  ASSERT_TRUE(Answer(*box, "OK"));
  EXPECT_TRUE(second.WaitExit(5s));
  EXPECT_TRUE(s.app.Running());
}

TEST(Startup, ClosingTheWindowHidesItToTheTray) {
  OcelotSession s(TestName());
  ASSERT_TRUE(s.Start());
  HWND main = s.MainWindow();
  ASSERT_TRUE(WaitFor([&] { return IsVisible(main); }));
  ASSERT_TRUE(ClickCloseBox(main));
  EXPECT_TRUE(WaitFor([&] { return !IsVisible(main); }, 5s));
  EXPECT_FALSE(s.app.WaitExit(1s));
  EXPECT_TRUE(IsWindow(main));
}

struct ExitCase {
  const char* name;
  int confirm;
  const char* answer;  // nullptr: no question expected
  bool exits;
};

class ExitCommand : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitCommand, AsksAboutUnsavedImagesAndCleansUp) {
  const ExitCase& c = GetParam();
  OcelotSession s(std::string("Exit") + c.name);
  PrepareWorkingFolder(s.docs, [&](SettingsRecord& r) { r.ConfirmUnsavedOnExit = c.confirm; });
  const std::string folder = s.docs.DefaultWorkingFolder();
  Touch(folder + "\\pic1.bmp");
  Touch(folder + "\\jpeg.cfg");
  ASSERT_TRUE(s.Start());
  HWND main = s.MainWindow();
  ASSERT_TRUE(WaitFor([&] { return IsVisible(main); }));
  ASSERT_TRUE(s.Pick({"&File", "E&xit"}));
  if (c.answer) {
    auto box = s.app.WaitMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Ocelot");
    EXPECT_EQ(box->text, "Do you want to DELETE unsaved images?");
    EXPECT_EQ(box->buttons, (std::vector<std::string>{"Yes", "No"}));
    ASSERT_TRUE(Answer(*box, c.answer));
  }
  if (c.exits) {
    EXPECT_TRUE(s.app.WaitExit(10s));
    EXPECT_FALSE(FileExists(folder + "\\pic1.bmp"));
  } else {
    EXPECT_FALSE(s.app.WaitExit(1s));
    EXPECT_TRUE(FileExists(folder + "\\pic1.bmp"));
    EXPECT_FALSE(s.app.WaitMessageBox(500ms).has_value());
  }
  EXPECT_TRUE(FileExists(folder + "\\jpeg.cfg"));
  EXPECT_TRUE(FileExists(folder + "\\ocelot.cfg"));
}

INSTANTIATE_TEST_SUITE_P(Startup, ExitCommand,
                         ::testing::Values(ExitCase{"ConfirmNo", 1, "No", false},
                                           ExitCase{"ConfirmYes", 1, "Yes", true},
                                           ExitCase{"NoConfirm", 0, nullptr, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Startup, EndOfWindowsSessionAsksOnceAndEndsWhateverTheAnswer) {
  OcelotSession s(TestName());
  PrepareWorkingFolder(s.docs, [](SettingsRecord&) {});
  const std::string folder = s.docs.DefaultWorkingFolder();
  Touch(folder + "\\pic2.bmp");
  ASSERT_TRUE(s.Start());
  HWND main = s.MainWindow();
  ASSERT_TRUE(WaitFor([&] { return IsVisible(main); }));
  DWORD_PTR may_end = 0;
  ASSERT_TRUE(SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &may_end));
  EXPECT_EQ(may_end, static_cast<DWORD_PTR>(TRUE));
  PostMessageA(main, WM_ENDSESSION, TRUE, 0);
  auto box = s.app.WaitMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "Do you want to DELETE unsaved images?");
  ASSERT_TRUE(Answer(*box, "No"));
  EXPECT_TRUE(s.app.WaitExit(10s));
  EXPECT_FALSE(FileExists(folder + "\\pic2.bmp"));
}
