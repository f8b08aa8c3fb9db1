// Program entry of ocelot.exe: one running copy per desktop, then the main window's loop.
#include <windows.h>

#include <exception>

#include "app/frm_main.h"
#include "win/message_box.h"

namespace {
constexpr char kMutexName[] = "Ocelot By Vale";
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Held, never released, until the process ends.
  HANDLE mutex = CreateMutexA(nullptr, TRUE, kMutexName);
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    MessageBoxA(nullptr, "Ocelot is already running.", "Warning", MB_OK | MB_ICONERROR);
    CloseHandle(mutex);
    return 0;
  }

  try {
    ocelot::app::TfrmMain main_window;
    if (!main_window.CreateHidden()) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  } catch (const std::exception& e) {
    ocelot::win::ShowError(nullptr, e.what());
    return 1;
  }
  return 0;
}
