// Message boxes.
#include "win/message_box.h"

namespace ocelot::win {

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void ShowError(HWND owner, const std::string& text) { ShowMessage(owner, text, "Error", MB_OK | MB_ICONERROR); }

}  // namespace ocelot::win
