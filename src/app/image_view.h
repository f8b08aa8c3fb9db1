// ImageView: the main window's image scroll box `MainImage`. Shows the current image and
// draws it at a zoom percentage on a grey background, smoothly scaled, without scroll
// bars; only the visible part is scaled, so large images stay responsive.
#pragma once

#include <windows.h>

#include "imaging/image.h"
#include "win/scoped.h"
#include "win/window.h"

namespace ocelot::app {

inline constexpr char kImageViewClass[] = "TImageScrollBox";

class ImageView : public win::Window {
 public:
  bool CreateChild(HWND parent, int id);

  // Shows the image (not owned: the session's current image, which tells the view of
  // every change) or nothing.
  void Show(const imaging::Image* image);

  void SetZoom(int percent);
  int Zoom() const { return zoom_; }
  void Repaint();

  // On displays of 256 colours or fewer the image's palette is realized before drawing.
  void SetPaletteDisplay(bool palette_display) { palette_display_ = palette_display; }
  // Puts the image's colours into the system palette; true when entries changed.
  bool RealizeImagePalette();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnPaint();
  void Rebuild();  // after the image changed: the cached DIB and palette

  const imaging::Image* image_ = nullptr;  // not owned
  win::ScopedGdiObject bitmap_;   // DIB section of image_, drawn from
  win::ScopedGdiObject palette_;  // realized on palette displays
  int zoom_ = 100;
  bool palette_display_ = false;
};

}  // namespace ocelot::app
