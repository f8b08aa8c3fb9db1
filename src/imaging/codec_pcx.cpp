// PCX reader and writer (ZSoft run-length encoding).
#include "imaging/codec_pcx.h"

#include <algorithm>
#include <optional>
#include <string>

#include "imaging/codec_util.h"

namespace ocelot::imaging {
namespace {

constexpr std::string_view kName = "PCX";
constexpr std::size_t kHeaderSize = 128;

// One scan line: `planes` runs of bytes_per_line bytes each, run-length or raw.
class LineReader {
 public:
  LineReader(std::span<const std::uint8_t> data, bool rle) : data_(data), rle_(rle) {}
  // Fills out; throws when the data ends first.
  void Read(std::vector<std::uint8_t>& out) {
    std::size_t i = 0;
    while (i < out.size()) {
      if (run_ > 0) {
        const std::size_t n = std::min<std::size_t>(run_, out.size() - i);
        std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(i), n, value_);
        i += n;
        run_ -= static_cast<unsigned>(n);
        continue;
      }
      if (pos_ >= data_.size()) detail::FailRead(kName, "the pixel data is truncated");
      const std::uint8_t b = data_[pos_++];
      if (rle_ && (b & 0xC0) == 0xC0) {
        run_ = b & 0x3Fu;
        if (pos_ >= data_.size()) detail::FailRead(kName, "the pixel data is truncated");
        value_ = data_[pos_++];
      } else {
        out[i++] = b;
      }
    }
  }

 private:
  std::span<const std::uint8_t> data_;
  bool rle_;
  std::size_t pos_ = 0;
  unsigned run_ = 0;  // a run may continue into the next line
  std::uint8_t value_ = 0;
};

void EncodeRun(std::vector<std::uint8_t>& out, const std::uint8_t* data, std::size_t n) {
  std::size_t i = 0;
  while (i < n) {
    std::size_t run = 1;
    while (i + run < n && run < 63 && data[i + run] == data[i]) ++run;
    if (run > 1 || (data[i] & 0xC0) == 0xC0) out.push_back(static_cast<std::uint8_t>(0xC0 | run));
    out.push_back(data[i]);
    i += run;
  }
}

Image Decode(std::span<const std::uint8_t> bytes, const ReadOptions& options, std::optional<PixelDimensions>& claimed) {
  if (bytes.size() < kHeaderSize || bytes[0] != 0x0A || bytes[2] > 1) detail::FailRead(kName, "no PCX header");
  detail::ByteReader r(bytes, kName);
  r.Seek(3);
  const int bpp = r.U8();
  const std::int64_t xmin = r.U16LE(), ymin = r.U16LE(), xmax = r.U16LE(), ymax = r.U16LE();
  const int hdpi = r.U16LE(), vdpi = r.U16LE();
  auto colour_map = r.Take(48);
  r.Seek(65);
  const int planes = r.U8();
  const std::size_t bytes_per_line = r.U16LE();
  const std::int64_t width = xmax - xmin + 1, height = ymax - ymin + 1;

  enum class Kind { Mono, Planar16, Packed, Rgb } kind;
  int bits = 0;
  if (bpp == 1 && planes == 1) {
    kind = Kind::Mono;
    bits = 1;
  } else if (bpp == 1 && (planes == 2 || planes == 3 || planes == 4)) {
    kind = Kind::Planar16;
    bits = planes;
  } else if ((bpp == 2 || bpp == 4 || bpp == 8) && planes == 1) {
    kind = Kind::Packed;
    bits = bpp;
  } else if (bpp == 8 && (planes == 3 || planes == 4)) {
    kind = Kind::Rgb;
    bits = 24;
  } else {
    detail::FailRead(kName, std::to_string(bpp) + " bits in " + std::to_string(planes) + " planes is not supported",
                     ErrorKind::Unsupported);
  }
  claimed = detail::CheckReadSize(kName, width, height, kind == Kind::Rgb ? 3 : 1, options);
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  if (bytes_per_line < (static_cast<std::size_t>(w) * static_cast<std::size_t>(bpp) + 7) / 8)
    detail::FailRead(kName, "the line length is shorter than the width");
  const bool rle = bytes[2] == 1;
  auto data = bytes.subspan(kHeaderSize);
  const std::size_t line_size = bytes_per_line * static_cast<std::size_t>(planes);
  // A two-byte run yields at most 63 bytes; raw data one byte per byte.
  detail::CheckCompressionBound(kName, static_cast<std::int64_t>(line_size), h, data.size(), rle ? 32 : 1);

  std::vector<Rgb> palette;
  if (kind == Kind::Mono) {
    palette = GrayPalette(PixelFormat::BlackWhite);
  } else if (kind == Kind::Packed && bpp == 8) {
    // 256 colours: 0x0C and 768 bytes at the end of the file; gray files have none.
    if (bytes.size() >= kHeaderSize + 769 && bytes[bytes.size() - 769] == 0x0C) {
      const std::uint8_t* p = bytes.data() + bytes.size() - 768;
      for (int i = 0; i < 256; ++i) palette.push_back(Rgb{p[3 * i], p[3 * i + 1], p[3 * i + 2]});
      data = data.first(data.size() - 769);
    } else {
      palette = GrayPalette(PixelFormat::Gray256);
    }
  } else if (kind != Kind::Rgb) {
    for (int i = 0; i < (1 << bits); ++i)
      palette.push_back(Rgb{colour_map[3 * i], colour_map[3 * i + 1], colour_map[3 * i + 2]});
  }
  const PixelFormat format = kind == Kind::Rgb ? PixelFormat::TrueColour
                                               : detail::IndexedFormatFor(bits == 8 ? 8 : bits <= 1 ? 1 : 4, palette);
  Image image(w, h, format);
  image.Palette() = palette;
  if (hdpi > 0) image.Dpi().x = hdpi;
  if (vdpi > 0) image.Dpi().y = vdpi;

  LineReader lines(data, rle);
  std::vector<std::uint8_t> line(line_size);
  for (int y = 0; y < h; ++y) {
    lines.Read(line);
    std::uint8_t* dst = image.Row(y);
    switch (kind) {
      case Kind::Mono:
      case Kind::Packed: detail::UnpackIndexes(line.data(), w, bpp, dst); break;
      case Kind::Planar16:
        for (int x = 0; x < w; ++x) {
          unsigned v = 0;
          for (int p = 0; p < planes; ++p)
            v |= ((line[static_cast<std::size_t>(p) * bytes_per_line + static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1u)
                 << p;
          dst[x] = static_cast<std::uint8_t>(v);
        }
        break;
      case Kind::Rgb:
        for (int x = 0; x < w; ++x, dst += 3) {
          dst[2] = line[static_cast<std::size_t>(x)];
          dst[1] = line[bytes_per_line + static_cast<std::size_t>(x)];
          dst[0] = line[2 * bytes_per_line + static_cast<std::size_t>(x)];
        }
        break;
    }
  }
  return image;
}

}  // namespace

Image DecodePcx(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
  return detail::GuardRead(kName, [&](std::optional<PixelDimensions>& claimed) { return Decode(bytes, options, claimed); });
}

std::vector<std::uint8_t> EncodePcx(const Image& image) {
  detail::CheckWritable(kName, image);
  const int w = image.Width(), h = image.Height();
  if (w > 65535 || h > 65535) detail::FailWrite(kName, "the image is larger than 65535 pixels", ErrorKind::Limit);
  const PixelFormat f = image.Format();
  const bool mono = f == PixelFormat::BlackWhite, sixteen = f == PixelFormat::Gray16 || f == PixelFormat::Colour16;
  const bool rgb = f == PixelFormat::TrueColour;
  const int bpp = mono || sixteen ? 1 : 8;
  const int planes = sixteen ? 4 : rgb ? 3 : 1;
  std::size_t bytes_per_line = (static_cast<std::size_t>(w) * static_cast<std::size_t>(bpp) + 7) / 8;
  bytes_per_line += bytes_per_line % 2;  // lines hold an even number of bytes

  std::vector<std::uint8_t> out(kHeaderSize, 0);
  out[0] = 0x0A;
  out[1] = 5;
  out[2] = 1;
  out[3] = static_cast<std::uint8_t>(bpp);
  auto put16 = [&out](std::size_t at, unsigned v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  put16(8, static_cast<unsigned>(w - 1));
  put16(10, static_cast<unsigned>(h - 1));
  put16(12, static_cast<unsigned>(std::clamp(image.Dpi().x, 0.0, 65535.0) + 0.5));
  put16(14, static_cast<unsigned>(std::clamp(image.Dpi().y, 0.0, 65535.0) + 0.5));
  if (mono || sixteen)
    for (std::size_t i = 0; i < 16; ++i) {
      const Rgb c = detail::PaletteAt(image.Palette(), i);
      out[16 + 3 * i] = c.r;
      out[17 + 3 * i] = c.g;
      out[18 + 3 * i] = c.b;
    }
  out[65] = static_cast<std::uint8_t>(planes);
  put16(66, static_cast<unsigned>(bytes_per_line));
  put16(68, IsGray(f) ? 2 : 1);

  std::vector<std::uint8_t> line(bytes_per_line * static_cast<std::size_t>(planes));
  for (int y = 0; y < h; ++y) {
    std::fill(line.begin(), line.end(), 0);
    const std::uint8_t* src = image.Row(y);
    if (rgb) {
      for (int x = 0; x < w; ++x) {
        line[static_cast<std::size_t>(x)] = src[3 * x + 2];
        line[bytes_per_line + static_cast<std::size_t>(x)] = src[3 * x + 1];
        line[2 * bytes_per_line + static_cast<std::size_t>(x)] = src[3 * x];
      }
    } else if (sixteen) {
      for (int x = 0; x < w; ++x)
        for (int p = 0; p < 4; ++p)
          if ((src[x] >> p) & 1)
            line[static_cast<std::size_t>(p) * bytes_per_line + static_cast<std::size_t>(x / 8)] |=
                static_cast<std::uint8_t>(0x80 >> (x % 8));
    } else {
      detail::PackIndexes(src, w, bpp, line.data());
    }
    for (int p = 0; p < planes; ++p) EncodeRun(out, line.data() + static_cast<std::size_t>(p) * bytes_per_line, bytes_per_line);
  }
  if (bpp == 8 && !rgb) {
    out.push_back(0x0C);
    for (std::size_t i = 0; i < 256; ++i) {
      const Rgb c = detail::PaletteAt(image.Palette(), i);
      out.insert(out.end(), {c.r, c.g, c.b});
    }
  }
  return out;
}

}  // namespace ocelot::imaging
