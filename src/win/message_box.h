// Message boxes: the one way failures and questions reach the user.
#pragma once

#include <windows.h>

#include <string>

namespace ocelot::win {

// MessageBoxA with the owner's task-modal behaviour; returns IDYES, IDNO, IDOK, ...
int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// The standard error box of the user-interface layer: a command that failed with an
// error no one handled is abandoned with this.
void ShowError(HWND owner, const std::string& text);

}  // namespace ocelot::win
