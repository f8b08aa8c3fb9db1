// The routing of a capture by output mode.
#include "capture/capture_plan.h"

#include "capture/output_modes.h"

namespace ocelot::capture {

CapturePlan PlanCapture(settings::OutputMode output_mode, bool super_scroll) {
  const OutputModeInfo& mode = Describe(output_mode);
  CapturePlan plan;
  plan.print = mode.prints && !super_scroll;
  plan.print_pages_at_end = mode.prints && super_scroll;
  plan.colour_options = mode.colour_options;
  plan.write_session_file = mode.target != CaptureTarget::None;
  plan.to_save_folder = mode.target == CaptureTarget::SaveFolder;
  // "Print and Capture" shows the file it wrote before printing it.
  plan.show_written_file = mode.prints && plan.write_session_file;
  plan.select_new_line = plan.write_session_file;
  plan.clear_view_at_end = mode.prints && !plan.write_session_file;
  return plan;
}

}  // namespace ocelot::capture
