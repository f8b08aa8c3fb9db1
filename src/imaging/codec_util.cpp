// Shared codec helpers: bounds-checked reads and the size rules every decoder applies.
#include "imaging/codec_util.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>
#include <stdexcept>
#include <string>

#include "common/error.h"

namespace ocelot::imaging::detail {

namespace {

std::string SizeText(std::int64_t width, std::int64_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

void FailRead(std::string_view format, std::string_view what, ErrorKind kind) {
  throw Error(kind, "Cannot read " + std::string(format) + " file: " + std::string(what));
}

void FailTooLarge(std::string_view format, std::int64_t width, std::int64_t height) {
  throw Error(ErrorKind::Limit,
              "Cannot read " + std::string(format) + " file: image of " + SizeText(width, height) + " pixels is too large",
              PixelDimensions{width, height});
}

void FailWrite(std::string_view format, std::string_view what, ErrorKind kind) {
  throw Error(kind, "Cannot write " + std::string(format) + " file: " + std::string(what));
}

PixelDimensions CheckReadSize(std::string_view format, std::int64_t width, std::int64_t height, int bytes_per_pixel,
                              const ReadOptions& options) {
  if (width <= 0 || height <= 0) FailRead(format, "invalid image size " + SizeText(width, height));
  const std::size_t limit = std::min(options.max_pixel_bytes, kMaxPixelBytes);
  // Width and height come from at most 32-bit fields, so the product fits 64 bits.
  const auto bytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) *
                     static_cast<std::uint64_t>(bytes_per_pixel);
  if (width > INT32_MAX || height > INT32_MAX || bytes > limit) FailTooLarge(format, width, height);
  return PixelDimensions{width, height};
}

void RethrowAsReadError(std::string_view format, const std::optional<PixelDimensions>& claimed) {
  try {
    throw;
  } catch (const Error& e) {
    // A library that ran out of memory does not know the size; the decoder does.
    if (e.Kind() == ErrorKind::Limit && !e.Dimensions() && claimed) throw Error(ErrorKind::Limit, e.what(), *claimed);
    throw;
  } catch (const std::bad_alloc&) {
    if (claimed) FailTooLarge(format, claimed->width, claimed->height);
    FailRead(format, "out of memory", ErrorKind::Limit);
  } catch (const std::length_error&) {
    if (claimed) FailTooLarge(format, claimed->width, claimed->height);
    FailRead(format, "out of memory", ErrorKind::Limit);
  } catch (const std::exception& e) {
    FailRead(format, e.what());
  }
}

void RethrowAsWriteError(std::string_view format, const Image& image) {
  try {
    throw;
  } catch (const Error&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw Error(ErrorKind::Limit, "Cannot write " + std::string(format) + " file: out of memory",
                PixelDimensions{image.Width(), image.Height()});
  } catch (const std::length_error&) {
    throw Error(ErrorKind::Limit, "Cannot write " + std::string(format) + " file: out of memory",
                PixelDimensions{image.Width(), image.Height()});
  } catch (const std::exception& e) {
    FailWrite(format, e.what());
  }
}

void CheckCompressionBound(std::string_view format, std::int64_t width, std::int64_t height,
                           std::size_t compressed_bytes, std::int64_t max_pixels_per_byte) {
  const auto pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  const auto most = (static_cast<std::uint64_t>(compressed_bytes) + 1) * static_cast<std::uint64_t>(max_pixels_per_byte);
  if (pixels > most)
    FailRead(format, "the file is too short for an image of " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels");
}

void CheckWritable(std::string_view format, const Image& image) {
  if (image.Empty()) FailWrite(format, "the image is empty", ErrorKind::Format);
}

PixelFormat IndexedFormatFor(int bits, const std::vector<Rgb>& palette) {
  if (bits <= 1) return PixelFormat::BlackWhite;
  const PixelFormat gray = bits <= 4 ? PixelFormat::Gray16 : PixelFormat::Gray256;
  if (palette == GrayPalette(gray)) return gray;
  return bits <= 4 ? PixelFormat::Colour16 : PixelFormat::Colour256;
}

bool HasStandardGrayPalette(const Image& image) {
  const PixelFormat f = image.Format();
  if (f != PixelFormat::BlackWhite && !IsGray(f)) return false;
  return image.Palette() == GrayPalette(f);
}

double DpiFromPixelsPerMetre(std::uint32_t ppm) { return std::round(ppm * 0.0254); }

std::uint32_t PixelsPerMetreFromDpi(double dpi) {
  if (!(dpi > 0) || dpi > 1e6) return 0;
  return static_cast<std::uint32_t>(std::lround(dpi / 0.0254));
}

void ByteReader::Need(std::size_t n) const {
  if (n > bytes_.size() - pos_) FailRead(format_, "the file is truncated");
}

void ByteReader::Seek(std::size_t pos) {
  if (pos > bytes_.size()) FailRead(format_, "the file is truncated");
  pos_ = pos;
}

void ByteReader::Skip(std::size_t n) {
  Need(n);
  pos_ += n;
}

std::uint8_t ByteReader::U8() {
  Need(1);
  return bytes_[pos_++];
}

std::uint16_t ByteReader::U16LE() {
  Need(2);
  const auto v = static_cast<std::uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8);
  pos_ += 2;
  return v;
}

std::uint32_t ByteReader::U32LE() {
  Need(4);
  const std::uint32_t v = bytes_[pos_] | bytes_[pos_ + 1] << 8 | bytes_[pos_ + 2] << 16 |
                          static_cast<std::uint32_t>(bytes_[pos_ + 3]) << 24;
  pos_ += 4;
  return v;
}

std::span<const std::uint8_t> ByteReader::Take(std::size_t n) {
  Need(n);
  auto s = bytes_.subspan(pos_, n);
  pos_ += n;
  return s;
}

void PutU8(std::vector<std::uint8_t>& out, unsigned v) { out.push_back(static_cast<std::uint8_t>(v)); }

void PutU16LE(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32LE(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PackIndexes(const std::uint8_t* indexes, int width, int bits, std::uint8_t* out) {
  if (bits == 8) {
    std::copy(indexes, indexes + width, out);
    return;
  }
  const int per_byte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  const int bytes = (width * bits + 7) / 8;
  for (int i = 0; i < bytes; ++i) {
    unsigned v = 0;
    for (int k = 0; k < per_byte; ++k) {
      const int x = i * per_byte + k;
      const unsigned idx = x < width ? (indexes[x] & mask) : 0;
      v |= idx << (8 - bits * (k + 1));
    }
    out[i] = static_cast<std::uint8_t>(v);
  }
}

void UnpackIndexes(const std::uint8_t* packed, int width, int bits, std::uint8_t* out) {
  if (bits == 8) {
    std::copy(packed, packed + width, out);
    return;
  }
  const int per_byte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (int x = 0; x < width; ++x) {
    const unsigned byte = packed[x / per_byte];
    const int shift = 8 - bits * (x % per_byte + 1);
    out[x] = static_cast<std::uint8_t>((byte >> shift) & mask);
  }
}

}  // namespace ocelot::imaging::detail
