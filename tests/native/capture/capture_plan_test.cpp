#include "capture/capture_plan.h"

#include <gtest/gtest.h>

using ocelot::capture::CapturePlan;
using ocelot::capture::PlanCapture;
using ocelot::settings::OutputMode;

namespace {
bool operator==(const CapturePlan& a, const CapturePlan& b) {
  return a.colour_options == b.colour_options && a.write_session_file == b.write_session_file &&
         a.to_save_folder == b.to_save_folder && a.show_written_file == b.show_written_file && a.print == b.print &&
         a.select_new_line == b.select_new_line && a.print_pages_at_end == b.print_pages_at_end &&
         a.clear_view_at_end == b.clear_view_at_end;
}
}  // namespace

TEST(PlanCapture, EachOutputModeRoutesAsItsRow) {
  struct Case {
    OutputMode mode;
    bool super_scroll;
    CapturePlan plan;  // colour, write, save folder, show, print, select, pages at end, clear
  };
  const Case cases[] = {
      {OutputMode::PrintAndCapture, false, {true, true, false, true, true, true, false, false}},    // Print and Capture
      {OutputMode::PrintAndCapture, true, {true, true, false, true, false, true, true, false}},     // ... SuperScroll: strips at the end
      {OutputMode::PrintOnly, false, {true, false, false, false, true, false, false, true}},  // Print Only
      {OutputMode::PrintOnly, true, {true, false, false, false, false, false, true, true}},
      {OutputMode::CaptureOnly, false, {true, true, false, false, false, true, false, false}},  // Capture Only
      {OutputMode::CaptureOnly, true, {true, true, false, false, false, true, false, false}},
      {OutputMode::File, false, {false, true, true, false, false, true, false, false}},  // File: no colour options
      {OutputMode::Email, false, {true, true, false, false, false, true, false, false}},  // Email: kept as a session image
      {OutputMode::MsWord, false, {}},                                                     // MS Word
      {OutputMode::MsPowerPoint, true, {}},                                                      // MS PowerPoint
  };
  for (const auto& c : cases)
    EXPECT_TRUE(PlanCapture(c.mode, c.super_scroll) == c.plan) << "mode " << static_cast<int>(c.mode) << " super " << c.super_scroll;
}
