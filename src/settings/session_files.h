// The session clean-up of the working folder: its non-settings files are the session's
// unsaved images and temporary files.
#pragma once

#include <string>

namespace ocelot::settings {

// True when a plain file (attributes exactly 0x20) of the folder is not a settings file.
bool HasSessionFiles(const std::string& working_folder);
// Deletes every such file; folders and other attributes are left alone, failures ignored.
void DeleteSessionFiles(const std::string& working_folder);

}  // namespace ocelot::settings
