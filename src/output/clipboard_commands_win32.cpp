// Copying the current image to the clipboard and emptying it.
#include "output/clipboard_commands_win32.h"

#include "commands/command_ids.h"
#include "win/dib.h"

namespace ocelot::output {

void ClipboardCommands::AddTo(commands::CommandTable& table) {
  table.Add(IDM_COPY, [this] { Copy1Click(); });
  table.Add(IDM_CLEARCLIPBOARD, [this] { Clearclipboard1Click(); });
}

void ClipboardCommands::Copy1Click() {
  if (c_.session.Empty()) return;
  if (!c_.RequireOneSelected()) return;
  if (!c_.session.Current().Empty()) win::PutImageOnClipboard(c_.window.Owner(), c_.session.Current());
}

void ClipboardCommands::Clearclipboard1Click() { win::EmptyTheClipboard(c_.window.Owner()); }

}  // namespace ocelot::output
