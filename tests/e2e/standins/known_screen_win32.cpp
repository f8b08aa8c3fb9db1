// known_screen.exe: a stand-in screen for the grab tests. It paints the known pattern
// (known_pattern.h) in screen coordinates, so a grab of any part of it can be compared
// with the formula.
//
//   known_screen.exe [--window] [left top width height]
//
// Without --window: a borderless topmost window covering the rectangle (default: the
// whole screen). With --window: a normal captioned window "Known Screen" at the rectangle
// (default 100 100 400 300) whose client area shows the pattern, for the active-window
// modes. The program ends when its window is closed.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "known_pattern.h"

namespace {

constexpr char kClassName[] = "OcelotKnownScreen";

void PaintPattern(HWND hwnd, HDC dc) {
  RECT client{};
  GetClientRect(hwnd, &client);
  const int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> bits(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const auto c = ocelot::e2e::KnownPatternColour(origin.x + x, origin.y + y);
      bits[static_cast<std::size_t>(y) * w + x] = (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
    }
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0, static_cast<UINT>(h),
                    bits.data(), &info, DIB_RGB_COLORS);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintPattern(hwnd, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_MOVE:
    case WM_SIZE:
      InvalidateRect(hwnd, nullptr, FALSE);  // the pattern follows the screen, not the window
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  bool captioned = false;
  std::vector<int> numbers;
  for (int i = 1; i < __argc; ++i) {
    if (std::strcmp(__argv[i], "--window") == 0)
      captioned = true;
    else
      numbers.push_back(std::atoi(__argv[i]));
  }
  int x = 0, y = 0, w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  if (captioned) x = 100, y = 100, w = 400, h = 300;
  if (numbers.size() == 4) x = numbers[0], y = numbers[1], w = numbers[2], h = numbers[3];

  WNDCLASSA wc{};
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc)) return 1;
  const DWORD style = captioned ? WS_OVERLAPPEDWINDOW : WS_POPUP;
  const DWORD ex_style = captioned ? 0 : WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  HWND hwnd = CreateWindowExA(ex_style, kClassName, "Known Screen", style, x, y, w, h, nullptr, nullptr, instance,
                              nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, captioned ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
