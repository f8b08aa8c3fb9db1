// Notes of images captured from a web page: View/Edit note and the empty-note clean-up.
#include <gtest/gtest.h>

#include "common/file_io.h"
#include "driver/file_dialog.h"
#include "driver/main_window.h"
#include "driver/ocelot_driver.h"
#include "settings/settings_file.h"

using namespace ocelot;
using namespace ocelot::e2e;
using settings::SettingsRecord;

namespace {
constexpr int kNoteMemoId = 411;  // the memo of the note dialog

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

}  // namespace

TEST(Notes, ANoteSavedEmptyIsDeletedWhenTheMenuNextOpens) {
  OcelotProcess browser;
  ASSERT_TRUE(browser.Start(ProgramFolder() + "\\fake_browser.exe"));
  HWND browser_window = browser.WaitWindow("IEFrame", nullptr, 10s);
  ASSERT_NE(browser_window, nullptr);

  OcelotSession s(TestName());
  const std::string folder = s.docs.DefaultWorkingFolder();
  ASSERT_TRUE(CreateFolders(folder));
  SettingsRecord r = SettingsRecord::Defaults();
  r.StartMinimized = 1;
  r.OutputMode = 2;
  r.CaptureMode = 1;
  r.TurnOffSound = 1;
  settings::WriteSettings(folder, r);
  ASSERT_TRUE(s.Start());
  HWND main = s.WaitStarted();
  ASSERT_NE(main, nullptr);
  SetForegroundWindow(browser_window);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == browser_window; }, 5s));
  PressKey(VK_SNAPSHOT);
  ASSERT_TRUE(WaitFor([&] { return ListLines(main) == std::vector<std::string>{"pic1.bmp"}; }, 15s));
  ASSERT_TRUE(FileExists(folder + "\\pic1.bmp"));

  ASSERT_TRUE(s.PickTrayMenu({"&Restore Ocelot"}));
  ASSERT_TRUE(WaitFor([&] { return IsVisible(main); }, 5s));
  // A note of the image, as Save As with a note leaves one: the menu offers it.
  const std::string note_path = folder + "\\pic1bmp.txt";
  WriteFileBytes(note_path, std::vector<std::uint8_t>{'s', 'e', 'e', 'n', '\r', '\n'});
  SelectLines(main, {0});
  ASSERT_TRUE(s.PickListMenu({"&View/Edit note"}));
  // The note dialog shows the note (no question: it exists); emptied and saved.
  HWND note = nullptr;
  WaitFor([&] {
    for (HWND w : TopLevelWindows(s.app.Pid(), "#32770", "Note"))
      if (GetDlgItem(w, kNoteMemoId) && IsWindowVisible(w)) note = w;
    return note != nullptr;
  }, 5s);
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(note, kNoteMemoId)), "seen");
  SendMessageA(GetDlgItem(note, kNoteMemoId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  PostMessageA(GetDlgItem(note, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return FileExists(note_path) && ReadFileBytes(note_path).empty(); }, 5s));

  ASSERT_TRUE(WaitClosed(note));
  ASSERT_TRUE(s.OpenAndCloseListMenu());
  EXPECT_TRUE(WaitFor([&] { return !FileExists(note_path); }, 5s));
}
