// System facts through the Win32 API.
#include "win/system_info.h"

#include <windows.h>

namespace ocelot::win {

std::string ProgramFolder() {
  char buffer[MAX_PATH * 2];
  const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return {};
  const std::string path(buffer, n);
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ShortPathOf(const std::string& path) {
  char buffer[MAX_PATH * 2];
  const DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

int DisplayColourBits() {
  HDC dc = GetDC(nullptr);
  const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(nullptr, dc);
  return bits;
}

}  // namespace ocelot::win
