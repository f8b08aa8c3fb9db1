// Small helpers shared by the codecs: errors of the right kind, the guard that keeps any
// other exception from leaving a codec, bounds-checked byte reading, little/big-endian
// writing, size checks against the pixel limit, and the rule that names the pixel format
// of an indexed file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "imaging/codec.h"
#include "imaging/image.h"

namespace ocelot::imaging::detail {

// Throws Error(kind, "Cannot read <format> file: <what>").
[[noreturn]] void FailRead(std::string_view format, std::string_view what, ErrorKind kind = ErrorKind::Format);
// Throws the Limit error of an image too large to open, carrying its claimed size.
[[noreturn]] void FailTooLarge(std::string_view format, std::int64_t width, std::int64_t height);
// Throws Error(kind, "Cannot write <format> file: <what>").
[[noreturn]] void FailWrite(std::string_view format, std::string_view what, ErrorKind kind = ErrorKind::InputOutput);

// Refuses a zero or negative size (Format), and a size whose pixel buffer (bytes_per_pixel
// per pixel) would exceed the limit of the read options (Limit, with the size). Returns the
// size, for the decoder to remember in case memory runs out later.
PixelDimensions CheckReadSize(std::string_view format, std::int64_t width, std::int64_t height, int bytes_per_pixel,
                              const ReadOptions& options);

// Turns the exception being handled into Error: Error itself passes unchanged (a Limit
// error gains the claimed size when it has none); running out of memory (std::bad_alloc,
// std::length_error) becomes a Limit error, with the claimed size when one is known; any
// other std::exception a Format error (reading) or an InputOutput error (writing). Call
// only from a catch block.
[[noreturn]] void RethrowAsReadError(std::string_view format, const std::optional<PixelDimensions>& claimed);
[[noreturn]] void RethrowAsWriteError(std::string_view format, const Image& image);

// Runs a decoder body so that nothing but Error leaves it. The body receives the claimed
// size to fill in once the header is read (normally with CheckReadSize's result).
template <class Body>
Image GuardRead(std::string_view format, Body&& body) {
  std::optional<PixelDimensions> claimed;
  try {
    return body(claimed);
  } catch (...) {
    RethrowAsReadError(format, claimed);
  }
}

// Runs an encoder body so that nothing but Error leaves it.
template <class Body>
std::vector<std::uint8_t> GuardWrite(std::string_view format, const Image& image, Body&& body) {
  try {
    return body();
  } catch (...) {
    RethrowAsWriteError(format, image);
  }
}

// Refuses a size that a compressed stream of compressed_bytes could not possibly fill when
// each byte yields at most max_pixels_per_byte pixels: a lying header must not make us
// allocate far beyond what the file could hold.
void CheckCompressionBound(std::string_view format, std::int64_t width, std::int64_t height,
                           std::size_t compressed_bytes, std::int64_t max_pixels_per_byte);

// Refuses to write an empty image (Format).
void CheckWritable(std::string_view format, const Image& image);

// Pixel format of a file image with one palette index per pixel: 1 bit is black and
// white; 4 or fewer bits 16 grays when the palette is the standard gray ramp, else 16
// colours; 8 bits likewise 256 grays or 256 colours.
PixelFormat IndexedFormatFor(int bits, const std::vector<Rgb>& palette);
// True when the image's palette is the standard one of its gray format (index = level).
bool HasStandardGrayPalette(const Image& image);

// Dots per inch from pixels per metre, rounded to whole dots as files are usually made.
double DpiFromPixelsPerMetre(std::uint32_t ppm);
std::uint32_t PixelsPerMetreFromDpi(double dpi);

class ByteReader {
 public:
  ByteReader(std::span<const std::uint8_t> bytes, std::string_view format) : bytes_(bytes), format_(format) {}
  std::size_t Position() const { return pos_; }
  std::size_t Size() const { return bytes_.size(); }
  std::size_t Remaining() const { return bytes_.size() - pos_; }
  void Seek(std::size_t pos);
  void Skip(std::size_t n);
  std::uint8_t U8();
  std::uint16_t U16LE();
  std::uint32_t U32LE();
  std::int32_t S32LE() { return static_cast<std::int32_t>(U32LE()); }
  // The next n bytes, consumed.
  std::span<const std::uint8_t> Take(std::size_t n);

 private:
  void Need(std::size_t n) const;
  std::span<const std::uint8_t> bytes_;
  std::string_view format_;
  std::size_t pos_ = 0;
};

void PutU8(std::vector<std::uint8_t>& out, unsigned v);
void PutU16LE(std::vector<std::uint8_t>& out, unsigned v);
void PutU32LE(std::vector<std::uint8_t>& out, std::uint32_t v);

// The colour of palette entry i, black when the palette is shorter.
inline Rgb PaletteAt(const std::vector<Rgb>& palette, std::size_t i) { return i < palette.size() ? palette[i] : Rgb{}; }

// Packs one row of palette indexes (one byte each) into bits per pixel 1, 2, 4 or 8,
// most significant bits first; indexes are masked to the bit width.
void PackIndexes(const std::uint8_t* indexes, int width, int bits, std::uint8_t* out);
// The reverse: width indexes from a packed row.
void UnpackIndexes(const std::uint8_t* packed, int width, int bits, std::uint8_t* out);

}  // namespace ocelot::imaging::detail
