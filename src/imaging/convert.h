// Pixel format conversions. The reducing ones build an optimized palette (quantize.h) and
// map every pixel to its nearest palette colour; none of them dithers.
#pragma once

#include <array>

#include "imaging/image.h"

namespace ocelot::imaging {

// 24-bit true colour, each pixel its palette colour; no quantizing.
Image ToTrueColour(const Image& image);
// 256 grays with gray = (299 R + 587 G + 114 B) div 1000.
Image ToGray256(const Image& image);
// 16 grays: the 256-gray level rounded to the nearest of 0, 17, ..., 255.
Image ToGray16(const Image& image);
// Black and white: 256-gray level 128 and above is white.
Image ToBlackWhite(const Image& image);
// 256 or 16 colours with a palette optimized for the image.
Image To256Colours(const Image& image);
Image To16Colours(const Image& image);

// The 20 static colours of the Windows default palette: the first ten take palette
// entries 0-9, the last ten entries 246-255.
const std::array<Rgb, 20>& SystemStaticColours();
// 256 colours for a GIF file: entries 0-9 and 246-255 the static colours, 10-245 the 236
// colours quantized for the image (black where the image needs fewer), every pixel the
// nearest of all 256.
Image ToGifPalette(const Image& image);

// Any of the six formats through the conversions above (a copy when it already is).
Image ConvertToFormat(const Image& image, PixelFormat format);

}  // namespace ocelot::imaging
