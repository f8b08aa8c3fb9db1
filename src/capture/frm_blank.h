// TfrmBlank: the overlay that shows nothing of its own. Its background is never painted,
// so the live screen stays visible; the band is the dotted focus rectangle. Used by the
// rectangle-with-repeat mode without a remembered rectangle, and by RepaintScreen.
#pragma once

#include "capture/selection_overlay.h"

namespace ocelot::capture {

class TfrmBlank : public SelectionOverlay {
 public:
  TfrmBlank(HWND clipboard_owner = nullptr, std::string working_folder = {})
      : SelectionOverlay(clipboard_owner, std::move(working_folder)) {}

 protected:
  void DrawBand(const RECT& between) override;
  void OnDragEnded(POINT start, POINT end) override;
  const char* ClassName() const override { return "TfrmBlank"; }
};

}  // namespace ocelot::capture
