// The save commands: "Save &As" (with its catalog mode), "&Quick Save", and the state of
// the save dialog between uses.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/command_context.h"
#include "commands/command_table.h"

namespace ocelot::output {

class SaveCommands {
 public:
  explicit SaveCommands(commands::CommandContext context) : c_(context) {}
  void AddTo(commands::CommandTable& table);

  // Save As; in catalog mode every saved image is recorded in the session's target
  // catalog, which is used up by the command.
  void SaveAs1Click(bool catalog_mode);
  void QuickSave1Click();

 private:
  class Host;
  std::optional<std::string> ShowSaveDialog(const std::string& file_text, int type);

  commands::CommandContext c_;
  int save_dialog_type_ = 1;                // the file type (1-7), kept between uses
  bool SaveDialogFirstUse = true;           // the dialog's first-use flag
  std::string save_dialog_initial_folder_;  // set on first use, cleared after each file written
  std::string save_dialog_last_folder_;     // where the dialog was last used
};

}  // namespace ocelot::output
