// Preparing a working folder, with the reason when it cannot be used.
#include "settings/working_folder_check.h"

#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "settings/settings_file.h"
#include "settings/working_folder_rules.h"

namespace ocelot::settings {

std::string PrepareWorkingFolder(const std::string& folder) {
  if (folder.empty()) return "no folder is named";
  if (!CreateFolders(folder)) return "the folder does not exist and cannot be created";
  const std::string catalogs = JoinPath(folder, kCatalogsFolderName);
  if (!CreateFolder(catalogs)) return "its folder \"" + catalogs + "\" cannot be created";
  try {
    EnsureSettings(folder);
    ReadSettings(folder);
  } catch (const Error& e) {
    return e.what();
  }
  return {};
}

}  // namespace ocelot::settings
