// CommandTable: every command of a window as one row (id, handler, "enabled now" rule).
// Menus and toolbar buttons take their state from it, and a command runs only while its
// rule allows it, so enabling logic lives in one place and any window can offer a row.
#pragma once

#include <functional>
#include <map>

namespace ocelot::commands {

class CommandTable {
 public:
  using Handler = std::function<void()>;
  using Rule = std::function<bool()>;

  // A row; without a rule the command is always enabled, without a checked rule its item
  // carries no check mark. A second row for an id replaces the first.
  void Add(int id, Handler handler, Rule enabled = {}, Rule checked = {});

  bool Has(int id) const { return rows_.count(id) != 0; }
  // False for an id without a row: a command that is not built is never enabled.
  bool Enabled(int id) const;
  // Runs the command when it is enabled; false when it was refused or has no row.
  bool Run(int id) const;
  // Whether the command's menu item carries a check mark.
  bool Checked(int id) const;

 private:
  struct Row {
    Handler handler;
    Rule enabled;
    Rule checked;
  };
  std::map<int, Row> rows_;
};

}  // namespace ocelot::commands
