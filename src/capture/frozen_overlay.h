// FrozenOverlay: a selection overlay showing a frozen full-screen picture, with a
// not-xor rubber band drawn into the picture and onto the window alike.
#pragma once

#include <optional>

#include "capture/selection_overlay.h"
#include "win/gdi.h"

namespace ocelot::capture {

class FrozenOverlay : public SelectionOverlay {
 public:
  using SelectionOverlay::SelectionOverlay;

 protected:
  // Takes the picture; the overlay keeps it for its life.
  void Freeze(win::ScopedBitmap picture);
  void OnPaint(HDC dc) override;
  void DrawBand(const RECT& between) override;
  // The band's final outline in plain copy mode.
  void DrawFinalOutline(const RECT& between);
  // Draws the band's shape (a rectangle or an ellipse) with the DC's pen and brush.
  virtual void DrawShape(HDC dc, const RECT& between) = 0;

  HDC picture_dc() const { return picture_dc_.get(); }

 private:
  void DrawOnBoth(const RECT& between, int rop2);

  // Declared in the order they are made, so the picture is deselected, then its DC
  // deleted, then the picture.
  win::ScopedBitmap picture_;  // `capImage`
  win::ScopedDC picture_dc_;
  std::optional<win::SelectedObject> picture_selected_;
};

}  // namespace ocelot::capture
