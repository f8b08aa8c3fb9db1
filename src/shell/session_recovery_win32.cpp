// Start-up recovery: a flat scan of the working folder.
#include "shell/session_recovery.h"

#include <windows.h>

#include "common/text.h"
#include "settings/working_folder_rules.h"

namespace ocelot::shell {

void RecoverSessionImages(const std::string& working_folder, session::Session& session) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(JoinPath(working_folder, "*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (fd.dwFileAttributes != settings::kPlainArchiveAttribute) continue;
    const std::string lower = ToLower(fd.cFileName);
    if (!session::IsRecoverableImageName(lower)) continue;
    session.Append(session::SessionImage{lower, JoinPath(working_folder, lower), "", session::SessionMark::None});
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

}  // namespace ocelot::shell
