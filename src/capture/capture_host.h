// CaptureHost: what the grabs need of the main window. The main window implements it;
// the grabs and overlays of this folder never see the window's other parts.
#pragma once

#include <windows.h>

#include <string>

#include "imaging/image.h"

namespace ocelot::capture {

class CaptureHost {
 public:
  virtual ~CaptureHost() = default;

  // The main window: owner of overlays and of the clipboard while grabbing.
  virtual HWND Owner() const = 0;
  virtual const std::string& WorkingFolder() const = 0;

  // The view `MainImage`.
  virtual bool ViewEmpty() const = 0;
  virtual const imaging::Image& ViewImage() const = 0;
  virtual void SetViewImage(imaging::Image image) = 0;
  virtual void SetViewZoom100() = 0;

  // Hides the program for the capture (again after an overlay closed).
  virtual void MinimizeApplication() = 0;
};

// What the grab of one capture is told.
struct GrabOptions {
  bool include_mouse_cursor = false;  // IncludeMouseCursor
  bool auto_capture = false;          // the automatic capture timer is running
  HWND foreground = nullptr;          // the foreground window at the hotkey
};

}  // namespace ocelot::capture
