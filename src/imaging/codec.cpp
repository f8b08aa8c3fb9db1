// Format choice for reading (content first, then extension) and writing (extension).
#include "imaging/codec.h"

#include <cstring>
#include <new>
#include <stdexcept>

#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "imaging/codec_bmp.h"
#include "imaging/codec_gif.h"
#include "imaging/codec_jpeg.h"
#include "imaging/codec_pcx.h"
#include "imaging/codec_png.h"
#include "imaging/codec_tga.h"
#include "imaging/codec_tiff.h"
#include "imaging/codec_util.h"

namespace ocelot::imaging {

std::optional<FileType> FileTypeFromExtension(std::string_view path_or_extension) {
  const auto dot = path_or_extension.find_last_of('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string ext = ToLower(path_or_extension.substr(dot));
  if (ext.find_first_of("\\/") != std::string::npos) return std::nullopt;
  if (ext == ".bmp") return FileType::Bmp;
  if (ext == ".gif") return FileType::Gif;
  if (ext == ".jpg" || ext == ".jpeg") return FileType::Jpeg;
  if (ext == ".pcx") return FileType::Pcx;
  if (ext == ".png") return FileType::Png;
  if (ext == ".tga") return FileType::Tga;
  if (ext == ".tif" || ext == ".tiff") return FileType::Tiff;
  return std::nullopt;
}

std::optional<FileType> FileTypeFromSignature(std::span<const std::uint8_t> b) {
  auto starts = [b](const char* sig, std::size_t n) { return b.size() >= n && std::memcmp(b.data(), sig, n) == 0; };
  if (starts("\x89PNG\r\n\x1a\n", 8)) return FileType::Png;
  if (starts("\xFF\xD8\xFF", 3)) return FileType::Jpeg;
  if (starts("GIF87a", 6) || starts("GIF89a", 6)) return FileType::Gif;
  if (starts("II*\0", 4) || starts("MM\0*", 4) || starts("II+\0", 4) || starts("MM\0+", 4)) return FileType::Tiff;
  if (starts("BM", 2) && b.size() >= 18) return FileType::Bmp;
  // PCX: manufacturer 10, a known version, encoding 0 or 1, a plausible bit depth.
  if (b.size() >= 128 && b[0] == 0x0A && b[1] <= 5 && b[2] <= 1 && (b[3] == 1 || b[3] == 2 || b[3] == 4 || b[3] == 8))
    return FileType::Pcx;
  return std::nullopt;
}

namespace {

Image Decode(FileType type, std::span<const std::uint8_t> bytes, const ReadOptions& options) {
  switch (type) {
    case FileType::Bmp: return DecodeBmp(bytes, options);
    case FileType::Gif: return DecodeGif(bytes, options);
    case FileType::Jpeg: return DecodeJpeg(bytes, options);
    case FileType::Pcx: return DecodePcx(bytes, options);
    case FileType::Png: return DecodePng(bytes, options);
    case FileType::Tga: return DecodeTga(bytes, options);
    case FileType::Tiff: return DecodeTiff(bytes, options);
  }
  throw Error(ErrorKind::Unsupported, "Unknown image file type");
}

std::vector<std::uint8_t> Encode(const Image& image, FileType type, const WriteOptions& options) {
  switch (type) {
    case FileType::Bmp: return EncodeBmp(image);
    case FileType::Gif: return EncodeGif(image);
    case FileType::Jpeg: return EncodeJpeg(image, options.jpeg_quality, options.jpeg_progressive);
    case FileType::Pcx: return EncodePcx(image);
    case FileType::Png: return EncodePng(image);
    case FileType::Tga: return EncodeTga(image);
    case FileType::Tiff: return EncodeTiff(image);
  }
  throw Error(ErrorKind::Unsupported, "Unknown image file type");
}

}  // namespace

Image ReadImage(std::span<const std::uint8_t> bytes, std::string_view extension_hint, const ReadOptions& options) {
  if (bytes.empty()) throw Error(ErrorKind::Format, "Cannot read image: the file is empty");
  if (auto type = FileTypeFromSignature(bytes)) return Decode(*type, bytes, options);
  if (auto type = FileTypeFromExtension(extension_hint)) return Decode(*type, bytes, options);
  throw Error(ErrorKind::Format, "Cannot read image: unknown file format");
}

Image ReadImageFile(const std::string& path, const ReadOptions& options) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const std::bad_alloc&) {
    throw Error(ErrorKind::Limit, "Cannot read image: the file is too large to load");
  } catch (const std::length_error&) {
    throw Error(ErrorKind::Limit, "Cannot read image: the file is too large to load");
  }
  return ReadImage(bytes, path, options);
}

std::vector<std::uint8_t> WriteImage(const Image& image, FileType type, const WriteOptions& options) {
  return detail::GuardWrite("image", image, [&] { return Encode(image, type, options); });
}

void WriteImageFile(const std::string& path, const Image& image, const WriteOptions& options) {
  const auto type = FileTypeFromExtension(path);
  if (!type) {
    // The detail names the extension only: the path may be a temporary file of the caller's.
    const auto dot = path.find_last_of('.');
    const std::string ext = dot == std::string::npos ? std::string() : path.substr(dot);
    if (ext.empty() || ext.find_first_of("\\/") != std::string::npos)
      throw Error(ErrorKind::Unsupported, "Cannot write image: the file name has no extension");
    throw Error(ErrorKind::Unsupported, "Cannot write image: unknown file extension \"" + ext + "\"");
  }
  const auto bytes = WriteImage(image, *type, options);
  WriteFileBytes(path, bytes);
}

}  // namespace ocelot::imaging
