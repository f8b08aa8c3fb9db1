// The catalogs of a folder as the file system lists them, and the attribute test that
// decides whether a catalog may be rewritten; one implementation per platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace ocelot::catalog {

inline constexpr char kCatalogExtension[] = ".alb";

// Whether the long name ends in ".alb" (any case). The Win32 pattern "*.alb" also matches
// longer extensions through 8.3 short names; those files are no catalogs.
inline bool HasCatalogExtension(std::string_view file_name) {
  constexpr std::string_view ext = kCatalogExtension;
  return file_name.size() > ext.size() && EqualsIgnoreCase(file_name.substr(file_name.size() - ext.size()), ext);
}

// The file names (name + ".alb") of the catalogs in the folder, in the order the file
// system enumerates them: only "*.alb" files whose attribute set is exactly "archive"
// count. A missing folder has none.
std::vector<std::string> ListCatalogFiles(const std::string& catalogs_folder);

// Whether an existing file is marked read-only; such a catalog cannot be opened for writing.
bool IsReadOnlyFile(const std::string& path);

}  // namespace ocelot::catalog
