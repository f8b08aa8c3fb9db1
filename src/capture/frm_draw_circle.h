// TfrmDrawCircle: the circle overlay. It grabs the whole screen into `capImage` when it
// is created, draws the ellipse inscribed in the dragged rectangle and cuts the inside of
// that ellipse out of the screen onto white.
#pragma once

#include "capture/frozen_overlay.h"

namespace ocelot::capture {

class TfrmDrawCircle : public FrozenOverlay {
 public:
  using FrozenOverlay::FrozenOverlay;

 protected:
  void OnCreated() override;
  void DrawShape(HDC dc, const RECT& between) override;
  void OnDragEnded(POINT start, POINT end) override;
  const char* ClassName() const override { return "TfrmDrawCircle"; }
};

}  // namespace ocelot::capture
