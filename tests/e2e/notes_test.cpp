// Notes of images captured from a web page: View/Edit note and the empty-note clean-up.
#include <gtest/gtest.h>

#include "common/file_io.h"
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
  HWND main = s.MainWindow();
  ASSERT_NE(main, nullptr);
  Sleep(2500);
  SetForegroundWindow(browser_window);
  Sleep(300);
  ASSERT_EQ(GetForegroundWindow(), browser_window);
  PressKey(VK_SNAPSHOT);
  ASSERT_TRUE(WaitFor([&] { return FileExists(folder + "\\pic1.bmp"); }, 15s));
  Sleep(500);

  SelectLines(main, {0});
  OpenAndCloseListMenu(main, s.app.Pid());  // remembers the note path of the web image
  ASSERT_TRUE(s.Pick({"ImageMenu", "&View/Edit note"}));
  auto box = s.app.WaitMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Note");
  EXPECT_EQ(box->text, "There is no note for pic1.bmp.\rDo you want to add note?");
  ASSERT_TRUE(Answer(*box, "Yes"));
  // The note dialog shares its caption with the question before it: find the one with the memo.
  HWND note = nullptr;
  WaitFor([&] {
    for (HWND w : TopLevelWindows(s.app.Pid(), "#32770", "Note"))
      if (GetDlgItem(w, kNoteMemoId) && IsWindowVisible(w)) note = w;
    return note != nullptr;
  }, 5s);
  ASSERT_NE(note, nullptr);
  PostMessageA(GetDlgItem(note, IDOK), BM_CLICK, 0, 0);  // saved with an empty memo
  const std::string note_path = folder + "\\pic1bmp.txt";
  ASSERT_TRUE(WaitFor([&] { return FileExists(note_path); }, 5s));
  EXPECT_TRUE(ReadFileBytes(note_path).empty());

  OpenAndCloseListMenu(main, s.app.Pid());
  EXPECT_TRUE(WaitFor([&] { return !FileExists(note_path); }, 5s));
}
