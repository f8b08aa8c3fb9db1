// Windows bitmaps: read 1, 4, 8, 16, 24 and 32 bits, bottom-up and top-down, RLE4, RLE8 and
// bit-field masks; written with 1, 4, 8 or 24 bits (uncompressed, bottom-up).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/codec.h"
#include "imaging/image.h"

namespace ocelot::imaging {

Image DecodeBmp(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});
std::vector<std::uint8_t> EncodeBmp(const Image& image);

}  // namespace ocelot::imaging
