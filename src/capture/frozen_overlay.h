// FrozenOverlay: a selection overlay showing a frozen full-screen picture, with a
// not-xor rubber band drawn into the picture and onto the window alike.
#pragma once

#include "capture/selection_overlay.h"
#include "win/scoped.h"

namespace ocelot::capture {

class FrozenOverlay : public SelectionOverlay {
 public:
  using SelectionOverlay::SelectionOverlay;
  ~FrozenOverlay() override;

 protected:
  // Takes the picture; the overlay keeps it for its life.
  void Freeze(win::ScopedGdiObject picture);
  void OnPaint(HDC dc) override;
  void DrawBand(const RECT& between) override;
  // The band's final outline in plain copy mode.
  void DrawFinalOutline(const RECT& between);
  // Draws the band's shape (a rectangle or an ellipse) with the DC's pen and brush.
  virtual void DrawShape(HDC dc, const RECT& between) = 0;

  HDC picture_dc() const { return picture_dc_; }

 private:
  void DrawOnBoth(const RECT& between, int rop2);

  win::ScopedGdiObject picture_;  // `capImage`
  HDC picture_dc_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
};

}  // namespace ocelot::capture
