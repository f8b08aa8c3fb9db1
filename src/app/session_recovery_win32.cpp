// Start-up recovery: a flat scan of the working folder.
#include "app/session_recovery.h"

#include <windows.h>

#include "common/text.h"
#include "settings/working_folder_rules.h"

namespace ocelot::app {

void RecoverSessionImages(const std::string& working_folder, SessionImages& images) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(JoinPath(working_folder, "*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (fd.dwFileAttributes != settings::kPlainArchiveAttribute) continue;
    const std::string lower = ToLower(fd.cFileName);
    if (!IsRecoverableImageName(lower)) continue;
    images.Append(SessionImage{lower, JoinPath(working_folder, lower), "", SessionMark::None});
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

}  // namespace ocelot::app
