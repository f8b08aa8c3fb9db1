// Facts of the running system the commands ask for: the program's folder, short paths
// and the colours of the display.
#pragma once

#include <string>

namespace ocelot::win {

// The folder of the running executable, without a trailing backslash.
std::string ProgramFolder();
// The path in short (8.3) form; "" when the system cannot give it.
std::string ShortPathOf(const std::string& path);
// Bits per pixel times colour planes of the screen.
int DisplayColourBits();

}  // namespace ocelot::win
