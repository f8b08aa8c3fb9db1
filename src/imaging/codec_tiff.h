// TIFF through libtiff: strips and tiles of every compression libtiff supports are read;
// all six pixel formats are written.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/codec.h"
#include "imaging/image.h"

namespace ocelot::imaging {

Image DecodeTiff(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});
enum class TiffCompression : std::uint8_t { None, Lzw, Deflate, PackBits };
struct TiffWriteOptions {
  TiffCompression compression = TiffCompression::Lzw;
  int tile_size = 0;  // 0: strips; otherwise square tiles of this size (a multiple of 16)
};
std::vector<std::uint8_t> EncodeTiff(const Image& image, const TiffWriteOptions& options = {});

}  // namespace ocelot::imaging
