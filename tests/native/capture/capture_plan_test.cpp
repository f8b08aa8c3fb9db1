#include "capture/capture_plan.h"

#include <gtest/gtest.h>

using ocelot::capture::CapturePlan;
using ocelot::capture::PlanCapture;

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
    int mode;
    bool super_scroll;
    CapturePlan plan;  // colour, write, save folder, show, print, select, pages at end, clear
  };
  const Case cases[] = {
      {0, false, {true, true, false, true, true, true, false, false}},    // Print and Capture
      {0, true, {true, true, false, true, false, true, true, false}},     // ... SuperScroll: strips at the end
      {1, false, {true, false, false, false, true, false, false, true}},  // Print Only
      {1, true, {true, false, false, false, false, false, true, true}},
      {2, false, {true, true, false, false, false, true, false, false}},  // Capture Only
      {2, true, {true, true, false, false, false, true, false, false}},
      {3, false, {false, true, true, false, false, true, false, false}},  // File: no colour options
      {4, false, {true, true, false, false, false, true, false, false}},  // Email: kept as a session image
      {5, false, {}},                                                     // MS Word
      {6, true, {}},                                                      // MS PowerPoint
      {7, false, {}},                                                     // not a mode
      {-1, false, {}},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(PlanCapture(c.mode, c.super_scroll) == c.plan) << "mode " << c.mode << " super " << c.super_scroll;
}
