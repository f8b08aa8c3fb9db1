// The commands of the application shell over the session list: "&Delete" (menus and
// toolbar), "Select &All", "&Help" > "&Contents", and the unsaved-images question of the
// exit commands.
#pragma once

#include <functional>

#include "commands/command_context.h"
#include "commands/command_table.h"

namespace ocelot::shell {

class ShellCommands {
 public:
  // show_clicked: shows the focused line as a click on it does (the window's list).
  ShellCommands(commands::CommandContext context, std::function<void()> show_clicked)
      : c_(context), show_clicked_(std::move(show_clicked)) {}
  void AddTo(commands::CommandTable& table);

  // The exit question: false when the user said No. With delete_on_yes, Yes deletes the
  // session files at once.
  bool ConfirmExit(bool delete_on_yes);

 private:
  void Delete1Click();
  void SelectAll1Click();
  void Contents1Click();

  commands::CommandContext c_;
  std::function<void()> show_clicked_;
};

}  // namespace ocelot::shell
