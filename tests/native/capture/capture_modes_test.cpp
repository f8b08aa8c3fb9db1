#include "capture/capture_modes.h"

#include <gtest/gtest.h>

#include "capture/hotkeys.h"

namespace ocelot::capture {
namespace {

using settings::CaptureMode;

TEST(CaptureModes, Table_TextsAndWhatChoosingThemDoes) {
  const struct {
    const char* text;
    bool dos;
    bool stops_auto_capture;
  } want[] = {
      {"Full Screen", false, false},
      {"Active Window", false, false},
      {"Active Window Client Area", false, false},
      {"User-Defined Rectangle", false, true},
      {"User-Defined Rectangle with Repeat", false, false},
      {"User-Defined Circle", false, true},
      {"User-Defined Circle with Repeat", false, true},
      {"Mouse Selected Region", false, true},
      {"Full DOS Screen: Text as Graphic", true, true},
      {"Full DOS Screen: Text as Text File", true, true},
      {"Full DOS Screen: Graphics Only", true, true},
      {"Zoom Capture", false, true},
      {"SuperScroll", false, true},
  };
  ASSERT_EQ(CaptureModes().size(), std::size(want));
  for (std::int32_t i = 0; i < settings::kCaptureModeCount; ++i) {
    const CaptureMode mode = *settings::CaptureModeOf(i);
    const CaptureModeInfo& info = Describe(mode);
    EXPECT_EQ(info.mode, mode);
    EXPECT_STREQ(info.list_text, want[i].text) << i;
    EXPECT_EQ(IsDosMode(mode), want[i].dos) << i;
    EXPECT_EQ(info.stops_auto_capture, want[i].stops_auto_capture) << i;
  }
}

TEST(CaptureModes, GrabsOnHotkey_ByAutoCaptureAndTheRememberedArea) {
  // Without automatic capture every mode but the DOS ones grabs; with it, only the modes
  // that need no mouse, and "with Repeat" only over a remembered rectangle.
  const struct {
    CaptureMode mode;
    bool plain;
    bool auto_without_area;
    bool auto_with_area;
  } cases[] = {
      {CaptureMode::FullScreen, true, true, true},
      {CaptureMode::ActiveWindow, true, true, true},
      {CaptureMode::ActiveWindowClientArea, true, true, true},
      {CaptureMode::UserDefinedRectangle, true, false, false},
      {CaptureMode::UserDefinedRectangleWithRepeat, true, false, true},
      {CaptureMode::UserDefinedCircle, true, false, false},
      {CaptureMode::UserDefinedCircleWithRepeat, true, false, false},
      {CaptureMode::MouseSelectedRegion, true, false, false},
      {CaptureMode::DosTextAsGraphic, false, false, false},
      {CaptureMode::DosTextAsTextFile, false, false, false},
      {CaptureMode::DosGraphicsOnly, false, false, false},
      {CaptureMode::ZoomCapture, true, false, false},
      {CaptureMode::SuperScroll, true, false, false},
  };
  for (const auto& c : cases) {
    const int n = settings::StoredValue(c.mode);
    EXPECT_EQ(GrabsOnHotkey(c.mode, false, false), c.plain) << n;
    EXPECT_EQ(GrabsOnHotkey(c.mode, false, true), c.plain) << n;
    EXPECT_EQ(GrabsOnHotkey(c.mode, true, false), c.auto_without_area) << n;
    EXPECT_EQ(GrabsOnHotkey(c.mode, true, true), c.auto_with_area) << n;
  }
}

TEST(CaptureModes, GrabKinds_FollowTheFamilies) {
  for (const auto& info : CaptureModes()) {
    const int n = settings::StoredValue(info.mode);
    const GrabKind want = n <= 6    ? GrabKind::Screen
                          : n == 7  ? GrabKind::Region
                          : n <= 10 ? GrabKind::DosScreen
                          : n == 11 ? GrabKind::Zoom
                                    : GrabKind::Scroll;
    EXPECT_EQ(info.kind, want) << n;
  }
}

TEST(HotkeyTable, HotkeyToCaptureMode_Typed_SelectedOrFixedMode) {
  const struct {
    int id;
    std::optional<CaptureMode> mode;
  } cases[] = {
      {101, CaptureMode::ZoomCapture},
      {119, CaptureMode::ZoomCapture},
      {107, CaptureMode::FullScreen},
      {110, CaptureMode::MouseSelectedRegion},
      {112, CaptureMode::UserDefinedRectangleWithRepeat},
      {116, CaptureMode::SuperScroll},
      {106, std::nullopt},
      {118, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(HotkeyToCaptureMode(c.id, CaptureMode::ZoomCapture), c.mode) << c.id;
  // The typed and the numbered forms agree for every id of the table.
  for (const auto& entry : kCaptureHotkeys) {
    const auto typed = HotkeyToCaptureMode(entry.id, CaptureMode::ActiveWindow);
    ASSERT_TRUE(typed.has_value()) << entry.id;
    EXPECT_EQ(HotkeyToCaptureMode(entry.id, 1), settings::StoredValue(*typed)) << entry.id;
  }
}

}  // namespace
}  // namespace ocelot::capture
