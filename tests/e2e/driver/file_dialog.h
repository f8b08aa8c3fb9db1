// Working the common dialogs of the program from outside: the file save dialog and the
// folder browser, both "#32770" windows of the program's process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ocelot_driver.h"

namespace ocelot::e2e {

// A visible file dialog of the process (a "#32770" with a file-name box); nullptr when
// none appears in time.
HWND WaitFileDialog(const OcelotProcess& app, Duration timeout = 20s);  // the first one loads the shell
bool IsFileDialog(HWND window);
// The text of the file-name box.
std::string FileDialogName(HWND dialog);
// The selected file type, 1 for the first.
int FileDialogType(HWND dialog);
// Picks the file type from the list as the user does (the dialog is told of the change).
void ChooseFileDialogType(HWND dialog, int type);
// Puts the name (bare or a whole path) into the file-name box and presses Save.
void SaveFileDialogAs(HWND dialog, const std::string& name);
void CancelFileDialog(HWND dialog);

// A visible folder browser of the process (a "#32770" with a folder tree).
HWND WaitFolderBrowser(const OcelotProcess& app, Duration timeout = 20s);
// The static texts of a dialog, in child order (the browser's title is one of them).
std::vector<std::string> StaticTexts(HWND dialog);
// Selects the folder in the browser (the path is written into the program's memory for
// BFFM_SETSELECTION) and presses OK; false when the selection could not be sent.
bool ChooseFolder(HWND browser, DWORD pid, const std::string& folder);
void CancelFolderBrowser(HWND browser);

// A message box of the process (its text control has the id 0xFFFF), whatever dialogs
// are open beside or under it; nothing when none appears in time.
std::optional<MessageBoxInfo> WaitMessageBoxOnly(const OcelotProcess& app, Duration timeout = 10s);
// Presses the box's button of that caption (without '&') by the command it sends, which a
// box just shown never misses; false when it has no such button.
bool PressButton(const MessageBoxInfo& box, const std::string& caption);
// Whether the message box shows an icon.
bool MessageBoxHasIcon(HWND box);

// Waits until the window is gone.
bool WaitClosed(HWND window, Duration timeout = 10s);

}  // namespace ocelot::e2e
