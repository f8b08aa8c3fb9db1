// Showing a session image's file as the current image, with its info text.
#pragma once

#include <string>

#include "common/error.h"
#include "session/session.h"

namespace ocelot::output {

enum class ShowResult { Shown, Missing, Unreadable };

// A missing file changes nothing. A file that cannot be shown empties the view and says
// why in the info text; otherwise the file becomes the current image (the backup is
// emptied) and the info text describes it.
ShowResult ShowImageFile(session::Session& session, const std::string& path);

// The info text of the current image as the file at path.
void ShowImageInfo(session::Session& session, const std::string& path);

// Why the file cannot be shown, in the user's words.
std::string UnreadableImageText(const std::string& path, const Error& error);

}  // namespace ocelot::output
