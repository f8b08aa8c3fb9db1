// CommandTable rows and their enabling.
#include "commands/command_table.h"

namespace ocelot::commands {

void CommandTable::Add(int id, Handler handler, Rule enabled, Rule checked) {
  rows_[id] = Row{std::move(handler), std::move(enabled), std::move(checked)};
}

bool CommandTable::Checked(int id) const {
  const auto it = rows_.find(id);
  return it != rows_.end() && it->second.checked && it->second.checked();
}

bool CommandTable::Enabled(int id) const {
  const auto it = rows_.find(id);
  if (it == rows_.end() || !it->second.handler) return false;
  return !it->second.enabled || it->second.enabled();
}

bool CommandTable::Run(int id) const {
  if (!Enabled(id)) return false;
  // A copy: the handler may replace its own row.
  const Handler handler = rows_.at(id).handler;
  handler();
  return true;
}

}  // namespace ocelot::commands
