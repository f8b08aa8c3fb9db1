// The seven image formats of captures and saves, new "pic" names, and the colour rules
// that depend on the display.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/codec.h"
#include "imaging/image.h"
#include "settings/setting_enums.h"

namespace ocelot::output {

inline constexpr int kImageFormatCount = settings::kImageFormatCount;

// How the main window prepares its image before writing the format.
enum class ColourHandling {
  ReduceColours,  // the colour reduction rule (ColourReductionForSave)
  GifPalette,     // 236 quantized colours and the 20 static ones
  TrueColour,     // converted to 24-bit unless it is true colour
};

// One row per format: the one table behind the "Capture Image Format" list, the capture
// file names, the Save As dialog's types and the codec that writes the file.
struct ImageFormatInfo {
  settings::ImageFormat format;
  const char* list_text;        // the "Capture Image Format" list entry
  const char* extension;        // as the capture writer asks for it; file names end up lower-cased
  const char* save_type_name;   // the Save As dialog's type: "<name> (*.ext)"
  imaging::FileType file_type;  // the codec
  ColourHandling colour_handling;
};

// Index = CaptureFormat: 0 BMP, 1 GIF, 2 JPEG, 3 PCX, 4 PNG, 5 TGA, 6 TIFF.
const std::array<ImageFormatInfo, kImageFormatCount>& ImageFormats();
const ImageFormatInfo& Describe(settings::ImageFormat format);
inline constexpr int kJpegFormatIndex = settings::StoredValue(settings::ImageFormat::Jpeg);

// The extension in lower case, as paths are compared and the Save As dialog names it.
const std::string& LowerExtensionOf(settings::ImageFormat format);
// The format of an extension such as ".png", compared ignoring case; nothing for any
// other (".jpeg" and ".tiff" among them).
std::optional<settings::ImageFormat> ImageFormatOfExtension(std::string_view extension);

// folder + "\pic" + n + extension, lower-cased, for the smallest n from 1 whose file does
// not exist.
std::string NextPicName(std::string_view folder, std::string_view extension);
// The same with the format's extension.
std::string NextPicName(std::string_view folder, settings::ImageFormat format);

// 2 to the power of (bits per pixel x planes) of the screen.
long long ScreenColorCount(int bits_per_pixel, int planes);
// "%d Colors " with the count, then the depth's name ("256 Colors " at 8 bits).
std::string ColorDepthText(int bits_per_pixel, int planes);
// A display of 256 colours or fewer realizes palettes before drawing.
inline bool IsPaletteDisplay(long long colour_count) { return colour_count <= 256; }

// The colour reduction before a BMP, PCX, PNG, TGA or TIFF file is written from the main
// window, by the format the "Capture Image Format" list shows (nothing when it shows
// none): the pixel format to convert to, or nothing.
std::optional<imaging::PixelFormat> ColourReductionForSave(std::optional<settings::ImageFormat> shown_format,
                                                           long long screen_colours);
// The same by the list's position (-1 when it shows none).
std::optional<imaging::PixelFormat> ColourReductionForSave(int capture_format_index, long long screen_colours);

// The status line: path + ", " + width + "x" + height, then "x256" for a ".gif" path,
// otherwise the pixel format's text (", 2 colors" ... ", High Color").
std::string ImageInfoText(std::string_view path, int width, int height, imaging::PixelFormat format);

}  // namespace ocelot::output
