// The routing of a capture by output mode.
#include "capture/capture_plan.h"

namespace ocelot::capture {

CapturePlan PlanCapture(int output_mode, bool super_scroll) {
  CapturePlan plan;
  const bool prints = output_mode == 0 || output_mode == 1;
  plan.print = prints && !super_scroll;
  plan.print_pages_at_end = prints && super_scroll;
  plan.colour_options = output_mode == 0 || output_mode == 1 || output_mode == 2 || output_mode == 4;
  plan.write_session_file = output_mode == 0 || output_mode == 2 || output_mode == 3 || output_mode == 4;
  plan.to_save_folder = output_mode == 3;
  plan.show_written_file = output_mode == 0;
  plan.select_new_line = plan.write_session_file;
  plan.clear_view_at_end = output_mode == 1;
  return plan;
}

}  // namespace ocelot::capture
