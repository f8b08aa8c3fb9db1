// Truevision Targa reader and writer.
#include "imaging/codec_tga.h"

#include <algorithm>
#include <optional>
#include <string>

#include "imaging/codec_util.h"

namespace ocelot::imaging {
namespace {

constexpr std::string_view kName = "TGA";

// File pixels one after another, raw or run-length packets (which may cross lines).
class PixelStream {
 public:
  PixelStream(detail::ByteReader& r, std::size_t pixel_bytes, bool rle) : r_(r), size_(pixel_bytes), rle_(rle) {}
  void Next(std::uint8_t* out) {
    if (!rle_) {
      auto p = r_.Take(size_);
      std::copy(p.begin(), p.end(), out);
      return;
    }
    if (left_ == 0) {
      const std::uint8_t header = r_.U8();
      left_ = (header & 0x7Fu) + 1;
      repeat_ = (header & 0x80) != 0;
      if (repeat_) {
        auto p = r_.Take(size_);
        std::copy(p.begin(), p.end(), value_);
      }
    }
    --left_;
    if (repeat_) {
      std::copy(value_, value_ + size_, out);
    } else {
      auto p = r_.Take(size_);
      std::copy(p.begin(), p.end(), out);
    }
  }

 private:
  detail::ByteReader& r_;
  std::size_t size_;
  bool rle_;
  unsigned left_ = 0;
  bool repeat_ = false;
  std::uint8_t value_[4] = {};
};

// A 15/16-bit pixel (A1 R5 G5 B5, little-endian) as blue, green, red.
void From16(const std::uint8_t* p, std::uint8_t* bgr) {
  const unsigned v = p[0] | p[1] << 8;
  auto scale = [](unsigned c) { return static_cast<std::uint8_t>((c << 3) | (c >> 2)); };
  bgr[0] = scale(v & 31);
  bgr[1] = scale((v >> 5) & 31);
  bgr[2] = scale((v >> 10) & 31);
}

Image Decode(std::span<const std::uint8_t> bytes, const ReadOptions& options, std::optional<PixelDimensions>& claimed) {
  detail::ByteReader r(bytes, kName);
  if (bytes.size() < 18) detail::FailRead(kName, "the header is truncated");
  const unsigned id_length = r.U8();
  const unsigned map_type = r.U8();
  const unsigned type = r.U8();
  const unsigned map_first = r.U16LE();
  const unsigned map_length = r.U16LE();
  const unsigned map_entry_bits = r.U8();
  r.Skip(4);
  const int width = r.U16LE(), height = r.U16LE();
  const unsigned bits = r.U8();
  const unsigned descriptor = r.U8();

  const bool rle = type >= 9;
  const unsigned base = rle ? type - 8 : type;
  // Types 32 and 33 (Huffman-coded) exist but are not read; anything else is not a TGA file.
  if (type == 32 || type == 33)
    detail::FailRead(kName, "image type " + std::to_string(type) + " is not supported", ErrorKind::Unsupported);
  if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11)
    detail::FailRead(kName, "invalid image type " + std::to_string(type));
  if (map_type > 1) detail::FailRead(kName, "invalid colour map type " + std::to_string(map_type));
  const bool ok_bits = (base == 1 && bits == 8) || (base == 2 && (bits == 15 || bits == 16 || bits == 24 || bits == 32)) ||
                       (base == 3 && (bits == 8 || bits == 16));
  const bool known_bits = bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
  if (!ok_bits)
    detail::FailRead(kName, std::to_string(bits) + " bits for image type " + std::to_string(type) + " is not supported",
                     known_bits ? ErrorKind::Unsupported : ErrorKind::Format);
  r.Skip(id_length);

  std::vector<Rgb> palette;
  if (map_type == 1) {
    const unsigned entry_bytes = (map_entry_bits + 7) / 8;
    if (entry_bytes < 2 || entry_bytes > 4) detail::FailRead(kName, "invalid colour map entry size");
    auto map = r.Take(std::size_t{map_length} * entry_bytes);
    if (base == 1) {
      // Pixel values index the map from its first entry number; entries beyond 255 are unreachable.
      palette.assign(std::min(256u, map_first + map_length), Rgb{});
      for (unsigned i = 0; i < map_length && map_first + i < 256; ++i) {
        const std::uint8_t* e = map.data() + std::size_t{i} * entry_bytes;
        std::uint8_t bgr[3];
        if (entry_bytes == 2)
          From16(e, bgr);
        else
          std::copy(e, e + 3, bgr);
        palette[map_first + i] = Rgb{bgr[2], bgr[1], bgr[0]};
      }
    }
  } else if (base == 1) {
    detail::FailRead(kName, "the colour map is missing");
  }

  const bool colour = base == 2;
  claimed = detail::CheckReadSize(kName, width, height, colour ? 3 : 1, options);
  const std::size_t pixel_bytes = (bits + 7) / 8;
  if (rle)
    detail::CheckCompressionBound(kName, width, height, r.Remaining(), 128);
  else if (std::uint64_t{pixel_bytes} * static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > r.Remaining())
    detail::FailRead(kName, "the pixel data is truncated");

  Image image(width, height, colour ? PixelFormat::TrueColour : PixelFormat::Gray256);
  PixelStream stream(r, pixel_bytes, rle);
  const bool top = (descriptor & 0x20) != 0, right_to_left = (descriptor & 0x10) != 0;
  std::uint8_t px[4];
  unsigned most = 0;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.Row(top ? y : height - 1 - y);
    for (int i = 0; i < width; ++i) {
      const int x = right_to_left ? width - 1 - i : i;
      stream.Next(px);
      if (colour) {
        std::uint8_t* dst = row + 3 * static_cast<std::size_t>(x);
        if (pixel_bytes == 2)
          From16(px, dst);
        else
          std::copy(px, px + 3, dst);
      } else {
        row[x] = px[0];
        most = std::max<unsigned>(most, px[0]);
      }
    }
  }
  if (base == 1) {
    // The colour count is the map's length (or the largest index used, if more).
    const std::size_t used = std::max<std::size_t>(palette.size(), most + 1);
    const int file_bits = used <= 2 ? 1 : used <= 16 ? 4 : 8;
    Image indexed(width, height, detail::IndexedFormatFor(file_bits, palette));
    std::copy(image.Pixels().begin(), image.Pixels().end(), indexed.Pixels().begin());
    indexed.Palette() = palette;
    return indexed;
  }
  return image;
}

}  // namespace

Image DecodeTga(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
  return detail::GuardRead(kName, [&](std::optional<PixelDimensions>& claimed) { return Decode(bytes, options, claimed); });
}

std::vector<std::uint8_t> EncodeTga(const Image& image) {
  detail::CheckWritable(kName, image);
  const int w = image.Width(), h = image.Height();
  if (w > 65535 || h > 65535) detail::FailWrite(kName, "the image is larger than 65535 pixels", ErrorKind::Limit);
  const PixelFormat f = image.Format();
  const bool colour = f == PixelFormat::TrueColour;
  const bool gray = f == PixelFormat::Gray256 && detail::HasStandardGrayPalette(image);
  const bool mapped = !colour && !gray;
  const std::size_t map_length = mapped ? std::max<std::size_t>(image.Palette().size(), 1) : 0;
  std::vector<std::uint8_t> out;
  detail::PutU8(out, 0);
  detail::PutU8(out, mapped ? 1 : 0);
  detail::PutU8(out, colour ? 2 : gray ? 3 : 1);
  detail::PutU16LE(out, 0);
  detail::PutU16LE(out, static_cast<unsigned>(map_length));
  detail::PutU8(out, mapped ? 24 : 0);
  detail::PutU16LE(out, 0);
  detail::PutU16LE(out, 0);
  detail::PutU16LE(out, static_cast<unsigned>(w));
  detail::PutU16LE(out, static_cast<unsigned>(h));
  detail::PutU8(out, colour ? 24 : 8);
  detail::PutU8(out, 0);  // bottom-left origin, no alpha bits
  for (std::size_t i = 0; i < map_length; ++i) {
    const Rgb c = detail::PaletteAt(image.Palette(), i);
    out.insert(out.end(), {c.b, c.g, c.r});
  }
  for (int y = h - 1; y >= 0; --y) out.insert(out.end(), image.Row(y), image.Row(y) + image.Stride());
  return out;
}

}  // namespace ocelot::imaging
