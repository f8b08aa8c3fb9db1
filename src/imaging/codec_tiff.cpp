// TIFF reader and writer through libtiff, on memory buffers. The formats we hold are read
// from the raw samples (so a 16-gray file stays 16 grays); everything else goes through
// libtiff's RGBA reader to true colour. libtiff's messages are caught per file, never printed.
#include "imaging/codec_tiff.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/codec_util.h"

namespace ocelot::imaging {
namespace {

constexpr std::string_view kName = "TIFF";

struct Memory {
  std::span<const std::uint8_t> in;
  std::vector<std::uint8_t>* out = nullptr;
  std::uint64_t pos = 0;
  char error[200] = "";
};

std::uint64_t MemorySize(const Memory& m) { return m.out != nullptr ? m.out->size() : m.in.size(); }

tmsize_t ReadProc(thandle_t h, void* buf, tmsize_t n) {
  auto* m = static_cast<Memory*>(h);
  const std::uint64_t size = MemorySize(*m);
  if (n <= 0 || m->pos >= size) return 0;
  const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(n), size - m->pos));
  const std::uint8_t* src = m->out != nullptr ? m->out->data() : m->in.data();
  std::memcpy(buf, src + m->pos, take);
  m->pos += take;
  return static_cast<tmsize_t>(take);
}

tmsize_t WriteProc(thandle_t h, void* buf, tmsize_t n) {
  auto* m = static_cast<Memory*>(h);
  if (m->out == nullptr || n < 0) return -1;
  try {
    const std::uint64_t end = m->pos + static_cast<std::uint64_t>(n);
    if (end > m->out->size()) m->out->resize(static_cast<std::size_t>(end));
  } catch (...) {  // libtiff is C: report the failed write instead of unwinding through it
    return -1;
  }
  std::memcpy(m->out->data() + m->pos, buf, static_cast<std::size_t>(n));
  m->pos += static_cast<std::uint64_t>(n);
  return n;
}

toff_t SeekProc(thandle_t h, toff_t off, int whence) {
  auto* m = static_cast<Memory*>(h);
  std::uint64_t base = whence == SEEK_CUR ? m->pos : whence == SEEK_END ? MemorySize(*m) : 0;
  m->pos = base + off;
  return m->pos;
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t h) { return MemorySize(*static_cast<Memory*>(h)); }
int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* user, const char* module, const char* fmt, va_list ap) {
  auto* m = static_cast<Memory*>(user);
  if (m->error[0] == '\0') {  // the first error says what went wrong; later ones follow from it
    char text[160];
    std::vsnprintf(text, sizeof text, fmt, ap);
    std::snprintf(m->error, sizeof m->error, "%s%s%s", module != nullptr ? module : "", module != nullptr ? ": " : "", text);
  }
  return 1;
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

class File {
 public:
  File(Memory& m, const char* mode, std::size_t max_alloc) {
    // Messages raised before a file handle exists go to the global handlers: silence them.
    static const bool silenced = [] {
      TIFFSetErrorHandler(nullptr);
      TIFFSetWarningHandler(nullptr);
      return true;
    }();
    (void)silenced;
    TIFFOpenOptions* opts = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(opts, static_cast<tmsize_t>(std::min<std::size_t>(max_alloc, PTRDIFF_MAX)));
    TIFFOpenOptionsSetErrorHandlerExtR(opts, OnError, &m);
    TIFFOpenOptionsSetWarningHandlerExtR(opts, OnWarning, &m);
    tif_ = TIFFClientOpenExt("image", mode, &m, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                             UnmapProc, opts);
    TIFFOpenOptionsFree(opts);
  }
  ~File() {
    if (tif_ != nullptr) TIFFClose(tif_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  TIFF* get() const { return tif_; }
  // Closing flushes what is still buffered.
  void Close() {
    TIFFClose(tif_);
    tif_ = nullptr;
  }

 private:
  TIFF* tif_ = nullptr;
};

std::string ErrorText(const Memory& m, const char* fallback) { return m.error[0] != '\0' ? m.error : fallback; }

// libtiff says what went wrong only in words: allocations refused (our limit or the
// system's) and codecs or layouts it lacks have their own.
ErrorKind KindOf(std::string_view text) {
  auto has = [text](std::string_view word) { return text.find(word) != std::string_view::npos; };
  if (has("allocat") || has("ut of memory")) return ErrorKind::Limit;
  if (has("not implemented") || has("not configured") || has("not supported") || has("Sorry")) return ErrorKind::Unsupported;
  return ErrorKind::Format;
}

[[noreturn]] void FailTiff(const Memory& m, const char* fallback) {
  const std::string text = ErrorText(m, fallback);
  detail::FailRead(kName, text, KindOf(text));
}

// Samples of the formats we keep, read row by row (strips) or tile by tile into packed rows.
std::vector<std::uint8_t> ReadPackedRows(TIFF* tif, const Memory& m, std::uint32_t w, std::uint32_t h,
                                         std::size_t scanline, std::uint64_t bits_per_pixel, std::uint64_t max_tile_bytes) {
  std::vector<std::uint8_t> rows(scanline * h);
  if (TIFFIsTiled(tif) == 0) {
    for (std::uint32_t y = 0; y < h; ++y)
      if (TIFFReadScanline(tif, rows.data() + scanline * y, y, 0) < 0)
        FailTiff(m, "cannot read the pixel data");
    return rows;
  }
  std::uint32_t tw = 0, th = 0;
  TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tw);
  TIFFGetField(tif, TIFFTAG_TILELENGTH, &th);
  const tmsize_t tile_size = TIFFTileSize(tif), tile_row = TIFFTileRowSize(tif);
  if (tw == 0 || th == 0 || tile_size <= 0 || tile_row <= 0) FailTiff(m, "invalid tile size");
  // A tile beyond what libtiff may allocate for this file is a lie we would allocate for.
  if (static_cast<std::uint64_t>(tile_size) > max_tile_bytes) detail::FailRead(kName, "the tiles are too large");
  std::vector<std::uint8_t> tile(static_cast<std::size_t>(tile_size));
  for (std::uint32_t ty = 0; ty < h; ty += th)
    for (std::uint32_t tx = 0; tx < w; tx += tw) {
      if (TIFFReadTile(tif, tile.data(), tx, ty, 0, 0) < 0)
        FailTiff(m, "cannot read a tile");
      const std::size_t offset = static_cast<std::size_t>(std::uint64_t{tx} * bits_per_pixel / 8);
      if (offset >= scanline) continue;
      const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(tile_row), scanline - offset);
      for (std::uint32_t y = 0; y < th && ty + y < h; ++y)
        std::memcpy(rows.data() + scanline * (ty + y) + offset, tile.data() + static_cast<std::size_t>(tile_row) * y, n);
    }
  return rows;
}

Image Decode(std::span<const std::uint8_t> bytes, const ReadOptions& options, std::optional<PixelDimensions>& claimed) {
  if (bytes.size() < 8 || !((bytes[0] == 'I' && bytes[1] == 'I') || (bytes[0] == 'M' && bytes[1] == 'M')))
    detail::FailRead(kName, "no TIFF signature");
  Memory m;
  m.in = bytes;
  // libtiff's own buffers (strips, tiles, tag arrays) are bounded by the pixel limit or the
  // file's size, whichever is larger.
  const std::size_t max_alloc =
      std::max(std::min(options.max_pixel_bytes, kMaxPixelBytes), bytes.size()) + (std::size_t{1} << 20);
  File file(m, "rm", max_alloc);
  TIFF* tif = file.get();
  if (tif == nullptr) FailTiff(m, "invalid header");
  std::uint32_t w = 0, h = 0;
  std::uint16_t bps = 1, spp = 1, photometric = 0, planar = PLANARCONFIG_CONTIG, unit = RESUNIT_INCH;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  const bool have_photometric = TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) != 0;
  claimed = detail::CheckReadSize(kName, w, h, 3, options);

  const bool contig = planar == PLANARCONFIG_CONTIG || spp == 1;
  const bool gray = have_photometric && (photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE) &&
                    spp == 1 && (bps == 1 || bps == 2 || bps == 4 || bps == 8 || bps == 16);
  const bool mapped = have_photometric && photometric == PHOTOMETRIC_PALETTE && spp == 1 &&
                      (bps == 1 || bps == 2 || bps == 4 || bps == 8);
  const bool rgb = have_photometric && photometric == PHOTOMETRIC_RGB && spp == 3 && bps == 8 && contig;
  Image image;
  if (gray || mapped || rgb) {
    const tmsize_t scanline = TIFFScanlineSize(tif);
    const std::size_t expected = (std::size_t{w} * spp * bps + 7) / 8;
    if (scanline <= 0 || static_cast<std::size_t>(scanline) != expected)
      FailTiff(m, "invalid line size");
    const auto rows = ReadPackedRows(tif, m, w, h, expected, std::uint64_t{spp} * bps, max_alloc);
    const int iw = static_cast<int>(w), ih = static_cast<int>(h);
    if (rgb) {
      image = Image(iw, ih, PixelFormat::TrueColour);
      for (int y = 0; y < ih; ++y) {
        const std::uint8_t* src = rows.data() + expected * static_cast<std::size_t>(y);
        std::uint8_t* dst = image.Row(y);
        for (int x = 0; x < iw; ++x, src += 3, dst += 3) {
          dst[0] = src[2];
          dst[1] = src[1];
          dst[2] = src[0];
        }
      }
    } else if (gray) {
      const bool white_is_zero = photometric == PHOTOMETRIC_MINISWHITE;
      const PixelFormat f = bps == 1 ? PixelFormat::BlackWhite : bps <= 4 ? PixelFormat::Gray16 : PixelFormat::Gray256;
      const int max = (1 << std::min<int>(bps, 8)) - 1;
      const int scale = bps == 2 ? 5 : 1;  // 2-bit levels are 16-gray levels 0, 5, 10, 15
      image = Image(iw, ih, f);
      std::vector<std::uint8_t> line(w);
      for (int y = 0; y < ih; ++y) {
        const std::uint8_t* src = rows.data() + expected * static_cast<std::size_t>(y);
        if (bps == 16) {
          for (int x = 0; x < iw; ++x) {
            std::uint16_t v;
            std::memcpy(&v, src + 2 * x, 2);  // libtiff gives native byte order
            line[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(v >> 8);
          }
        } else {
          detail::UnpackIndexes(src, iw, bps, line.data());
        }
        std::uint8_t* dst = image.Row(y);
        for (int x = 0; x < iw; ++x) {
          const int v = line[static_cast<std::size_t>(x)];
          dst[x] = static_cast<std::uint8_t>((white_is_zero ? max - v : v) * scale);
        }
      }
    } else {
      std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
      if (TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue) == 0 || red == nullptr)
        detail::FailRead(kName, "the colour map is missing");
      const std::size_t n = std::size_t{1} << bps;
      // Old writers stored 8-bit entries; 16-bit ones have values above 255 somewhere.
      bool wide = false;
      for (std::size_t i = 0; i < n; ++i) wide = wide || red[i] > 255 || green[i] > 255 || blue[i] > 255;
      auto level = [wide](std::uint16_t v) { return static_cast<std::uint8_t>(wide ? v >> 8 : v); };
      std::vector<Rgb> palette;
      for (std::size_t i = 0; i < n; ++i) palette.push_back(Rgb{level(red[i]), level(green[i]), level(blue[i])});
      image = Image(iw, ih, detail::IndexedFormatFor(bps, palette));
      image.Palette() = std::move(palette);
      for (int y = 0; y < ih; ++y)
        detail::UnpackIndexes(rows.data() + expected * static_cast<std::size_t>(y), iw, bps, image.Row(y));
    }
  } else {
    char message[1024] = "";
    if (TIFFRGBAImageOK(tif, message) == 0)
      detail::FailRead(kName, message[0] != '\0' ? message : "unsupported sample layout", ErrorKind::Unsupported);
    TIFFRGBAImage reader;
    if (TIFFRGBAImageBegin(&reader, tif, 0, message) == 0) {
      const std::string text = message[0] != '\0' ? message : ErrorText(m, "unsupported sample layout");
      detail::FailRead(kName, text, KindOf(text) == ErrorKind::Format ? ErrorKind::Unsupported : KindOf(text));
    }
    struct End {
      TIFFRGBAImage* r;
      ~End() { TIFFRGBAImageEnd(r); }
    } end{&reader};
    reader.req_orientation = ORIENTATION_TOPLEFT;
    image = Image(static_cast<int>(w), static_cast<int>(h), PixelFormat::TrueColour);
    // Rows per call: whole strips or tile rows, since libtiff decodes every strip a call
    // touches; at least 64 rows unless the image is wide. The buffer holds 4 bytes a pixel.
    claimed = detail::CheckReadSize(kName, w, h, 4, options);
    std::uint32_t unit = 0;
    if (TIFFIsTiled(tif) != 0)
      TIFFGetField(tif, TIFFTAG_TILELENGTH, &unit);
    else
      TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &unit);
    unit = std::clamp<std::uint32_t>(unit, 1, h);
    const std::uint64_t wanted = std::clamp<std::uint64_t>((std::uint64_t{1} << 22) / (std::uint64_t{w} * 4), 1, 64);
    const std::uint32_t kBand = static_cast<std::uint32_t>(std::min<std::uint64_t>(h, (wanted + unit - 1) / unit * unit));
    std::vector<std::uint32_t> band(std::size_t{w} * kBand);
    for (std::uint32_t y0 = 0; y0 < h; y0 += kBand) {
      const std::uint32_t rows = std::min(kBand, h - y0);
      reader.row_offset = static_cast<int>(y0);
      reader.col_offset = 0;
      if (TIFFRGBAImageGet(&reader, band.data(), w, rows) == 0)
        FailTiff(m, "cannot read the pixel data");
      for (std::uint32_t y = 0; y < rows; ++y) {
        const std::uint32_t* src = band.data() + std::size_t{w} * y;
        std::uint8_t* dst = image.Row(static_cast<int>(y0 + y));
        for (std::uint32_t x = 0; x < w; ++x, dst += 3) {
          // Premultiplied samples over white: c + (255 - a).
          const std::uint32_t px = src[x];
          const unsigned a = TIFFGetA(px);
          dst[0] = static_cast<std::uint8_t>(std::min(255u, TIFFGetB(px) + 255 - a));
          dst[1] = static_cast<std::uint8_t>(std::min(255u, TIFFGetG(px) + 255 - a));
          dst[2] = static_cast<std::uint8_t>(std::min(255u, TIFFGetR(px) + 255 - a));
        }
      }
    }
  }
  float xres = 0, yres = 0;
  TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
  if (unit != RESUNIT_NONE && TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xres) != 0 &&
      TIFFGetField(tif, TIFFTAG_YRESOLUTION, &yres) != 0 && xres > 0 && yres > 0 && xres < 1e6f && yres < 1e6f) {
    const double per_inch = unit == RESUNIT_CENTIMETER ? 2.54 : 1.0;
    image.Dpi().x = xres * per_inch;
    image.Dpi().y = yres * per_inch;
  }
  return image;
}

}  // namespace

Image DecodeTiff(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
  return detail::GuardRead(kName, [&](std::optional<PixelDimensions>& claimed) { return Decode(bytes, options, claimed); });
}

std::vector<std::uint8_t> EncodeTiff(const Image& image, const TiffWriteOptions& options) {
  detail::CheckWritable(kName, image);
  if (options.tile_size < 0 || options.tile_size % 16 != 0) detail::FailWrite(kName, "tile size must be a multiple of 16");
  const PixelFormat f = image.Format();
  const bool colour = f == PixelFormat::TrueColour;
  const bool gray = detail::HasStandardGrayPalette(image);
  const int bps = colour ? 8 : BitsPerPixel(f);
  const int spp = colour ? 3 : 1;
  const std::uint32_t w = static_cast<std::uint32_t>(image.Width()), h = static_cast<std::uint32_t>(image.Height());

  std::vector<std::uint8_t> out;
  Memory m;
  m.out = &out;
  File file(m, "w", kMaxPixelBytes);
  TIFF* tif = file.get();
  if (tif == nullptr) detail::FailWrite(kName, ErrorText(m, "cannot start the file"));
  std::uint16_t compression = COMPRESSION_NONE;
  switch (options.compression) {
    case TiffCompression::None: compression = COMPRESSION_NONE; break;
    case TiffCompression::Lzw: compression = COMPRESSION_LZW; break;
    case TiffCompression::Deflate: compression = COMPRESSION_ADOBE_DEFLATE; break;
    case TiffCompression::PackBits: compression = COMPRESSION_PACKBITS; break;
  }
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, static_cast<std::uint16_t>(bps));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, static_cast<std::uint16_t>(spp));
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
  const bool predict = (compression == COMPRESSION_LZW || compression == COMPRESSION_ADOBE_DEFLATE) && bps == 8 && (colour || gray);
  if (predict) TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, colour ? PHOTOMETRIC_RGB : gray ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_PALETTE);
  std::vector<std::uint16_t> map(colour || gray ? 0 : 3 * (std::size_t{1} << bps));
  if (!map.empty()) {
    const std::size_t n = map.size() / 3;
    for (std::size_t i = 0; i < n; ++i) {
      const Rgb c = detail::PaletteAt(image.Palette(), i);
      map[i] = static_cast<std::uint16_t>(c.r * 257);
      map[n + i] = static_cast<std::uint16_t>(c.g * 257);
      map[2 * n + i] = static_cast<std::uint16_t>(c.b * 257);
    }
    TIFFSetField(tif, TIFFTAG_COLORMAP, map.data(), map.data() + n, map.data() + 2 * n);
  }
  if (image.Dpi().x > 0 && image.Dpi().y > 0) {
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, static_cast<float>(image.Dpi().x));
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, static_cast<float>(image.Dpi().y));
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  }
  const std::size_t row_bytes = (std::size_t{w} * static_cast<std::size_t>(spp * bps) + 7) / 8;
  auto pack_row = [&](int y, std::uint8_t* dst) {
    const std::uint8_t* src = image.Row(y);
    if (colour) {
      for (std::uint32_t x = 0; x < w; ++x, src += 3, dst += 3) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
      }
    } else {
      detail::PackIndexes(src, static_cast<int>(w), bps, dst);
    }
  };
  std::vector<std::uint8_t> row(row_bytes);
  if (options.tile_size == 0) {
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
    for (std::uint32_t y = 0; y < h; ++y) {
      pack_row(static_cast<int>(y), row.data());
      if (TIFFWriteScanline(tif, row.data(), y, 0) < 0) detail::FailWrite(kName, ErrorText(m, "cannot write a row"));
    }
  } else {
    const auto ts = static_cast<std::uint32_t>(options.tile_size);
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, ts);
    TIFFSetField(tif, TIFFTAG_TILELENGTH, ts);
    const tmsize_t tile_row = TIFFTileRowSize(tif);
    if (tile_row <= 0) detail::FailWrite(kName, ErrorText(m, "invalid tile size"));
    std::vector<std::uint8_t> tile(static_cast<std::size_t>(tile_row) * ts);
    const std::size_t bits = static_cast<std::size_t>(spp * bps);
    for (std::uint32_t ty = 0; ty < h; ty += ts)
      for (std::uint32_t tx = 0; tx < w; tx += ts) {
        std::fill(tile.begin(), tile.end(), 0);
        const std::size_t offset = tx * bits / 8;
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(tile_row), row_bytes - offset);
        for (std::uint32_t y = 0; y < ts && ty + y < h; ++y) {
          pack_row(static_cast<int>(ty + y), row.data());
          std::memcpy(tile.data() + static_cast<std::size_t>(tile_row) * y, row.data() + offset, n);
        }
        if (TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0) < 0) detail::FailWrite(kName, ErrorText(m, "cannot write a tile"));
      }
  }
  if (TIFFWriteDirectory(tif) == 0) detail::FailWrite(kName, ErrorText(m, "cannot write the directory"));
  file.Close();
  if (m.error[0] != '\0') detail::FailWrite(kName, m.error);
  return out;
}

}  // namespace ocelot::imaging
