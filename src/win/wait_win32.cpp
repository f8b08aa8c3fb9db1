// Message pumping and WaitSeconds.
#include "win/wait.h"

#include <windows.h>

namespace ocelot::win {

bool PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void WaitSeconds(double seconds) {
  const ULONGLONG start = GetTickCount64();
  const auto span = static_cast<ULONGLONG>(seconds * 1000.0);
  while (GetTickCount64() - start < span) {
    if (!PumpMessages()) return;
    // Sleep until a message arrives or the time is up, instead of spinning.
    const ULONGLONG elapsed = GetTickCount64() - start;
    if (elapsed < span)
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(span - elapsed), QS_ALLINPUT);
  }
}

}  // namespace ocelot::win
