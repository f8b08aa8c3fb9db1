#include "capture/output_modes.h"

#include <gtest/gtest.h>

namespace ocelot::capture {
namespace {

using settings::OutputMode;

TEST(OutputModes, Table_TextsAndWhereTheCaptureGoes) {
  const struct {
    const char* text;
    bool prints;
    CaptureTarget target;
    bool colour_options;
    bool email;
    bool office;
    bool auto_capture;
  } want[] = {
      {"Print and Capture", true, CaptureTarget::WorkingFolder, true, false, false, true},
      {"Print Only", true, CaptureTarget::None, true, false, false, true},
      {"Capture Only", false, CaptureTarget::WorkingFolder, true, false, false, true},
      {"File", false, CaptureTarget::SaveFolder, false, false, false, true},
      {"Email", false, CaptureTarget::WorkingFolder, true, true, false, false},
      {"MS Word", false, CaptureTarget::None, false, false, true, true},
      {"MS PowerPoint", false, CaptureTarget::None, false, false, true, true},
  };
  ASSERT_EQ(OutputModes().size(), std::size(want));
  for (std::int32_t i = 0; i < settings::kOutputModeCount; ++i) {
    const OutputModeInfo& info = Describe(*settings::OutputModeOf(i));
    EXPECT_EQ(settings::StoredValue(info.mode), i);
    EXPECT_STREQ(info.list_text, want[i].text) << i;
    EXPECT_EQ(info.prints, want[i].prints) << i;
    EXPECT_EQ(info.target, want[i].target) << i;
    EXPECT_EQ(info.colour_options, want[i].colour_options) << i;
    EXPECT_EQ(info.sends_email, want[i].email) << i;
    EXPECT_EQ(info.pastes_into_office, want[i].office) << i;
    EXPECT_EQ(info.allows_auto_capture, want[i].auto_capture) << i;
  }
}

}  // namespace
}  // namespace ocelot::capture
