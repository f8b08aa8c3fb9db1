// Waiting without blocking the user interface: everything runs on one thread.
#pragma once

namespace ocelot::win {

// Handles all window messages that are waiting, once, and returns. False after WM_QUIT
// (which is posted again so the main loop still sees it).
bool PumpMessages();

// Pumps messages repeatedly until the given seconds (fractions allowed) have passed,
// measured with the millisecond tick count.
void WaitSeconds(double seconds);

}  // namespace ocelot::win
