// Working copies: true-colour copies for the pixel operations.
#include "imaging/working_copy.h"

#include <algorithm>
#include <string>

#include "common/error.h"

namespace ocelot::imaging {

Image TrueColourCopy(const Image& image) {
  if (image.Format() == PixelFormat::TrueColour) return image;
  Image out(image.Width(), image.Height(), PixelFormat::TrueColour);
  out.Dpi() = image.Dpi();
  // Look each index up once: the palette padded to 256 entries (missing entries are black).
  std::uint8_t lut[256][3] = {};
  const auto& pal = image.Palette();
  for (std::size_t i = 0; i < pal.size() && i < 256; ++i) {
    lut[i][0] = pal[i].b;
    lut[i][1] = pal[i].g;
    lut[i][2] = pal[i].r;
  }
  for (int y = 0; y < image.Height(); ++y) {
    const std::uint8_t* s = image.Row(y);
    std::uint8_t* d = out.Row(y);
    for (int x = 0; x < image.Width(); ++x, d += 3) std::copy_n(lut[s[x]], 3, d);
  }
  return out;
}

void RequireTrueColour(const Image& image, std::string_view operation) {
  if (image.Format() != PixelFormat::TrueColour)
    throw Error(ErrorKind::Unsupported, std::string(operation) + " needs a true-colour image");
}

Image WhiteImage(int width, int height) {
  Image out(width, height, PixelFormat::TrueColour);
  std::fill(out.Pixels().begin(), out.Pixels().end(), std::uint8_t{255});
  return out;
}

}  // namespace ocelot::imaging
