// The Send To folder's shortcuts, for the mail menus.
#include "output/send_to.h"

#include <windows.h>
#include <shlobj.h>

#include "common/text.h"
#include "win/com.h"

namespace ocelot::output {

std::vector<std::string> GetSendToShortcuts() {
  std::string folder;
  win::ScopedCoTaskMem<ITEMIDLIST> pidl;
  if (SHGetSpecialFolderLocation(nullptr, CSIDL_SENDTO, pidl.put()) == S_OK && pidl) {
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(pidl.get(), path)) folder = path;
  }
  std::vector<std::string> names;
  if (!folder.empty()) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(JoinPath(folder, "*.lnk").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        if (fd.dwFileAttributes == FILE_ATTRIBUTE_ARCHIVE) names.emplace_back(fd.cFileName);
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
  }
  return MailMenuEntries(folder, names);
}

}  // namespace ocelot::output
