// TfrmDrawRect: the rectangle overlay. It shows a frozen full-screen picture (`capImage`)
// taken just before it opens and cuts the dragged rectangle out of it.
#pragma once

#include "capture/frozen_overlay.h"

namespace ocelot::capture {

class TfrmDrawRect : public FrozenOverlay {
 public:
  using FrozenOverlay::FrozenOverlay;

 protected:
  void OnCreated() override;
  void DrawShape(HDC dc, const RECT& between) override;
  void OnDragEnded(POINT start, POINT end) override;
  const char* ClassName() const override { return "TfrmDrawRect"; }
};

}  // namespace ocelot::capture
