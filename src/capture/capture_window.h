// CaptureWindow: what the capture dispatch needs of the main window beyond the grabs:
// its zoom list and its showing after a capture.
#pragma once

#include "capture/capture_host.h"

namespace ocelot::capture {

class CaptureWindow : public CaptureHost {
 public:
  // Selects "View 100%" in the zoom list and shows the view at 100%.
  virtual void SelectZoom100() = 0;
  virtual void ShowMainWindow() = 0;
};

}  // namespace ocelot::capture
