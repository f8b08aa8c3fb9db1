// Whether a working folder can be used: it exists or can be created, with its "Catalogs"
// folder and a settings record.
#pragma once

#include <string>

namespace ocelot::settings {

// Creates what is missing (the folder with its parents, "Catalogs", a default
// "ocelot.cfg"); "" when the folder can be used, otherwise the reason it cannot.
std::string PrepareWorkingFolder(const std::string& folder);

}  // namespace ocelot::settings
