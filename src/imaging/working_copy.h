// Working copies: the 24-bit images (bytes blue, green, red) the pixel operations work on.
#pragma once

#include <string_view>

#include "imaging/image.h"

namespace ocelot::imaging {

// A true-colour copy of any image (palette colours looked up); resolution kept.
Image TrueColourCopy(const Image& image);

// Throws ocelot::Error naming `operation` unless the image is true colour.
void RequireTrueColour(const Image& image, std::string_view operation);

// A true-colour image of the given size with every byte 255.
Image WhiteImage(int width, int height);

}  // namespace ocelot::imaging
