// The capture file writer: the current image written as a session file.
#pragma once

#include <string>

#include "session/session.h"
#include "settings/setting_enums.h"

namespace ocelot::output {

// Writes the current image in the format to path, or to the
// next "pic" name of the working folder when path is empty. The current image becomes
// what was written: the GIF palette, true colour for JPEG, and for the other formats the
// display's colour reduction (the image before it goes to the backup). With add_to_list
// the file is appended to the session with the pending capture address, which is used
// up. Returns the path written.
std::string WriteCaptureFile(session::Session& session, const std::string& working_folder, settings::ImageFormat format,
                             const std::string& path, bool add_to_list, long long screen_colours);

}  // namespace ocelot::output
