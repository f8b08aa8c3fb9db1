// Window: base of our top-level windows, one message switch per class. The static
// procedure stores `this` at WM_NCCREATE and forwards to HandleMessage; no exception
// ever leaves it (it is reported with the standard error box).
#pragma once

#include <windows.h>

namespace ocelot::win {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers the class once per process and creates the window.
  bool Create(const char* class_name, const char* caption, DWORD style, DWORD ex_style, int x, int y, int w,
              int h, HWND parent, HMENU menu, HICON icon);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd_, msg, wp, lp); }

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

}  // namespace ocelot::win
