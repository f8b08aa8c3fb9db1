// PNG reader and writer through libpng. libpng reports errors by longjmp, so every libpng
// call runs inside a small protected function that holds no C++ object with a destructor;
// buffers are made between those calls and the error text is turned into Error afterwards.
// A file that ends early decodes as far as its rows go; the rest of the image is mid-grey
// (in indexed images the palette entry nearest to it). An interlaced file shows the
// passes that arrived.
#include "imaging/codec_png.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>

#include "imaging/codec_util.h"

namespace ocelot::imaging {
namespace {

constexpr std::string_view kName = "PNG";

struct Io {
  std::span<const std::uint8_t> in;
  std::size_t pos = 0;
  std::vector<std::uint8_t>* out = nullptr;
  char error[160] = "";
  bool data_ended = false;
};

void OnError(png_structp png, png_const_charp message) {
  auto* io = static_cast<Io*>(png_get_error_ptr(png));
  std::snprintf(io->error, sizeof io->error, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadData(png_structp png, png_bytep data, png_size_t n) {
  auto* io = static_cast<Io*>(png_get_io_ptr(png));
  if (n > io->in.size() - io->pos) {
    io->data_ended = true;
    png_error(png, "the file is truncated");
  }
  std::memcpy(data, io->in.data() + io->pos, n);
  io->pos += n;
}

void WriteData(png_structp png, png_bytep data, png_size_t n) {
  auto* io = static_cast<Io*>(png_get_io_ptr(png));
  bool ok = true;
  try {
    io->out->insert(io->out->end(), data, data + n);
  } catch (...) {  // no exception may cross libpng's C frames
    ok = false;
  }
  if (!ok) png_error(png, "out of memory");
}

void FlushData(png_structp) {}

// What the reader learns from the header, after the transforms are set.
struct Header {
  png_uint_32 width = 0, height = 0;
  int bit_depth = 0, colour_type = 0, file_channels = 0, channels = 0;
  png_size_t row_bytes = 0;
  Rgb palette[256];
  int palette_size = 0;
  png_uint_32 ppm_x = 0, ppm_y = 0;
  bool metres = false;
  int passes = 1;
};

class ReadStruct {
 public:
  explicit ReadStruct(Io& io) {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
    if (png_ != nullptr) png_set_read_fn(png_, &io, ReadData);
    if (png_ != nullptr) {
      // Sizes are ours to judge (CheckReadSize), not libpng's default million-pixel sides.
      png_set_user_limits(png_, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
      // Compressed data is read in small pieces, so a file that ends early loses little.
      png_set_compression_buffer_size(png_, 1024);
    }
  }
  ~ReadStruct() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }
  ReadStruct(const ReadStruct&) = delete;
  ReadStruct& operator=(const ReadStruct&) = delete;
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

bool ReadHeader(png_structp png, png_infop info, Header& h) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  h.width = png_get_image_width(png, info);
  h.height = png_get_image_height(png, info);
  h.bit_depth = png_get_bit_depth(png, info);
  h.colour_type = png_get_color_type(png, info);
  h.file_channels = png_get_channels(png, info);
  png_uint_32 ppm_x = 0, ppm_y = 0;
  int unit = 0;
  if (png_get_pHYs(png, info, &ppm_x, &ppm_y, &unit) != 0 && unit == PNG_RESOLUTION_METER) {
    h.ppm_x = ppm_x;
    h.ppm_y = ppm_y;
    h.metres = true;
  }
  if (h.colour_type == PNG_COLOR_TYPE_PALETTE) {
    png_colorp plte = nullptr;
    int n = 0;
    if (png_get_PLTE(png, info, &plte, &n) == 0) png_error(png, "the palette is missing");
    png_bytep alpha = nullptr;
    int n_alpha = 0;
    png_color_16p unused = nullptr;
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) png_get_tRNS(png, info, &alpha, &n_alpha, &unused);
    h.palette_size = std::min(n, 256);
    for (int i = 0; i < h.palette_size; ++i) {
      const unsigned a = i < n_alpha ? alpha[i] : 255;
      auto over_white = [a](unsigned c) { return static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255); };
      h.palette[i] = Rgb{over_white(plte[i].red), over_white(plte[i].green), over_white(plte[i].blue)};
    }
  } else if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
    png_set_tRNS_to_alpha(png);  // a transparent gray or colour value becomes alpha
  }
  if (h.bit_depth == 16) png_set_scale_16(png);
  if (h.bit_depth < 8) png_set_packing(png);
  png_set_bgr(png);
  h.passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  h.channels = png_get_channels(png, info);
  h.colour_type = png_get_color_type(png, info);
  h.row_bytes = png_get_rowbytes(png, info);
  return true;
}

// Reads every pass into the rows, as png_read_image does, counting the rows done.
struct RowProgress {
  std::uint64_t rows_read = 0;
};

bool ReadRows(png_structp png, const Header& h, std::uint8_t* buffer, RowProgress* progress) {
  if (setjmp(png_jmpbuf(png))) return false;
  for (int pass = 0; pass < h.passes; ++pass)
    for (png_uint_32 y = 0; y < h.height; ++y) {
      png_read_row(png, buffer + h.row_bytes * y, nullptr);
      ++progress->rows_read;
    }
  return true;
}

// The Adam7 pass (0 to 6) that carries pixel (x, y) of an interlaced image.
int Adam7Pass(std::uint32_t x, std::uint32_t y) {
  static constexpr std::uint8_t kPass[8][8] = {
      {0, 5, 3, 5, 1, 5, 3, 5}, {6, 6, 6, 6, 6, 6, 6, 6}, {4, 5, 4, 5, 4, 5, 4, 5}, {6, 6, 6, 6, 6, 6, 6, 6},
      {2, 5, 3, 5, 2, 5, 3, 5}, {6, 6, 6, 6, 6, 6, 6, 6}, {4, 5, 4, 5, 4, 5, 4, 5}, {6, 6, 6, 6, 6, 6, 6, 6},
  };
  return kPass[y & 7][x & 7];
}

// Fills the pixels no finished row delivered, in the layout of libpng's output rows: the
// rows of the pass the data ended in from there on, and all later passes.
void FillMissing(const Header& h, std::uint64_t rows_read, std::uint8_t* buffer) {
  std::uint8_t pixel[4] = {128, 128, 128, 255};
  if (h.colour_type == PNG_COLOR_TYPE_PALETTE) {
    int best = 0, best_distance = INT32_MAX;
    for (int i = 0; i < h.palette_size; ++i) {
      const Rgb c = h.palette[i];
      const int d = (c.r - 128) * (c.r - 128) + (c.g - 128) * (c.g - 128) + (c.b - 128) * (c.b - 128);
      if (d < best_distance) {
        best = i;
        best_distance = d;
      }
    }
    pixel[0] = static_cast<std::uint8_t>(best);
  } else if (h.colour_type == PNG_COLOR_TYPE_GRAY) {
    const int max = (1 << std::min(h.bit_depth, 8)) - 1;  // unpacked levels keep their bit depth
    pixel[0] = static_cast<std::uint8_t>((128 * max + 127) / 255);
  } else if (h.colour_type == PNG_COLOR_TYPE_GRAY_ALPHA) {
    pixel[1] = 255;  // expanded to 8 bits
  }
  const auto channels = static_cast<std::size_t>(h.channels);
  const std::uint64_t pass_reached = rows_read / h.height, row_reached = rows_read % h.height;
  for (std::uint32_t y = 0; y < h.height; ++y) {
    std::uint8_t* p = buffer + h.row_bytes * y;
    for (std::uint32_t x = 0; x < h.width; ++x, p += channels) {
      const std::uint64_t pass = h.passes == 1 ? 0 : static_cast<std::uint64_t>(Adam7Pass(x, y));
      const bool delivered = pass < pass_reached || (pass == pass_reached && y < row_reached);
      if (!delivered) std::copy_n(pixel, channels, p);
    }
  }
}

std::uint8_t OverWhite(unsigned c, unsigned a) { return static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255); }

// libpng's failures are of the data, except when its memory runs out.
[[noreturn]] void FailLibpng(const Io& io) {
  const bool memory = std::strstr(io.error, "memory") != nullptr || std::strstr(io.error, "Memory") != nullptr;
  detail::FailRead(kName, io.error, memory ? ErrorKind::Limit : ErrorKind::Format);
}

// The size the IHDR chunk claims, when it is whole and its CRC holds, so that a size beyond
// the limit is reported as such before libpng allocates anything for it.
std::optional<PixelDimensions> ClaimedSize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 33 || std::memcmp(bytes.data() + 8, "\0\0\0\x0dIHDR", 8) != 0) return std::nullopt;
  auto be32 = [&](std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
           bytes[at + 3];
  };
  if (crc32(0, bytes.data() + 12, 17) != be32(29)) return std::nullopt;
  const std::uint32_t w = be32(16), h = be32(20);
  if (w == 0 || h == 0 || w > PNG_UINT_31_MAX || h > PNG_UINT_31_MAX) return std::nullopt;
  return PixelDimensions{w, h};
}

Image Decode(std::span<const std::uint8_t> bytes, const ReadOptions& options, std::optional<PixelDimensions>& claimed) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) detail::FailRead(kName, "no PNG signature");
  if (const auto size = ClaimedSize(bytes)) claimed = detail::CheckReadSize(kName, size->width, size->height, 1, options);
  Io io;
  io.in = bytes;
  ReadStruct rs(io);
  if (rs.png() == nullptr || rs.info() == nullptr) detail::FailRead(kName, "out of memory", ErrorKind::Limit);
  Header h;
  if (!ReadHeader(rs.png(), rs.info(), h)) FailLibpng(io);
  claimed = detail::CheckReadSize(kName, h.width, h.height, std::max(h.channels, 1), options);
  // Deflate turns one byte into at most 1032; the filtered rows cannot be larger than that.
  const std::uint64_t raw = (static_cast<std::uint64_t>(h.width) * static_cast<unsigned>(h.file_channels) *
                                 static_cast<unsigned>(h.bit_depth) + 7) / 8 + 1;
  detail::CheckCompressionBound(kName, static_cast<std::int64_t>(raw), h.height, bytes.size(), 1032);

  const int w = static_cast<int>(h.width), hh = static_cast<int>(h.height);
  std::vector<std::uint8_t> buffer(h.row_bytes * h.height);
  RowProgress progress;
  if (!ReadRows(rs.png(), h, buffer.data(), &progress)) {
    // Row 0 of the first pass holds pixels in every image; without it there is nothing to show.
    if (!io.data_ended || progress.rows_read == 0) FailLibpng(io);
    FillMissing(h, progress.rows_read, buffer.data());
  }
  auto row = [&](int y) { return buffer.data() + h.row_bytes * static_cast<std::size_t>(y); };

  Image image;
  if (h.colour_type == PNG_COLOR_TYPE_PALETTE) {
    std::vector<Rgb> palette(h.palette, h.palette + h.palette_size);
    image = Image(w, hh, detail::IndexedFormatFor(h.bit_depth, palette));
    image.Palette() = std::move(palette);
    for (int y = 0; y < hh; ++y) std::copy_n(row(y), w, image.Row(y));
  } else if (h.colour_type == PNG_COLOR_TYPE_GRAY) {
    const PixelFormat f = h.bit_depth == 1 ? PixelFormat::BlackWhite : h.bit_depth <= 4 ? PixelFormat::Gray16 : PixelFormat::Gray256;
    const int scale = h.bit_depth == 2 ? 5 : 1;  // 2-bit levels 0..3 are 16-gray levels 0, 5, 10, 15
    image = Image(w, hh, f);
    for (int y = 0; y < hh; ++y) {
      const std::uint8_t* src = row(y);
      std::uint8_t* dst = image.Row(y);
      for (int x = 0; x < w; ++x) dst[x] = static_cast<std::uint8_t>(src[x] * scale);
    }
  } else if (h.colour_type == PNG_COLOR_TYPE_GRAY_ALPHA) {
    image = Image(w, hh, PixelFormat::Gray256);
    for (int y = 0; y < hh; ++y) {
      const std::uint8_t* src = row(y);
      std::uint8_t* dst = image.Row(y);
      for (int x = 0; x < w; ++x) dst[x] = OverWhite(src[2 * x], src[2 * x + 1]);
    }
  } else {
    image = Image(w, hh, PixelFormat::TrueColour);
    const bool alpha = h.channels == 4;
    for (int y = 0; y < hh; ++y) {
      const std::uint8_t* src = row(y);
      std::uint8_t* dst = image.Row(y);
      if (!alpha) {
        std::copy_n(src, 3 * static_cast<std::size_t>(w), dst);
        continue;
      }
      for (int x = 0; x < w; ++x, src += 4, dst += 3) {
        dst[0] = OverWhite(src[0], src[3]);
        dst[1] = OverWhite(src[1], src[3]);
        dst[2] = OverWhite(src[2], src[3]);
      }
    }
  }
  if (h.metres) {
    image.Dpi().x = detail::DpiFromPixelsPerMetre(h.ppm_x);
    image.Dpi().y = detail::DpiFromPixelsPerMetre(h.ppm_y);
  }
  return image;
}

}  // namespace

Image DecodePng(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
  return detail::GuardRead(kName, [&](std::optional<PixelDimensions>& claimed) { return Decode(bytes, options, claimed); });
}

namespace {

class WriteStruct {
 public:
  explicit WriteStruct(Io& io) {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
    if (png_ != nullptr) png_set_write_fn(png_, &io, WriteData, FlushData);
  }
  ~WriteStruct() { png_destroy_write_struct(&png_, info_ != nullptr ? &info_ : nullptr); }
  WriteStruct(const WriteStruct&) = delete;
  WriteStruct& operator=(const WriteStruct&) = delete;
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

struct WritePlan {
  png_uint_32 width, height;
  int bit_depth, colour_type;
  png_color palette[256];
  int palette_size;
  png_uint_32 ppm_x, ppm_y;
};

bool WriteHeader(png_structp png, png_infop info, const WritePlan& p) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, p.width, p.height, p.bit_depth, p.colour_type, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (p.colour_type == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, p.palette, p.palette_size);
  if (p.ppm_x != 0 && p.ppm_y != 0) png_set_pHYs(png, info, p.ppm_x, p.ppm_y, PNG_RESOLUTION_METER);
  // Level 3 with the Sub and Paeth filters: on photographs as small as level 6 with all
  // filters tried, at under a third of the time.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB | PNG_FILTER_PAETH);
  png_set_compression_level(png, 3);
  png_write_info(png, info);
  if (p.colour_type == PNG_COLOR_TYPE_RGB) png_set_bgr(png);
  return true;
}

bool WriteRow(png_structp png, png_const_bytep row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_write_row(png, row);
  return true;
}

bool WriteEnd(png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_write_end(png, info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Image& image) {
  detail::CheckWritable(kName, image);
  const PixelFormat f = image.Format();
  WritePlan plan{};
  plan.width = static_cast<png_uint_32>(image.Width());
  plan.height = static_cast<png_uint_32>(image.Height());
  plan.bit_depth = f == PixelFormat::TrueColour ? 8 : BitsPerPixel(f);
  const bool gray = detail::HasStandardGrayPalette(image);
  plan.colour_type = f == PixelFormat::TrueColour ? PNG_COLOR_TYPE_RGB : gray ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_PALETTE;
  if (plan.colour_type == PNG_COLOR_TYPE_PALETTE) {
    // Every index in the pixels must name a palette entry.
    std::size_t n = std::max<std::size_t>(image.Palette().size(), 1);
    const std::size_t capacity = static_cast<std::size_t>(PaletteCapacity(f));
    for (std::uint8_t v : image.Pixels()) n = std::max<std::size_t>(n, std::min<std::size_t>(v, capacity - 1) + 1);
    plan.palette_size = static_cast<int>(n);
    for (std::size_t i = 0; i < n; ++i) {
      const Rgb c = detail::PaletteAt(image.Palette(), i);
      plan.palette[i] = png_color{c.r, c.g, c.b};
    }
  }
  plan.ppm_x = detail::PixelsPerMetreFromDpi(image.Dpi().x);
  plan.ppm_y = detail::PixelsPerMetreFromDpi(image.Dpi().y);

  std::vector<std::uint8_t> out;
  Io io;
  io.out = &out;
  WriteStruct ws(io);
  if (ws.png() == nullptr || ws.info() == nullptr) detail::FailWrite(kName, "out of memory", ErrorKind::Limit);
  if (!WriteHeader(ws.png(), ws.info(), plan)) detail::FailWrite(kName, io.error);
  std::vector<std::uint8_t> row(image.Stride());
  for (int y = 0; y < image.Height(); ++y) {
    const std::uint8_t* src = image.Row(y);
    if (plan.bit_depth < 8) {
      detail::PackIndexes(src, image.Width(), plan.bit_depth, row.data());
      src = row.data();
    }
    if (!WriteRow(ws.png(), src)) detail::FailWrite(kName, io.error);
  }
  if (!WriteEnd(ws.png(), ws.info())) detail::FailWrite(kName, io.error);
  return out;
}

}  // namespace ocelot::imaging
