// The image format table and the rules around it.
#include "output/image_formats.h"

#include "common/file_io.h"
#include "common/text.h"

namespace ocelot::output {

using settings::ImageFormat;

namespace {
using imaging::FileType;
constexpr std::array<ImageFormatInfo, kImageFormatCount> kFormats = {{
    {ImageFormat::Bmp, "Windows Bitmap (BMP)", ".BMP", "Bitmap", FileType::Bmp, ColourHandling::ReduceColours},
    {ImageFormat::Gif, "GIF (256 Colors)", ".GIF", "GIF", FileType::Gif, ColourHandling::GifPalette},
    {ImageFormat::Jpeg, "JPEG", ".JPG", "JPEG", FileType::Jpeg, ColourHandling::TrueColour},
    {ImageFormat::Pcx, "PCX", ".PCX", "PaintBrush", FileType::Pcx, ColourHandling::ReduceColours},
    {ImageFormat::Png, "PNG", ".PNG", "Portable Network Graphic", FileType::Png, ColourHandling::ReduceColours},
    {ImageFormat::Tga, "Targa (TGA)", ".TGA", "Targa", FileType::Tga, ColourHandling::ReduceColours},
    {ImageFormat::Tiff, "TIFF", ".TIF", "TIFF", FileType::Tiff, ColourHandling::ReduceColours},
}};

// Row i describes the format stored as i, so the table can be indexed by the setting.
constexpr bool RowsInStoredOrder() {
  for (std::size_t i = 0; i < kFormats.size(); ++i)
    if (settings::TableIndex(kFormats[i].format) != i) return false;
  return true;
}
static_assert(RowsInStoredOrder());
}  // namespace

const std::array<ImageFormatInfo, kImageFormatCount>& ImageFormats() { return kFormats; }

const ImageFormatInfo& Describe(ImageFormat format) { return ImageFormats()[settings::TableIndex(format)]; }

const std::string& LowerExtensionOf(ImageFormat format) {
  static const std::array<std::string, kImageFormatCount> kLower = [] {
    std::array<std::string, kImageFormatCount> lower;
    for (const auto& f : ImageFormats()) lower[settings::TableIndex(f.format)] = ToLower(f.extension);
    return lower;
  }();
  return kLower[settings::TableIndex(format)];
}

std::optional<ImageFormat> ImageFormatOfExtension(std::string_view extension) {
  for (const auto& f : ImageFormats())
    if (EqualsIgnoreCase(extension, f.extension)) return f.format;
  return std::nullopt;
}

std::string NextPicName(std::string_view folder, std::string_view extension) {
  for (long long n = 1;; ++n) {
    std::string path = ToLower(std::string(folder) + "\\pic" + std::to_string(n) + std::string(extension));
    if (!FileExists(path)) return path;
  }
}

std::string NextPicName(std::string_view folder, ImageFormat format) {
  return NextPicName(folder, Describe(format).extension);
}

long long ScreenColorCount(int bits_per_pixel, int planes) {
  const int bits = bits_per_pixel * planes;
  if (bits <= 0) return 1;
  if (bits >= 62) return 1LL << 62;  // "UltraColor" displays: far beyond any palette
  return 1LL << bits;
}

std::string ColorDepthText(int bits_per_pixel, int planes) {
  std::string text = std::to_string(ScreenColorCount(bits_per_pixel, planes)) + " Colors ";
  switch (bits_per_pixel) {
    case 1: text += "MonoChrome"; break;
    case 16: text += "HiColor (16 Bit)"; break;
    case 24: text += "TrueColor (24 Bit)"; break;
    case 32: text += "TrueColor (32 Bit)"; break;
    case 64: text += "UltraColor (64 Bit)"; break;
    default: break;
  }
  return text;
}

std::optional<imaging::PixelFormat> ColourReductionForSave(std::optional<ImageFormat> shown_format,
                                                           long long screen_colours) {
  if (screen_colours == 256)
    return shown_format == ImageFormat::Jpeg ? imaging::PixelFormat::Gray256 : imaging::PixelFormat::Colour256;
  if (screen_colours == 16) return imaging::PixelFormat::Colour16;
  return std::nullopt;
}

std::optional<imaging::PixelFormat> ColourReductionForSave(int capture_format_index, long long screen_colours) {
  return ColourReductionForSave(settings::ImageFormatOf(capture_format_index), screen_colours);
}

std::string ImageInfoText(std::string_view path, int width, int height, imaging::PixelFormat format) {
  std::string text = std::string(path) + ", " + std::to_string(width) + "x" + std::to_string(height);
  const std::string lower = ToLower(path);
  if (lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".gif") == 0) return text + "x256";
  switch (format) {
    case imaging::PixelFormat::BlackWhite: return text + ", 2 colors";
    case imaging::PixelFormat::Gray16: return text + ", 16 gray colors";
    case imaging::PixelFormat::Gray256: return text + ", 256 gray colors";
    case imaging::PixelFormat::Colour16: return text + ", 16 colors";
    case imaging::PixelFormat::Colour256: return text + ", 256 colors";
    case imaging::PixelFormat::TrueColour: return text + ", High Color";
  }
  return text;
}

}  // namespace ocelot::output
