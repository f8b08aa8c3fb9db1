// CommandContext: what every command works on: the session, the selection of the window
// that offers it and that window's services.
#pragma once

#include "session/selection.h"
#include "session/session.h"
#include "win/window_services.h"

namespace ocelot::commands {

struct CommandContext {
  session::Session& session;
  session::Selection& selection;
  win::WindowServices& window;

  // "Please select an image." when nothing is selected; true when something is.
  bool RequireSelection() const {
    if (selection.SelectedCount() > 0) return true;
    window.Message("Please select an image.", "Error", MB_OK | MB_ICONWARNING);
    return false;
  }
  // "Select only one image." when several are selected; true otherwise.
  bool RequireOneSelected() const {
    if (selection.SelectedCount() <= 1) return true;
    window.Message("Select only one image.", "Error", MB_OK | MB_ICONWARNING);
    return false;
  }
};

}  // namespace ocelot::commands
