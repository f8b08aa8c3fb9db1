// What happens to a grabbed image: the routing of a capture by the output mode, as a
// plan the window side carries out step by step.
#pragma once

#include "settings/setting_enums.h"

namespace ocelot::capture {

struct CapturePlan {
  bool colour_options = false;      // GrayScale, then Negative, on the current image
  bool write_session_file = false;  // a new "pic" file, appended to the session
  bool to_save_folder = false;      // ... in DefaultSaveFolder, marked with the disk glyph
  bool show_written_file = false;   // the new file is shown and the view repainted
  bool print = false;               // the capture printing rules, right after the grab
  bool select_new_line = false;     // the last line is selected and its info shown
  bool print_pages_at_end = false;  // a SuperScroll image, printed in strips at the end
  bool clear_view_at_end = false;   // nothing of the capture is kept
};

// The plan for an output mode, from its row of the output mode table. The e-mail, Word and
// PowerPoint hand-overs are not part of it yet: "Email" keeps the capture as a session
// image, Word and PowerPoint keep nothing.
CapturePlan PlanCapture(settings::OutputMode output_mode, bool super_scroll);

}  // namespace ocelot::capture
