#include "capture/hotkeys.h"

#include <gtest/gtest.h>

namespace ocelot::capture {
namespace {

TEST(HotkeyValue, ParseHotkeyValue_Table_ModifiersAndKey) {
  const struct {
    const char* value;
    unsigned modifiers;
    unsigned key;
    bool registrable;
  } cases[] = {
      {"1,0,1,F9", kModControl | kModShift, 0x78, true},
      {"0,0,0,0", 0, kVkPrintScreen, false},               // the default: Print Screen alone
      {"1,1,1,0", kModControl | kModAlt | kModShift, kVkPrintScreen, false},
      {"0,0,0,q", 0, 0x51, true},                          // names match without regard to case
      {"0,1,0,Z", kModAlt, 0x5A, true},
      {"0,0,0,f12", 0, 0x7B, true},
      {"0,0,0,F1", 0, 0x70, true},
      {"0,0,0,PgUp", 0, 0, false},                         // unknown name: key 0
      {"0,0,0,F13", 0, 0, false},
      {"0,0,0,", 0, 0, false},
      {"1 , 0 , 0 , F2 ", kModControl, 0x71, true},        // blanks around fields ignored
      {"yes,2,-1,A", 0, 0x41, true},                       // only "1" adds a modifier
      {"1,0,1,F9,extra", kModControl | kModShift, 0x78, true},
      // Fewer than four fields: the missing key field reads as "0", Print Screen.
      {"1,0,1", kModControl | kModShift, kVkPrintScreen, false},
      {"F9", 0, kVkPrintScreen, false},
      {"", 0, kVkPrintScreen, false},
  };
  for (const auto& c : cases) {
    const HotkeyValue v = ParseHotkeyValue(c.value);
    EXPECT_EQ(v.modifiers, c.modifiers) << c.value;
    EXPECT_EQ(v.key, c.key) << c.value;
    EXPECT_EQ(v.Registrable(), c.registrable) << c.value;
  }
}

TEST(HotkeyValue, VirtualKeyFromName_LettersAndFunctionKeys_TheirKeys) {
  for (char c = 'A'; c <= 'Z'; ++c) {
    EXPECT_EQ(VirtualKeyFromName(std::string(1, c)), 0x41u + static_cast<unsigned>(c - 'A'));
    EXPECT_EQ(VirtualKeyFromName(std::string(1, static_cast<char>(c - 'A' + 'a'))), 0x41u + static_cast<unsigned>(c - 'A'));
  }
  for (int n = 1; n <= 12; ++n) {
    EXPECT_EQ(VirtualKeyFromName("F" + std::to_string(n)), 0x70u + static_cast<unsigned>(n) - 1);
  }
  for (const char* bad : {"F0", "F01", "AA", "1", "0", "Esc", "f1 x"}) EXPECT_EQ(VirtualKeyFromName(bad), 0u) << bad;
}

TEST(HotkeyTable, HotkeyToCaptureMode_Ids_ModeOrNone) {
  const struct {
    int id;
    std::optional<int> mode;
  } cases[] = {
      {101, 9}, {119, 9},  {107, 0},  {108, 1},  {109, 2},  {110, 7},           {111, 3},
      {112, 4}, {113, 5},  {114, 6},  {115, 11}, {116, 12}, {106, std::nullopt}, {117, std::nullopt},
      {118, std::nullopt}, {0, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(HotkeyToCaptureMode(c.id, 9), c.mode) << c.id;
}

TEST(HotkeyTable, CaptureHotkeys_Order_AsRegistered) {
  const char* keys[] = {"GLOBALHOTKEYS", "FULLSCREEN", "ACTIVEWINDOW", "ACTIVEWINDOWCLIENT", "MOUSESELECTEDREGION",
                        "UDRECTANGLE",   "REPEATRECT", "CIRCLE",       "REPEATCIRCLE",       "ZOOMCAPTURE",
                        "WEBSCROLLER"};
  const int ids[] = {119, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116};
  ASSERT_EQ(kCaptureHotkeys.size(), std::size(keys));
  for (std::size_t i = 0; i < kCaptureHotkeys.size(); ++i) {
    EXPECT_STREQ(kCaptureHotkeys[i].ini_key, keys[i]);
    EXPECT_EQ(kCaptureHotkeys[i].id, ids[i]);
  }
}

}  // namespace
}  // namespace ocelot::capture
