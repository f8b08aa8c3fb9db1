// The one-pixel border a drawn selection loses: its outline lies on it.
#pragma once

#include "imaging/image.h"

namespace ocelot::capture {

// The image without its outermost pixel on each side; an image 4 pixels wide or high
// (or smaller) is returned unchanged. Pixel format and palette are kept.
imaging::Image TrimmedBorder(const imaging::Image& image);

}  // namespace ocelot::capture
