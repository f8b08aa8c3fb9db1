// PCX: 1, 4 (four planes), 8 (with the trailing palette) and 24-bit (three planes) images,
// run-length encoded, read and written.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/codec.h"
#include "imaging/image.h"

namespace ocelot::imaging {

Image DecodePcx(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});
std::vector<std::uint8_t> EncodePcx(const Image& image);

}  // namespace ocelot::imaging
