// Windows bitmaps: read 1, 4, 8, 16, 24 and 32 bits, bottom-up and top-down, RLE4, RLE8 and
// bit-field masks; written with 1, 4, 8 or 24 bits (uncompressed, bottom-up). A BMP file is
// a 14-byte file header followed by a packed DIB, the clipboard's CF_DIB format; both are
// read by the same code.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/codec.h"
#include "imaging/image.h"

namespace ocelot::imaging {

// The pixel format of the file is kept. Throws Error: Format when the headers lie (sizes
// or offsets beyond the data, zero or negative sizes, impossible bit counts or
// compressions) or the pixel data is short, Unsupported for valid variants we do not read
// (embedded JPEG or PNG, 2 or 64 bits), Limit beyond the pixel limit.
Image DecodeBmp(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});
// A packed DIB: info header (12-byte core, 40-byte, or a longer V2-V5 header), bit-field
// masks after a 40-byte header, palette, then the rows, each directly after the other.
// Same formats and errors as DecodeBmp.
Image DecodePackedDib(std::span<const std::uint8_t> dib, const ReadOptions& options = {});
std::vector<std::uint8_t> EncodeBmp(const Image& image);

}  // namespace ocelot::imaging
