// Delete, Select All, the help file and the exit question.
#include "shell/shell_commands_win32.h"

#include <windows.h>
#include <shellapi.h>

#include "catalog/catalog_files.h"
#include "commands/command_ids.h"
#include "common/file_io.h"
#include "common/text.h"
#include "output/note_file.h"
#include "settings/session_files.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "win/system_info.h"
#include "win/wait.h"

namespace ocelot::shell {

namespace {
constexpr char kApplicationTitle[] = "Ocelot";
}

void ShellCommands::AddTo(commands::CommandTable& table) {
  table.Add(IDM_DELETE, [this] { Delete1Click(); });
  table.Add(IDM_SELECTALL, [this] { SelectAll1Click(); });
  table.Add(IDM_CONTENTS, [this] { Contents1Click(); });
}

void ShellCommands::Delete1Click() {
  session::Session& s = c_.session;
  if (s.Empty()) return;
  if (!c_.RequireSelection()) return;
  if (c_.window.Message("Are you sure you want to delete the image(s)?", "Confirmation", MB_YESNO | MB_ICONQUESTION) !=
      IDYES)
    return;
  const std::string catalogs = catalog::CatalogsFolderOf(settings::WorkingFolder());
  for (;;) {
    const auto selected = c_.selection.Selected();
    if (selected.empty()) break;
    const std::size_t i = selected.front();
    const std::string path = s.At(i).path;
    const std::string note = output::NotePathFor(path);
    if (FileExists(note)) RemoveFile(note);
    const std::string catalog_file = catalog::FindCatalogOf(catalogs, path);
    if (!catalog_file.empty()) catalog::RemoveCatalogRecord(catalogs, path, catalog_file);
    RemoveFile(path);  // a file that cannot be deleted still leaves the list
    s.RemoveAt(i);
    win::PumpMessages();
  }
  if (s.Empty()) {
    s.ClearCurrent();
    s.SetStatusText("");
  } else {
    c_.selection.SelectOnly(0);
    if (show_clicked_) show_clicked_();
  }
}

void ShellCommands::SelectAll1Click() { c_.selection.SelectAll(); }

void ShellCommands::Contents1Click() {
  const std::string help = JoinPath(win::ProgramFolder(), "ochelp.chm");
  const auto rc = reinterpret_cast<INT_PTR>(
      ShellExecuteA(c_.window.Owner(), nullptr, help.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (rc <= 32) c_.window.Error("Cannot open the help file \"" + help + "\".");
}

bool ShellCommands::ConfirmExit(bool delete_on_yes) {
  const std::string& folder = settings::WorkingFolder();
  settings::EnsureSettings(folder);
  if (!settings::ReadTypedSettings(folder).confirm_unsaved_on_exit || !settings::HasSessionFiles(folder) || !c_.session.AnyPathContains(folder))
    return true;
  if (c_.window.Message("Do you want to DELETE unsaved images?", kApplicationTitle, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  if (delete_on_yes) {
    settings::DeleteSessionFiles(folder);
    win::PumpMessages();
  }
  return true;
}

}  // namespace ocelot::shell
