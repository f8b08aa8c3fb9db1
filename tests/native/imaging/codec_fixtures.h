// Small image files built in code, each with the image a correct decoder must return.
// Written independently of our encoders (by hand, or through the libraries directly), so
// the decoder tests do not just read back what our own writer wrote. The fuzzing seed
// generator uses them too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image.h"

namespace ocelot::imaging::fixtures {

struct Fixture {
  std::string name;
  std::vector<std::uint8_t> bytes;
  Image expected;
  int tolerance = 0;  // largest channel difference allowed (libraries that round their own way)
};

// A deterministic picture of every pixel format: gradients and stripes, with a palette of
// distinct colours for the colour formats (all palette entries used).
Image Pattern(int width, int height, PixelFormat format);

// BMP with the given header size (12, 40, 108 or 124), bits and compression (0 RGB,
// 1 RLE8, 2 RLE4, 3 bit fields); masks are used for 16 and 32 bits with compression 3.
Fixture Bmp(const std::string& name, const Image& image, int header_size, int bits, int compression, bool top_down,
            std::uint32_t red_mask = 0, std::uint32_t green_mask = 0, std::uint32_t blue_mask = 0);
// Every BMP variant the reader supports.
std::vector<Fixture> BmpCases();

// GIF written through giflib: an 8x5 image on a 10x7 screen at (1, 1), interlaced, with a
// transparent colour; the expected image shows it on white.
Fixture InterlacedTransparentGif();

// PNG built chunk by chunk (zlib for the data): 16-bit RGBA, 16-bit gray+alpha, 2-bit
// gray, palette with tRNS, gray with tRNS, 1-bit gray, with pHYs.
std::vector<Fixture> PngCases();

// A true-colour image as an 8-bit RGB PNG built by hand (filter None), plain or
// Adam7-interlaced.
std::vector<std::uint8_t> RgbPng(const Image& image, bool interlaced);
// An RGB PNG whose header (with a valid CRC) claims width x height, with a few bytes of data.
std::vector<std::uint8_t> PngClaiming(std::uint32_t width, std::uint32_t height);

// TGA: colour-mapped, true colour 15/16/24/32 bits, gray; raw and run-length (packets
// crossing lines); bottom-left and top-left origins.
std::vector<Fixture> TgaCases();

// TIFF built by hand (uncompressed): white-is-zero bilevel, 16-bit gray, RGB with
// unassociated alpha, planar RGB, 8-bit palette with 8-bit colour map entries.
std::vector<Fixture> TiffCases();

// PCX built by hand: 4-bit packed in one plane, and a run that continues into the next line.
std::vector<Fixture> PcxCases();

}  // namespace ocelot::imaging::fixtures
