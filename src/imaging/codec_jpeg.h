// JPEG through the libjpeg API: baseline, progressive and grayscale files are read (gray
// ones as 256 grays, colour as true colour); written with a quality 0-100, baseline or
// progressive. A file that ends inside its image data decodes with blocks past the data
// mid-grey (a progressive file shows its earlier scans there).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/codec.h"
#include "imaging/image.h"

namespace ocelot::imaging {

Image DecodeJpeg(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});
// Gray formats are written as a grayscale JPEG, everything else as colour.
std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality, bool progressive);

}  // namespace ocelot::imaging
