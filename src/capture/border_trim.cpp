// Cropping one pixel from each side.
#include "capture/border_trim.h"

#include <cstring>

namespace ocelot::capture {

imaging::Image TrimmedBorder(const imaging::Image& image) {
  if (image.Width() <= 4 || image.Height() <= 4) return image;
  imaging::Image out(image.Width() - 2, image.Height() - 2, image.Format());
  out.Palette() = image.Palette();
  out.Dpi() = image.Dpi();
  const std::size_t bpp = static_cast<std::size_t>(image.BytesPerPixel());
  for (int y = 0; y < out.Height(); ++y) std::memcpy(out.Row(y), image.Row(y + 1) + bpp, out.Stride());
  return out;
}

}  // namespace ocelot::capture
