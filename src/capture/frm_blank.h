// TfrmBlank: the overlay that shows nothing of its own, so the screen looks as it did
// when it opened; the band is the dotted focus rectangle. Used by the rectangle-with-
// repeat mode without a remembered rectangle, and by RepaintScreen.
//
// Its background is never erased. A window that does not paint keeps the old screen
// pixels only on a display without composition; under a compositing window manager (and
// under Wine) it shows black. So it paints the screen as grabbed just before it was
// shown, which is what the user saw at that moment.
#pragma once

#include "capture/frozen_overlay.h"

namespace ocelot::capture {

class TfrmBlank : public FrozenOverlay {
 public:
  TfrmBlank(HWND clipboard_owner = nullptr, std::string working_folder = {})
      : FrozenOverlay(clipboard_owner, std::move(working_folder)) {}

 protected:
  void OnCreated() override;
  // On the window only: the picture behind stays clean.
  void DrawBand(const RECT& between) override;
  void DrawShape(HDC dc, const RECT& between) override { DrawFocusRect(dc, &between); }
  void OnDragEnded(POINT start, POINT end) override;
  const char* ClassName() const override { return "TfrmBlank"; }
};

}  // namespace ocelot::capture
