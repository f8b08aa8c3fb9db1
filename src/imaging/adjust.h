// Colour adjustments of the editor: grayscale, invert, lighten, darken, contrast, saturation.
//
// Lighten, darken, contrast and saturation work in place on a 24-bit working copy (bytes
// blue, green, red) and throw ocelot::Error for any other format. Integer division truncates
// toward zero; results are limited to 0..255.
#pragma once

#include "imaging/image.h"

namespace ocelot::imaging {

// An image of 256 grays: gray = (299 x red + 587 x green + 114 x blue) div 1000, at most 255.
Image Grayscale(const Image& image);

// The negative: true colour 255 - each byte; black-and-white and gray images their pixel
// values inverted (index (levels - 1) - index); 16- and 256-colour images keep their indexes
// and get every palette entry inverted.
Image Invert(const Image& image);

// v := v + (amount x (255 - v)) div 255, amount 0..250.
void Lighten(Image& image, int amount);
// v := v - (amount x v) div 255, amount 0..250.
void Darken(Image& image, int amount);
// d := (|127 - v| x k) div 255; v := v + d when v > 127, else v - d; k -250..250.
void Contrast(Image& image, int k);
// m := (blue + green + red) div 3; v := m + ((v - m) x k) div 255; k 0..1500.
void Saturation(Image& image, int k);

}  // namespace ocelot::imaging
