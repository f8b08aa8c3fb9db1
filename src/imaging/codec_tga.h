// Targa: uncompressed and run-length 8 (indexed or gray), 15/16, 24 and 32-bit images with
// either origin are read; 8-bit indexed and 24-bit uncompressed images are written.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/codec.h"
#include "imaging/image.h"

namespace ocelot::imaging {

Image DecodeTga(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});
std::vector<std::uint8_t> EncodeTga(const Image& image);

}  // namespace ocelot::imaging
