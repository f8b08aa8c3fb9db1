// Start-up recovery of the images a killed run left in the working folder.
#pragma once

#include <string>

#include "session/session.h"

namespace ocelot::shell {

// Appends every plain file (attributes exactly 0x20) of the folder with an image
// extension, in the order the file system lists them, under its lower-cased name.
void RecoverSessionImages(const std::string& working_folder, session::Session& session);

}  // namespace ocelot::shell
