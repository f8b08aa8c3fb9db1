#include "capture_fixture.h"

#include <vector>

#include "win/wait.h"

namespace ocelot::capture::testing {

namespace {
constexpr char kPatternClass[] = "OcelotTestPattern";

void PaintPattern(HWND hwnd, HDC dc) {
  RECT client{};
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
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
      const auto c = e2e::KnownPatternColour(origin.x + x, origin.y + y);
      bits[static_cast<std::size_t>(y) * w + x] = (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
    }
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0, static_cast<UINT>(h), bits.data(),
                    &info, DIB_RGB_COLORS);
}

LRESULT CALLBACK PatternProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
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
    default:
      return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

SIZE Screen() { return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }
}  // namespace

FakeHost::FakeHost(std::string working_folder) : folder_(std::move(working_folder)) {
  owner_ = CreateWindowExA(0, "STATIC", "Capture test owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

FakeHost::~FakeHost() {
  if (owner_) DestroyWindow(owner_);
}

PatternWindow::PatternWindow(int x, int y, int w, int h, bool captioned) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  if (!GetClassInfoA(inst, kPatternClass, &wc)) {
    wc = WNDCLASSA{};
    wc.lpfnWndProc = &PatternProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPatternClass;
    RegisterClassA(&wc);
  }
  hwnd_ = CreateWindowExA(captioned ? 0 : WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPatternClass, "Pattern",
                          captioned ? WS_OVERLAPPEDWINDOW : WS_POPUP, x, y, w, h, nullptr, nullptr, inst, nullptr);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  UpdateWindow(hwnd_);
  Settle(300);
}

PatternWindow::~PatternWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  Settle(100);
}

void Settle(int ms) { win::WaitSeconds(ms / 1000.0); }

imaging::Rgb PixelOf(const imaging::Image& image, int x, int y) { return image.PixelColour(x, y); }

std::string FirstPatternMismatch(const imaging::Image& image, int x0, int y0) {
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const imaging::Rgb got = image.PixelColour(x, y);
      const auto want = e2e::KnownPatternColour(x0 + x, y0 + y);
      if (got.r != want.r || got.g != want.g || got.b != want.b)
        return std::to_string(x) + "," + std::to_string(y) + " got " + std::to_string(got.r) + "," +
               std::to_string(got.g) + "," + std::to_string(got.b) + " want " + std::to_string(want.r) + "," +
               std::to_string(want.g) + "," + std::to_string(want.b);
    }
  return {};
}

void InjectMouseMove(int x, int y) {
  const SIZE s = Screen();
  INPUT in{};
  in.type = INPUT_MOUSE;
  // Normalised 0..65535; rounded up so the pixel mapped back is exactly (x, y).
  in.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65536 + s.cx - 1) / s.cx);
  in.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65536 + s.cy - 1) / s.cy);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

void InjectMouseButton(bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &in, sizeof in);
}

HWND WaitVisibleWindow(const char* class_name, int timeout_ms) {
  for (int waited = 0; waited <= timeout_ms; waited += 20) {
    HWND w = FindWindowA(class_name, nullptr);
    if (w && IsWindowVisible(w)) return w;
    Sleep(20);
  }
  return nullptr;
}

}  // namespace ocelot::capture::testing
