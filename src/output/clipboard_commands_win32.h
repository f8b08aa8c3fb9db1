// The clipboard commands: "&Copy" (menus and toolbar) and "Clear clip&board".
#pragma once

#include "commands/command_context.h"
#include "commands/command_table.h"

namespace ocelot::output {

class ClipboardCommands {
 public:
  explicit ClipboardCommands(commands::CommandContext context) : c_(context) {}
  void AddTo(commands::CommandTable& table);

 private:
  void Copy1Click();
  void Clearclipboard1Click();

  commands::CommandContext c_;
};

}  // namespace ocelot::output
