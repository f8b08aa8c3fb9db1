// The session clean-up: a flat scan of the working folder with the attribute rule.
#include "settings/session_files.h"

#include <windows.h>

#include "common/text.h"
#include "settings/working_folder_rules.h"

namespace ocelot::settings {

namespace {
template <typename F>
void ForEachPlainFile(const std::string& folder, F&& f) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(JoinPath(folder, "*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = fd.cFileName;
    if (fd.dwFileAttributes != kPlainArchiveAttribute || name == "." || name == "..") continue;
    if (!f(name)) break;
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}
}  // namespace

bool HasSessionFiles(const std::string& working_folder) {
  bool found = false;
  ForEachPlainFile(working_folder, [&](const std::string& name) {
    found = !IsKeptForUnsavedTest(name);
    return !found;
  });
  return found;
}

void DeleteSessionFiles(const std::string& working_folder) {
  ForEachPlainFile(working_folder, [&](const std::string& name) {
    if (!IsKeptByCleanup(name)) DeleteFileA(JoinPath(working_folder, name).c_str());
    return true;
  });
}

}  // namespace ocelot::settings
