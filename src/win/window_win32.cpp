// Window base: class registration and the message trampoline.
#include "win/window.h"

#include <exception>

#include "win/message_box.h"

namespace ocelot::win {

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool Window::Create(const char* class_name, const char* caption, DWORD style, DWORD ex_style, int x, int y, int w,
                    int h, HWND parent, HMENU menu, HICON icon) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (!GetClassInfoExA(inst, class_name, &wc)) {
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::StaticProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = class_name;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    if (!RegisterClassExA(&wc)) return false;
  }
  return CreateWindowExA(ex_style, class_name, caption, style, x, y, w, h, parent, menu, inst, this) != nullptr;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  try {
    const LRESULT r = self->HandleMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return r;
  } catch (const std::exception& e) {
    ShowError(hwnd, e.what());
  } catch (...) {
    ShowError(hwnd, "Unexpected error.");
  }
  // A window whose creation failed is not left half-built.
  return msg == WM_CREATE ? -1 : 0;
}

}  // namespace ocelot::win
