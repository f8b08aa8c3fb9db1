// WindowServices: what a command needs of the window that runs it: the owner of its
// dialogs and message boxes. The main window and the other windows that offer the same
// commands implement it.
#pragma once

#include <windows.h>

#include <string>

namespace ocelot::win {

class WindowServices {
 public:
  virtual ~WindowServices() = default;
  virtual HWND Owner() const = 0;
  // A message box over the window; returns IDOK, IDYES, IDNO, ...
  virtual int Message(const std::string& text, const std::string& caption, UINT flags) const = 0;
  // The standard error box of the user-interface layer.
  virtual void Error(const std::string& text) const = 0;
};

}  // namespace ocelot::win
