// The grabs of capture modes 0 to 6: full screen, active window, its client area, and the
// drawn rectangle and circle with their "with Repeat" variants.
#pragma once

#include "capture/capture_host.h"

namespace ocelot::capture {

// Runs the grab of `mode` (0 to 6). True when the clipboard holds a bitmap afterwards;
// the view then holds the grabbed image too. With `auto_capture` the modes 3, 5 and 6 do
// nothing and mode 4 runs only with a remembered rectangle ("repeat.dat"); a grab that
// did not run, any other mode, a cancelled selection or an empty selection give false.
// Throws ocelot::Error, before anything is grabbed, when "repeat.dat" cannot be read or
// does not hold four integers.
bool RunGrab(int mode, CaptureHost& host, const GrabOptions& options);

}  // namespace ocelot::capture
