#include "capture/hotkey_registration.h"

#include <gtest/gtest.h>

#include "capture/hotkeys.h"
#include "common/error.h"
#include "common/file_io.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "documents_folder_override.h"
#include "temp_folder.h"
#include "win/wait.h"

namespace ocelot::capture {
namespace {


class HotkeyRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExA(0, "STATIC", "hotkeys", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(window);
    settings::WriteDefaultSettings(working.path());
    ASSERT_EQ(settings::IniPath(), docs.path() + "\\OCL.INI");
  }
  void TearDown() override {
    UnregisterCaptureHotkeys(window);
    DestroyWindow(window);
  }
  void SetEnabled(int value) {
    settings::ChangeSettings(working.path(), [&](settings::SettingsRecord& r) { r.HotkeysEnabled = value; });
  }
  // Whether the id is registered on the window: removing it succeeds only then. The id is
  // registered again afterwards by the caller when needed.
  bool Registered(int id) { return UnregisterHotKey(window, id) != FALSE; }

  // The WM_HOTKEY the window gets for the key press, or 0.
  int HotkeyIdFor(WORD vk, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> in;
    auto key = [&](WORD k, bool up) {
      INPUT i{};
      i.type = INPUT_KEYBOARD;
      i.ki.wVk = k;
      i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(k, MAPVK_VK_TO_VSC));
      i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
      in.push_back(i);
    };
    for (WORD m : modifiers) key(m, false);
    key(vk, false);
    key(vk, true);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) key(*it, true);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    for (int waited = 0; waited < 2000; waited += 20) {
      MSG msg;
      if (PeekMessageA(&msg, window, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) return static_cast<int>(msg.wParam);
      Sleep(20);
    }
    return 0;
  }

  TempFolder docs;
  TempFolder working;
  DocumentsFolderOverride override_docs{docs.path()};
  HWND window = nullptr;
};

TEST_F(HotkeyRegistration, Register_IniValues_OnlyRealKeysRegistered) {
  SetEnabled(1);
  settings::WriteIniString(kCaptureSection, "FULLSCREEN", "1,0,1,F9");
  settings::WriteIniString(kCaptureSection, "ACTIVEWINDOW", "0,0,0,q");
  settings::WriteIniString(kCaptureSection, "UDRECTANGLE", "0,0,0,0");
  settings::WriteIniString(kCaptureSection, "CIRCLE", "1,1,1,0");
  settings::WriteIniString(kCaptureSection, "REPEATCIRCLE", "0,0,0,Home");
  settings::WriteIniString(kCaptureSection, "ZOOMCAPTURE", "1,0,1");
  RegisterCaptureHotkeys(window, working.path());

  EXPECT_EQ(HotkeyIdFor(VK_F9, {VK_CONTROL, VK_SHIFT}), 107);
  EXPECT_EQ(HotkeyIdFor('Q', {}), 108);
  EXPECT_EQ(HotkeyIdFor(VK_SNAPSHOT, {}), 101);

  EXPECT_TRUE(Registered(101));
  EXPECT_TRUE(Registered(107));
  EXPECT_TRUE(Registered(108));
  for (int id : {111, 113, 114, 115, 119, 109, 110, 112, 116}) EXPECT_FALSE(Registered(id)) << id;
}

TEST_F(HotkeyRegistration, Register_HotkeysDisabled_OnlyPrintScreen) {
  SetEnabled(0);
  settings::WriteIniString(kCaptureSection, "FULLSCREEN", "1,0,1,F9");
  RegisterCaptureHotkeys(window, working.path());
  EXPECT_EQ(HotkeyIdFor(VK_SNAPSHOT, {}), 101);
  EXPECT_TRUE(Registered(101));
  EXPECT_FALSE(Registered(107));
}

TEST_F(HotkeyRegistration, Register_NoIniFile_OnlyPrintScreen) {
  SetEnabled(1);
  ASSERT_FALSE(FileExists(settings::IniPath()));
  RegisterCaptureHotkeys(window, working.path());
  EXPECT_TRUE(Registered(101));
  for (const auto& entry : kCaptureHotkeys) EXPECT_FALSE(Registered(entry.id)) << entry.ini_key;
}

TEST_F(HotkeyRegistration, RegisterTwice_ChangedValue_FollowsNewValue) {
  SetEnabled(1);
  settings::WriteIniString(kCaptureSection, "FULLSCREEN", "0,0,0,F7");
  RegisterCaptureHotkeys(window, working.path());
  settings::WriteIniString(kCaptureSection, "FULLSCREEN", "0,0,0,F8");
  RegisterCaptureHotkeys(window, working.path());
  EXPECT_EQ(HotkeyIdFor(VK_F8, {}), 107);
}

TEST_F(HotkeyRegistration, Unregister_AfterRegister_NoneLeft) {
  SetEnabled(1);
  settings::WriteIniString(kCaptureSection, "GLOBALHOTKEYS", "1,0,0,G");
  settings::WriteIniString(kCaptureSection, "WEBSCROLLER", "0,1,0,W");
  RegisterCaptureHotkeys(window, working.path());
  UnregisterCaptureHotkeys(window);
  for (int id : {101, 119, 116, 107}) EXPECT_FALSE(Registered(id)) << id;
}

TEST_F(HotkeyRegistration, Register_NoSettingsRecord_PrintScreenThenError) {
  TempFolder empty;
  EXPECT_THROW(RegisterCaptureHotkeys(window, empty.path()), Error);
  EXPECT_TRUE(Registered(101));
}

}  // namespace
}  // namespace ocelot::capture
