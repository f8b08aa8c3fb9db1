// The catalog listing on the test host. A POSIX file has no archive attribute; a regular
// file its owner may write stands for one whose attributes are archive only (read-only,
// folders and other kinds of entry do not count).
#include "catalog/catalog_listing.h"

#include <dirent.h>
#include <sys/stat.h>

namespace ocelot::catalog {

namespace {
std::string Native(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

bool IsPlainArchiveFile(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) != 0;
}
}  // namespace

std::vector<std::string> ListCatalogFiles(const std::string& catalogs_folder) {
  std::vector<std::string> names;
  const std::string folder = Native(catalogs_folder);
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (HasCatalogExtension(name) && IsPlainArchiveFile(folder + "/" + name)) names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st{};
  return ::stat(Native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0;
}

}  // namespace ocelot::catalog
