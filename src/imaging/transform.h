// Geometric transforms of the editor: flips, rotation, mirrors, wave and aspect-kept resize.
#pragma once

#include "imaging/image.h"

namespace ocelot::imaging {

// Pixel x goes to width - 1 - x (horizontal) or row y to height - 1 - y (vertical). Any
// pixel format; format, palette and resolution kept.
Image FlipHorizontal(const Image& image);
Image FlipVertical(const Image& image);

// Turned clockwise (on screen) by `degrees`. Whole angles congruent to 0, 90, 180 or 270
// modulo 360 are exact and keep the pixel format (90 and 270 swap width and height). Any
// other angle gives a true-colour image the size of the turned image's bounding box (each
// side the extent rounded up), filled by nearest-pixel sampling: the centre of each target
// pixel is turned back onto the source and rounded (halves to even) to a source pixel; a
// target pixel whose source lies outside the image is white. True colour, because white is
// not guaranteed to be in an indexed image's palette. A non-finite angle throws
// std::invalid_argument.
Image Rotate(const Image& image, double degrees);

// On a 24-bit copy: for a = 0 to width div 2 (inclusive, in this order) pixel width - 1 - a
// takes the value of pixel a in every row (right), or row height - 1 - r takes row r (down).
// An image without columns or rows comes back as its (empty) 24-bit copy.
Image MirrorRight(const Image& image);
Image MirrorDown(const Image& image);

// Destination pixel (x, y) takes source pixel (x + Y(y), y + X(x)), with
// X(x) = round(amplitude x sin(x / x_divisor)) and Y(y) = round(amplitude x sin(y / y_divisor)).
// With wrap, coordinates are taken modulo the size; without, a destination pixel whose source
// lies outside keeps its value. Source and destination must have the same size and pixel
// format (else std::invalid_argument); divisors must not be 0.
void Wave(const Image& source, Image& destination, double amplitude, double x_divisor,
          double y_divisor, bool wrap);

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// The resize target for a requested width x height. With keep_aspect the target shrinks one
// pixel at a time until the other side, rounded from the image's proportions, fits. Requested
// sides must be at least 1 (else std::invalid_argument: the shrinking could not end).
Size ResizeTarget(int image_width, int image_height, int width, int height, bool keep_aspect);

// A 24-bit copy of the image resampled with Lanczos3 to ResizeTarget(...). Throws
// ocelot::Error("Source bitmap too small") for an empty image.
Image Resize(const Image& image, int width, int height, bool keep_aspect);

}  // namespace ocelot::imaging
