// PNG through libpng: every bit depth and colour type is read, 16 bits reduced to 8 and
// alpha composited on white; all six pixel formats are written. A file that ends inside its
// image data decodes with the pixels that never arrived mid-grey (in indexed images the
// palette entry nearest to it).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/codec.h"
#include "imaging/image.h"

namespace ocelot::imaging {

Image DecodePng(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});
std::vector<std::uint8_t> EncodePng(const Image& image);

}  // namespace ocelot::imaging
