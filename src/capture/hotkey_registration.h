// Registering the capture hotkeys on the main window.
#pragma once

#include <windows.h>

#include <string>

namespace ocelot::capture {

// Registers Print Screen as id 101; then, when the settings' HotkeysEnabled is 1 and
// "OCL.INI" exists, each "CAPTURE" key of the table whose value names a real key other
// than Print Screen. Ids already registered on the window are removed first, so the
// registrations always follow the current values. A combination another program holds is
// skipped. Throws ocelot::Error when the settings record cannot be read (id 101 is
// registered by then).
void RegisterCaptureHotkeys(HWND window, const std::string& working_folder);
// Removes ids 101, 119 and 107 to 118.
void UnregisterCaptureHotkeys(HWND window);

}  // namespace ocelot::capture
