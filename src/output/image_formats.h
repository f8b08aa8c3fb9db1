// The seven image formats of captures and saves, new "pic" names, and the colour rules
// that depend on the display.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/image.h"

namespace ocelot::output {

inline constexpr int kImageFormatCount = 7;

struct ImageFormatInfo {
  const char* list_text;   // the "Capture Image Format" list entry
  const char* extension;   // as the writer asks for it; file names end up lower-cased
};

// Index = CaptureFormat: 0 BMP, 1 GIF, 2 JPEG, 3 PCX, 4 PNG, 5 TGA, 6 TIFF.
const std::array<ImageFormatInfo, kImageFormatCount>& ImageFormats();
inline constexpr int kJpegFormatIndex = 2;

// folder + "\pic" + n + extension, lower-cased, for the smallest n from 1 whose file does
// not exist.
std::string NextPicName(std::string_view folder, std::string_view extension);

// 2 to the power of (bits per pixel x planes) of the screen.
long long ScreenColorCount(int bits_per_pixel, int planes);
// "%d Colors " with the count, then the depth's name ("256 Colors " at 8 bits).
std::string ColorDepthText(int bits_per_pixel, int planes);
// A display of 256 colours or fewer realizes palettes before drawing.
inline bool IsPaletteDisplay(long long colour_count) { return colour_count <= 256; }

// The colour reduction before a BMP, PCX, PNG, TGA or TIFF file is written from the main
// window: the pixel format to convert to, or nothing.
std::optional<imaging::PixelFormat> ColourReductionForSave(int capture_format_index, long long screen_colours);

// The status line: path + ", " + width + "x" + height, then "x256" for a ".gif" path,
// otherwise the pixel format's text (", 2 colors" ... ", High Color").
std::string ImageInfoText(std::string_view path, int width, int height, imaging::PixelFormat format);

}  // namespace ocelot::output
