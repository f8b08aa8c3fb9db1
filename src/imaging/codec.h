// Reading and writing image files: the seven formats, chosen for reading by the file's
// content and for writing by the extension.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/image.h"

namespace ocelot::imaging {

enum class FileType : std::uint8_t { Bmp, Gif, Jpeg, Pcx, Png, Tga, Tiff };

struct ReadOptions {
  // Decoders refuse images whose pixel buffer would exceed this (never more than
  // kMaxPixelBytes); thumbnail readers and the fuzz targets set it lower.
  std::size_t max_pixel_bytes = kMaxPixelBytes;
};

struct WriteOptions {
  int jpeg_quality = 100;  // 0..100
  bool jpeg_progressive = false;
};

// The type an extension names (".bmp", ".gif", ".jpg", ".jpeg", ".pcx", ".png", ".tga",
// ".tif", ".tiff", compared in lower case); a whole path may be given.
std::optional<FileType> FileTypeFromExtension(std::string_view path_or_extension);
// The type the first bytes announce (TGA has no signature and is never recognised here).
std::optional<FileType> FileTypeFromSignature(std::span<const std::uint8_t> bytes);

// Decodes bytes by their signature, else by the extension of extension_hint (a path or
// ".ext"). The pixel format of the file is kept. A JPEG or PNG file that ends inside its
// image data gives the full-size image with the rows that arrived, the rest mid-grey.
// Throws Error and nothing else: kind Format when the bytes are not an image, its header
// lies or nothing is decodable; Limit beyond options.max_pixel_bytes or when memory runs
// out (Dimensions() holds the claimed size once the header was read); Unsupported for
// valid variants we do not read. The detail text is technical and names no file.
Image ReadImage(std::span<const std::uint8_t> bytes, std::string_view extension_hint = {},
                const ReadOptions& options = {});
// As ReadImage; a file that cannot be read is an InputOutput error whose detail names path.
Image ReadImageFile(const std::string& path, const ReadOptions& options = {});

// Encodes in the given type. Formats that cannot hold the pixel format store the nearest
// they can (JPEG: 256 grays for the gray formats, else true colour; GIF: 8-bit palette,
// true colour is first quantized to 256 colours; TGA: 8-bit indexed or 24-bit; BMP and PCX:
// 1, 4, 8 or 24 bits). Throws Error: Limit for sizes the format cannot hold or when memory
// runs out, Format for an empty image, InputOutput when a library fails.
std::vector<std::uint8_t> WriteImage(const Image& image, FileType type, const WriteOptions& options = {});
// Writes by the path's extension; an unknown extension is an Unsupported error naming only
// the extension. A failed write is an InputOutput error whose detail names path, so a
// caller writing a temporary file words its own message.
void WriteImageFile(const std::string& path, const Image& image, const WriteOptions& options = {});

}  // namespace ocelot::imaging
