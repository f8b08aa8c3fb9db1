// The catalog listing on Windows: FindFirstFileA over "*.alb", attributes compared whole.
#include "catalog/catalog_listing.h"

#include <windows.h>

#include "settings/working_folder_rules.h"

namespace ocelot::catalog {

std::vector<std::string> ListCatalogFiles(const std::string& catalogs_folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA(JoinPath(catalogs_folder, "*.alb").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.dwFileAttributes == settings::kPlainArchiveAttribute && HasCatalogExtension(found.cFileName))
      names.emplace_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace ocelot::catalog
