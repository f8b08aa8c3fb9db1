// GIF through giflib: the first image is read (interlace undone, the transparent colour
// shown as white); written as one 8-bit image with the image's palette.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/codec.h"
#include "imaging/image.h"

namespace ocelot::imaging {

Image DecodeGif(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});
// True colour is first reduced to 256 colours.
std::vector<std::uint8_t> EncodeGif(const Image& image);

}  // namespace ocelot::imaging
