// Start-up recovery of the images a killed run left in the working folder.
#pragma once

#include <string>

#include "app/session_images.h"

namespace ocelot::app {

// Appends every plain file (attributes exactly 0x20) of the folder with an image
// extension, in the order the file system lists them, under its lower-cased name.
void RecoverSessionImages(const std::string& working_folder, SessionImages& images);

}  // namespace ocelot::app
