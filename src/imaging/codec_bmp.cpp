// Windows bitmap reader and writer.
#include "imaging/codec_bmp.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <optional>
#include <string>

#include "imaging/codec_util.h"

namespace ocelot::imaging {
namespace {

constexpr std::string_view kName = "BMP";
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

// One channel of a bit-field pixel, scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint64_t max = 0;
  explicit Channel(std::uint32_t m) : mask(m) {
    if (m != 0) {
      shift = std::countr_zero(m);
      max = m >> shift;
    }
  }
  std::uint8_t Get(std::uint32_t px) const {
    if (max == 0) return 0;
    const std::uint64_t v = (px & mask) >> shift;
    return static_cast<std::uint8_t>(std::min<std::uint64_t>(255, (v * 255 + max / 2) / max));
  }
};

// Run-length data of RLE8 (bits 8) or RLE4 (bits 4) into one index per pixel. Stored row 0
// is the bottom row unless the bitmap is top-down. Records that run past the row or image
// are clipped; data ending without an end-of-bitmap record leaves the rest at index 0.
void DecodeRle(detail::ByteReader& r, int bits, bool top_down, Image& image) {
  const int w = image.Width(), h = image.Height();
  int x = 0, y = 0;
  auto put = [&](unsigned index) {
    if (x < w && y < h) image.Row(top_down ? y : h - 1 - y)[x] = static_cast<std::uint8_t>(index);
    ++x;
  };
  while (y < h && r.Remaining() >= 2) {
    const unsigned count = r.U8();
    const unsigned value = r.U8();
    if (count > 0) {
      for (unsigned i = 0; i < count && x < w; ++i)
        put(bits == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 15));
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      x += r.U8();
      y += r.U8();
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      const std::size_t bytes = bits == 8 ? value : (value + 1) / 2;
      auto run = r.Take(bytes);
      for (unsigned i = 0; i < value; ++i)
        put(bits == 8 ? run[i] : (i % 2 == 0 ? run[i / 2] >> 4 : run[i / 2] & 15));
      if (bytes % 2 != 0) r.Skip(std::min<std::size_t>(1, r.Remaining()));
    }
  }
}

// The pixels of an uncompressed DIB: rows padded to 4 bytes, from `pixels` on.
void DecodeRows(std::span<const std::uint8_t> pixels, int bits, const std::uint32_t (&masks)[3], bool top_down,
                Image& image) {
  const int w = image.Width(), h = image.Height();
  const std::size_t row_bytes = (static_cast<std::size_t>(w) * static_cast<std::size_t>(bits) + 7) / 8;
  const std::size_t stride = (row_bytes + 3) / 4 * 4;
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
  // Screen grabs are 32 bits with the plain masks: copied without per-pixel arithmetic.
  const bool plain32 = bits == 32 && masks[0] == 0x00FF0000 && masks[1] == 0x0000FF00 && masks[2] == 0x000000FF;
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* src = pixels.data() + stride * static_cast<std::size_t>(y);
    std::uint8_t* dst = image.Row(top_down ? y : h - 1 - y);
    if (bits <= 8) {
      detail::UnpackIndexes(src, w, bits, dst);
    } else if (bits == 24) {
      std::copy(src, src + 3 * static_cast<std::size_t>(w), dst);
    } else if (plain32) {
      for (int x = 0; x < w; ++x, src += 4, dst += 3) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
      }
    } else {
      for (int x = 0; x < w; ++x, dst += 3) {
        const std::uint32_t px = bits == 16 ? static_cast<std::uint32_t>(src[2 * x] | src[2 * x + 1] << 8)
                                            : static_cast<std::uint32_t>(src[4 * x] | src[4 * x + 1] << 8 |
                                                                         src[4 * x + 2] << 16) |
                                                  static_cast<std::uint32_t>(src[4 * x + 3]) << 24;
        dst[0] = blue.Get(px);
        dst[1] = green.Get(px);
        dst[2] = red.Get(px);
      }
    }
  }
}

bool IsKnownCompression(std::uint32_t c) { return c <= 6 || (c >= 11 && c <= 13); }

// A DIB from its info header on. pixel_offset is where the rows start, counted from the
// info header; 0 for a packed DIB, whose rows follow the palette.
Image DecodeDib(std::span<const std::uint8_t> dib, std::uint64_t pixel_offset,
                const ReadOptions& options, std::optional<PixelDimensions>& claimed) {
  detail::ByteReader r(dib, kName);
  const std::uint32_t header_size = r.U32LE();
  std::int64_t width = 0, height = 0;
  int bits = 0;
  std::uint32_t compression = kRgb, colours_used = 0;
  std::int32_t ppm_x = 0, ppm_y = 0;
  std::size_t entry_size = 4;
  std::uint32_t masks[3] = {0, 0, 0};
  bool have_masks = false;
  if (header_size == 12) {  // OS/2 core header
    width = r.U16LE();
    height = r.U16LE();
    r.U16LE();
    bits = r.U16LE();
    entry_size = 3;
  } else if (header_size >= 40 && header_size <= 124) {
    width = r.S32LE();
    height = r.S32LE();
    r.U16LE();
    bits = r.U16LE();
    compression = r.U32LE();
    r.U32LE();
    ppm_x = r.S32LE();
    ppm_y = r.S32LE();
    colours_used = r.U32LE();
    r.U32LE();
    if (header_size == 64 && compression > kRle4)
      detail::FailRead(kName, "OS/2 compression " + std::to_string(compression) + " is not supported",
                       ErrorKind::Unsupported);
    if (compression == kBitFields || compression == kAlphaBitFields) {
      // Version 2 and later headers hold the masks; a plain info header is followed by them.
      r.Seek(40);
      for (auto& m : masks) m = r.U32LE();
      have_masks = true;
    }
  } else if (header_size > 12 && header_size < 40) {
    detail::FailRead(kName, "header size " + std::to_string(header_size) + " is not supported", ErrorKind::Unsupported);
  } else {
    detail::FailRead(kName, "invalid header size " + std::to_string(header_size));
  }
  std::uint64_t palette_offset = header_size;
  if (have_masks && header_size == 40) palette_offset += compression == kAlphaBitFields ? 16 : 12;

  // Zero or negative widths, zero heights and a height whose turn-around does not fit are lies.
  if (width <= 0 || height == 0 || height == INT32_MIN)
    detail::FailRead(kName, "invalid image size " + std::to_string(width) + " x " + std::to_string(height));
  const bool top_down = height < 0;
  if (top_down) height = -height;
  if (bits == 0 || bits == 2 || bits == 64)
    detail::FailRead(kName, std::to_string(bits) + " bits per pixel are not supported", ErrorKind::Unsupported);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    detail::FailRead(kName, "invalid bit count " + std::to_string(bits));
  if (!IsKnownCompression(compression)) detail::FailRead(kName, "invalid compression " + std::to_string(compression));
  if (compression != kRgb && compression != kRle8 && compression != kRle4 && compression != kBitFields &&
      compression != kAlphaBitFields)
    detail::FailRead(kName, "compression " + std::to_string(compression) + " is not supported", ErrorKind::Unsupported);
  const bool bad_compression = (compression == kRle8 && bits != 8) || (compression == kRle4 && bits != 4) ||
                               ((compression == kBitFields || compression == kAlphaBitFields) && bits != 16 && bits != 32);
  if (bad_compression)
    detail::FailRead(kName, "compression " + std::to_string(compression) + " does not go with " + std::to_string(bits) +
                                " bits");

  std::vector<Rgb> palette;
  std::uint64_t palette_end = palette_offset;  // where the rows of a packed DIB start
  if (bits <= 8) {
    std::size_t n = colours_used == 0 ? std::size_t{1} << bits : colours_used;
    n = std::min(n, std::size_t{1} << bits);
    r.Seek(static_cast<std::size_t>(palette_offset));
    auto entries = r.Take(n * entry_size);
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint8_t* e = entries.data() + i * entry_size;
      palette.push_back(Rgb{e[2], e[1], e[0]});
    }
    palette_end += n * entry_size;
  } else {
    // Deeper bitmaps may carry a palette for displays of fewer colours; it is skipped.
    palette_end += std::uint64_t{colours_used} * entry_size;
  }
  // A file's pixel offset pointing into its headers or its indexes' palette is a writer's
  // mistake (often 0): the rows then follow the palette, as in a packed DIB.
  const std::uint64_t headers_end = bits <= 8 ? palette_end : palette_offset;
  const std::uint64_t rows_at = pixel_offset >= headers_end ? pixel_offset : palette_end;
  if (rows_at >= dib.size()) detail::FailRead(kName, "the pixel data is missing");

  const PixelFormat format = bits <= 8 ? detail::IndexedFormatFor(bits, palette) : PixelFormat::TrueColour;
  claimed = detail::CheckReadSize(kName, width, height, bits <= 8 ? 1 : 3, options);
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  const auto data = dib.subspan(static_cast<std::size_t>(rows_at));

  Image image;
  if (compression == kRle8 || compression == kRle4) {
    // A run record of two bytes paints at most 255 pixels; allow generously for deltas.
    detail::CheckCompressionBound(kName, w, h, data.size(), 4096);
    image = Image(w, h, format);
    image.Palette() = palette;
    detail::ByteReader rle(data, kName);
    DecodeRle(rle, bits, top_down, image);
  } else {
    const std::uint64_t row_bytes = (static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(bits) + 7) / 8;
    const std::uint64_t stride = (row_bytes + 3) / 4 * 4;
    // The last row's padding may be missing; anything shorter is truncated.
    if (stride * static_cast<std::uint64_t>(h - 1) + row_bytes > data.size())
      detail::FailRead(kName, "the pixel data is truncated");
    if (bits == 16 && !have_masks) {
      masks[0] = 0x7C00;
      masks[1] = 0x03E0;
      masks[2] = 0x001F;
    } else if (bits == 32 && !have_masks) {
      masks[0] = 0x00FF0000;
      masks[1] = 0x0000FF00;
      masks[2] = 0x000000FF;
    }
    image = Image(w, h, format);
    image.Palette() = palette;
    DecodeRows(data, bits, masks, top_down, image);
  }
  if (ppm_x > 0) image.Dpi().x = detail::DpiFromPixelsPerMetre(static_cast<std::uint32_t>(ppm_x));
  if (ppm_y > 0) image.Dpi().y = detail::DpiFromPixelsPerMetre(static_cast<std::uint32_t>(ppm_y));
  return image;
}

}  // namespace

Image DecodeBmp(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
  return detail::GuardRead(kName, [&](std::optional<PixelDimensions>& claimed) {
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') detail::FailRead(kName, "no BMP signature");
    detail::ByteReader r(bytes, kName);
    r.Seek(10);
    const std::uint32_t pixel_offset = r.U32LE();
    constexpr std::size_t kFileHeader = 14;
    if (pixel_offset >= bytes.size()) detail::FailRead(kName, "the pixel data is missing");
    const std::uint64_t rows_at = pixel_offset >= kFileHeader ? pixel_offset - kFileHeader : 0;
    return DecodeDib(bytes.subspan(kFileHeader), rows_at, options, claimed);
  });
}

Image DecodePackedDib(std::span<const std::uint8_t> dib, const ReadOptions& options) {
  return detail::GuardRead(kName, [&](std::optional<PixelDimensions>& claimed) {
    return DecodeDib(dib, 0, options, claimed);
  });
}

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
  detail::CheckWritable(kName, image);
  const int bits = BitsPerPixel(image.Format());
  const int w = image.Width(), h = image.Height();
  const std::size_t row_bytes = (static_cast<std::size_t>(w) * static_cast<std::size_t>(bits) + 7) / 8;
  const std::size_t stride = (row_bytes + 3) / 4 * 4;
  const std::size_t colours = bits <= 8 ? (image.Palette().empty() ? std::size_t{1} << bits : image.Palette().size()) : 0;
  const std::size_t pixel_offset = 14 + 40 + 4 * colours;
  const std::size_t total = pixel_offset + stride * static_cast<std::size_t>(h);
  if (total > UINT32_MAX) detail::FailWrite(kName, "the image is too large", ErrorKind::Limit);
  std::vector<std::uint8_t> out;
  out.reserve(total);
  out.push_back('B');
  out.push_back('M');
  detail::PutU32LE(out, static_cast<std::uint32_t>(total));
  detail::PutU32LE(out, 0);
  detail::PutU32LE(out, static_cast<std::uint32_t>(pixel_offset));
  detail::PutU32LE(out, 40);
  detail::PutU32LE(out, static_cast<std::uint32_t>(w));
  detail::PutU32LE(out, static_cast<std::uint32_t>(h));
  detail::PutU16LE(out, 1);
  detail::PutU16LE(out, static_cast<unsigned>(bits));
  detail::PutU32LE(out, kRgb);
  detail::PutU32LE(out, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(h)));
  detail::PutU32LE(out, detail::PixelsPerMetreFromDpi(image.Dpi().x));
  detail::PutU32LE(out, detail::PixelsPerMetreFromDpi(image.Dpi().y));
  detail::PutU32LE(out, static_cast<std::uint32_t>(colours));
  detail::PutU32LE(out, 0);
  for (std::size_t i = 0; i < colours; ++i) {
    const Rgb c = detail::PaletteAt(image.Palette(), i);
    out.insert(out.end(), {c.b, c.g, c.r, 0});
  }
  std::vector<std::uint8_t> row(stride);
  for (int y = h - 1; y >= 0; --y) {
    if (bits == 24)
      std::copy(image.Row(y), image.Row(y) + row_bytes, row.begin());
    else
      detail::PackIndexes(image.Row(y), w, bits, row.data());
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace ocelot::imaging
