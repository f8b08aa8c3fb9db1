// The working folder and "OCL.INI" through the shell and the profile-string functions.
#include "settings/working_folder.h"

#include <windows.h>
#include <shlobj.h>

#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "settings/working_folder_check.h"
#include "settings/working_folder_rules.h"

namespace ocelot::settings {

namespace {
std::string& WorkingFolderStorage() {
  static std::string folder;  // process-wide, set at start-up and when the user moves it
  return folder;
}

std::string& CurrentSaveFolderStorage() {
  static std::string folder;  // process-wide, see CurrentSaveFolder()
  return folder;
}
}  // namespace

std::string GetDocumentsFolder() {
  LPITEMIDLIST pidl = nullptr;
  if (SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &pidl) != S_OK || !pidl) return {};
  char path[MAX_PATH] = {};
  const BOOL ok = SHGetPathFromIDListA(pidl, path);
  CoTaskMemFree(pidl);
  std::string folder = ok ? std::string(path) : std::string();
  // Held without a trailing backslash, like every folder of ours (a drive root keeps it).
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

std::string IniPath() { return IniPathIn(GetDocumentsFolder()); }

std::string ExpandUserName(const std::string& path) {
  char name[256] = {};
  DWORD len = 255;
  if (!GetUserNameA(name, &len) || len == 0) return ReplaceUserNameToken(path, "");
  return ReplaceUserNameToken(path, std::string(name, len - 1));
}

std::string ReadIniString(const std::string& section, const std::string& key, const std::string& fallback) {
  std::string buf(4096, '\0');
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buf.data(),
                                           static_cast<DWORD>(buf.size()), IniPath().c_str());
  buf.resize(n);
  return buf;
}

void WriteIniString(const std::string& section, const std::string& key, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), IniPath().c_str()))
    throw Error("Cannot write \"" + IniPath() + "\"");
}

std::string FindWorkingFolder() {
  std::string folder = ExpandUserName(ReadIniString(kWorkingPathSection, kWorkingPathKey, ""));
  if (!folder.empty()) {
    CreateFolders(folder);
  } else {
    folder = DefaultWorkingFolder(GetDocumentsFolder());
    CreateFolders(folder);
    WriteIniString(kWorkingPathSection, kWorkingPathKey, folder);
  }
  SetWorkingFolder(folder);
  return folder;
}

WorkingFolderStart StartWorkingFolder() {
  WorkingFolderStart start;
  start.configured = FindWorkingFolder();
  start.configured_problem = PrepareWorkingFolder(start.configured);
  if (start.configured_problem.empty()) {
    start.folder = start.configured;
    return start;
  }
  start.fallback = DefaultWorkingFolder(GetDocumentsFolder());
  start.problem = EqualsIgnoreCase(start.fallback, start.configured) ? start.configured_problem
                                                                      : PrepareWorkingFolder(start.fallback);
  if (start.problem.empty()) start.folder = start.fallback;
  SetWorkingFolder(start.folder);
  return start;
}

const std::string& WorkingFolder() { return WorkingFolderStorage(); }

void SetWorkingFolder(const std::string& folder) { WorkingFolderStorage() = folder; }

const std::string& CurrentSaveFolder() { return CurrentSaveFolderStorage(); }

void SetCurrentSaveFolder(const std::string& folder) { CurrentSaveFolderStorage() = folder; }

}  // namespace ocelot::settings
