// Hand-built image files for the decoder tests and the fuzzing seeds.
#include "codec_fixtures.h"

#include <gif_lib.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace ocelot::imaging::fixtures {
namespace {

using Bytes = std::vector<std::uint8_t>;

void U8(Bytes& b, unsigned v) { b.push_back(static_cast<std::uint8_t>(v)); }
void U16(Bytes& b, unsigned v) {
  U8(b, v & 255);
  U8(b, (v >> 8) & 255);
}
void U32(Bytes& b, std::uint32_t v) {
  U16(b, v & 0xFFFF);
  U16(b, v >> 16);
}
void U32BE(Bytes& b, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) U8(b, (v >> s) & 255);
}

Rgb Colour(const Image& img, int x, int y) { return img.PixelColour(x, y); }

void SetBgr(Image& img, int x, int y, Rgb c) {
  std::uint8_t* p = img.Row(y) + 3 * x;
  p[0] = c.b;
  p[1] = c.g;
  p[2] = c.r;
}

// Scales a channel of `bits` bits to 8 as the readers must: v * 255 / max, rounded.
std::uint8_t Scale(std::uint32_t v, int bits) {
  const std::uint32_t max = (1u << bits) - 1;
  return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
}

Bytes RleBmpRows(const Image& img, int bits) {
  Bytes out;
  const int w = img.Width();
  for (int y = img.Height() - 1; y >= 0; --y) {
    const std::uint8_t* row = img.Row(y);
    int x = 0;
    while (x < w) {
      int run = 1;
      while (x + run < w && run < 255 && row[x + run] == row[x]) ++run;
      if (run >= 2) {
        U8(out, static_cast<unsigned>(run));
        U8(out, bits == 8 ? row[x] : (row[x] << 4 | row[x]));
        x += run;
        continue;
      }
      // Absolute run: distinct neighbours, at least three of them.
      int n = 1;
      while (x + n < w && n < 255 && (x + n + 1 >= w || row[x + n] != row[x + n + 1])) ++n;
      if (n < 3) {
        U8(out, 1);
        U8(out, bits == 8 ? row[x] : row[x] << 4);
        ++x;
        continue;
      }
      U8(out, 0);
      U8(out, static_cast<unsigned>(n));
      Bytes data;
      if (bits == 8) {
        data.assign(row + x, row + x + n);
      } else {
        for (int i = 0; i < n; i += 2) U8(data, row[x + i] << 4 | (i + 1 < n ? row[x + i + 1] : 0));
      }
      if (data.size() % 2 != 0) data.push_back(0);
      out.insert(out.end(), data.begin(), data.end());
      x += n;
    }
    U8(out, 0);
    U8(out, y == 0 ? 1 : 0);  // end of line, or end of bitmap after the last
  }
  return out;
}

Bytes Zlib(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  if (compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size())) != Z_OK) throw std::runtime_error("zlib");
  out.resize(size);
  return out;
}

void PngChunk(Bytes& png, const char* type, const Bytes& data) {
  U32BE(png, static_cast<std::uint32_t>(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  png.insert(png.end(), body.begin(), body.end());
  U32BE(png, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

struct PngChunkSpec {
  const char* type;
  Bytes data;
};

// raw: the filtered rows (every pass of an interlaced image, in order) before compression.
Bytes PngFromRaw(std::uint32_t w, std::uint32_t h, int depth, int colour_type, bool interlaced, const Bytes& raw,
                 const std::vector<PngChunkSpec>& extra) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  U32BE(ihdr, w);
  U32BE(ihdr, h);
  ihdr.insert(ihdr.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colour_type), 0, 0,
                           static_cast<std::uint8_t>(interlaced ? 1 : 0)});
  PngChunk(png, "IHDR", ihdr);
  for (const auto& c : extra) PngChunk(png, c.type, c.data);
  PngChunk(png, "IDAT", Zlib(raw));
  PngChunk(png, "IEND", {});
  return png;
}

// rows: packed samples of each row, without the filter byte.
Bytes Png(int w, int h, int depth, int colour_type, const std::vector<Bytes>& rows, const std::vector<PngChunkSpec>& extra) {
  Bytes raw;
  for (const auto& r : rows) {
    raw.push_back(0);
    raw.insert(raw.end(), r.begin(), r.end());
  }
  return PngFromRaw(static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h), depth, colour_type, false, raw, extra);
}

std::uint8_t OverWhite(unsigned c, unsigned a) { return static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255); }

// TGA run-length packets over the whole pixel stream (so packets cross lines).
Bytes TgaRle(const Bytes& pixels, std::size_t size) {
  Bytes out;
  const std::size_t n = pixels.size() / size;
  auto same = [&](std::size_t a, std::size_t b) {
    return std::equal(pixels.begin() + static_cast<std::ptrdiff_t>(a * size),
                      pixels.begin() + static_cast<std::ptrdiff_t>((a + 1) * size),
                      pixels.begin() + static_cast<std::ptrdiff_t>(b * size));
  };
  std::size_t i = 0;
  while (i < n) {
    std::size_t run = 1;
    while (i + run < n && run < 128 && same(i, i + run)) ++run;
    if (run >= 2) {
      U8(out, 0x80 | static_cast<unsigned>(run - 1));
      out.insert(out.end(), pixels.begin() + static_cast<std::ptrdiff_t>(i * size),
                 pixels.begin() + static_cast<std::ptrdiff_t>((i + 1) * size));
      i += run;
      continue;
    }
    std::size_t raw = 1;
    while (i + raw < n && raw < 128 && !(i + raw + 1 < n && same(i + raw, i + raw + 1))) ++raw;
    U8(out, static_cast<unsigned>(raw - 1));
    out.insert(out.end(), pixels.begin() + static_cast<std::ptrdiff_t>(i * size),
               pixels.begin() + static_cast<std::ptrdiff_t>((i + raw) * size));
    i += raw;
  }
  return out;
}

// A little-endian TIFF with one uncompressed strip per plane.
struct TiffEntry {
  std::uint16_t tag, type;
  std::vector<std::uint32_t> values;  // SHORT or LONG values; RATIONAL as numerator, denominator
};

Bytes Tiff(std::vector<TiffEntry> entries, const std::vector<Bytes>& planes) {
  Bytes out = {'I', 'I', 42, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> offsets, counts;
  for (const auto& p : planes) {
    offsets.push_back(static_cast<std::uint32_t>(out.size()));
    counts.push_back(static_cast<std::uint32_t>(p.size()));
    out.insert(out.end(), p.begin(), p.end());
  }
  entries.push_back({273, 4, offsets});
  entries.push_back({279, 4, counts});
  std::sort(entries.begin(), entries.end(), [](const TiffEntry& a, const TiffEntry& b) { return a.tag < b.tag; });
  // Values that do not fit the entry go before the directory.
  std::vector<std::uint32_t> value_at(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& e = entries[i];
    const std::size_t unit = e.type == 3 ? 2 : 4;
    const std::size_t bytes = e.type == 5 ? 8 * (e.values.size() / 2) : unit * e.values.size();
    if (bytes <= 4) continue;
    if (out.size() % 2 != 0) out.push_back(0);
    value_at[i] = static_cast<std::uint32_t>(out.size());
    for (std::uint32_t v : e.values) e.type == 3 ? U16(out, v) : U32(out, v);
  }
  if (out.size() % 2 != 0) out.push_back(0);
  const auto ifd = static_cast<std::uint32_t>(out.size());
  std::memcpy(out.data() + 4, &ifd, 4);  // the tests run on little-endian machines only
  U16(out, static_cast<unsigned>(entries.size()));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& e = entries[i];
    U16(out, e.tag);
    U16(out, e.type);
    U32(out, static_cast<std::uint32_t>(e.type == 5 ? e.values.size() / 2 : e.values.size()));
    const std::size_t unit = e.type == 3 ? 2 : 4;
    if (e.type != 5 && unit * e.values.size() <= 4) {
      Bytes v;
      for (std::uint32_t x : e.values) e.type == 3 ? U16(v, x) : U32(v, x);
      v.resize(4, 0);
      out.insert(out.end(), v.begin(), v.end());
    } else {
      U32(out, value_at[i]);
    }
  }
  U32(out, 0);
  return out;
}

}  // namespace

Image Pattern(int width, int height, PixelFormat format) {
  Image img(width, height, format);
  if (format == PixelFormat::TrueColour) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        SetBgr(img, x, y,
               Rgb{static_cast<std::uint8_t>(x * x + y * 3), static_cast<std::uint8_t>(x * 5 + y * 29),
                   static_cast<std::uint8_t>(x * 37 + y * 11)});
    return img;
  }
  const int n = PaletteCapacity(format);
  if (format == PixelFormat::Colour16 || format == PixelFormat::Colour256) {
    img.Palette().clear();
    for (int i = 0; i < n; ++i)
      img.Palette().push_back(Rgb{static_cast<std::uint8_t>(i * 256 / n), static_cast<std::uint8_t>(255 - i * 256 / n),
                                  static_cast<std::uint8_t>(i * 77 + 3)});
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) img.Row(y)[x] = static_cast<std::uint8_t>((x + 3 * y) % n);
  return img;
}

Fixture Bmp(const std::string& name, const Image& image, int header_size, int bits, int compression, bool top_down,
            std::uint32_t red_mask, std::uint32_t green_mask, std::uint32_t blue_mask) {
  const int w = image.Width(), h = image.Height();
  Image expected = image;
  const bool masks = compression == 3;
  if (bits == 16 && !masks) {
    red_mask = 0x7C00;
    green_mask = 0x03E0;
    blue_mask = 0x001F;
  } else if (bits == 32 && !masks) {
    red_mask = 0xFF0000;
    green_mask = 0xFF00;
    blue_mask = 0xFF;
  }
  auto field = [](std::uint32_t mask, std::uint8_t c) {
    // The colour's top bits placed under the mask.
    int shift = 0, count = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    while (((mask >> (shift + count)) & 1) != 0) ++count;
    return std::pair{static_cast<std::uint32_t>(c >> (8 - count)) << shift, Scale(c >> (8 - count), count)};
  };
  Bytes pixels;
  if (compression == 1 || compression == 2) {
    pixels = RleBmpRows(image, bits);
  } else {
    const std::size_t stride = (static_cast<std::size_t>(w) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
    for (int i = 0; i < h; ++i) {
      const int y = top_down ? i : h - 1 - i;
      Bytes row;
      if (bits <= 8) {
        for (int x = 0; x < w; x += 8 / bits) {
          unsigned v = 0;
          for (int k = 0; k < 8 / bits; ++k)
            v = v << bits | (x + k < w ? image.Row(y)[x + k] : 0u);
          U8(row, v);
        }
      } else if (bits == 24) {
        row.assign(image.Row(y), image.Row(y) + 3 * w);
      } else {
        for (int x = 0; x < w; ++x) {
          const Rgb c = Colour(image, x, y);
          const auto [r, er] = field(red_mask, c.r);
          const auto [g, eg] = field(green_mask, c.g);
          const auto [b, eb] = field(blue_mask, c.b);
          const std::uint32_t px = r | g | b;
          bits == 16 ? U16(row, px) : U32(row, px);
          SetBgr(expected, x, y, Rgb{er, eg, eb});
        }
      }
      row.resize(stride, 0);
      pixels.insert(pixels.end(), row.begin(), row.end());
    }
  }
  Bytes info;
  const std::size_t colours = bits <= 8 ? image.Palette().size() : 0;
  if (header_size == 12) {
    U32(info, 12);
    U16(info, static_cast<unsigned>(w));
    U16(info, static_cast<unsigned>(h));
    U16(info, 1);
    U16(info, static_cast<unsigned>(bits));
  } else {
    U32(info, static_cast<std::uint32_t>(header_size));
    U32(info, static_cast<std::uint32_t>(w));
    U32(info, static_cast<std::uint32_t>(top_down ? -h : h));
    U16(info, 1);
    U16(info, static_cast<unsigned>(bits));
    U32(info, static_cast<std::uint32_t>(compression));
    U32(info, static_cast<std::uint32_t>(pixels.size()));
    U32(info, 2835);  // 72 dpi
    U32(info, 2835);
    U32(info, static_cast<std::uint32_t>(colours));
    U32(info, 0);
    if (header_size > 40 || masks) {  // masks follow a plain header, or are part of a longer one
      U32(info, red_mask);
      U32(info, green_mask);
      U32(info, blue_mask);
    }
    if (header_size > 40) info.resize(static_cast<std::size_t>(header_size), 0);
    expected.Dpi() = Resolution{72, 72};
  }
  for (std::size_t i = 0; i < colours; ++i) {
    const Rgb c = image.Palette()[i];
    info.insert(info.end(), {c.b, c.g, c.r});
    if (header_size != 12) info.push_back(0);
  }
  Bytes file = {'B', 'M'};
  U32(file, static_cast<std::uint32_t>(14 + info.size() + pixels.size()));
  U32(file, 0);
  U32(file, static_cast<std::uint32_t>(14 + info.size()));
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return Fixture{name, std::move(file), std::move(expected)};
}

std::vector<Fixture> BmpCases() {
  Image duo = Pattern(11, 5, PixelFormat::BlackWhite);
  duo.Palette() = {Rgb{200, 0, 0}, Rgb{0, 0, 90}};
  Image runs(19, 6, PixelFormat::Colour16);
  runs.Palette() = Pattern(1, 1, PixelFormat::Colour16).Palette();
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 19; ++x) runs.Row(y)[x] = static_cast<std::uint8_t>(x < 7 ? y : (x * 3 + y) % 16);
  Image runs256(21, 5, PixelFormat::Colour256);
  runs256.Palette() = Pattern(1, 1, PixelFormat::Colour256).Palette();
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 21; ++x) runs256.Row(y)[x] = static_cast<std::uint8_t>(x < 9 ? 40 + y : x * 11 + y);
  const Image rgb = Pattern(9, 4, PixelFormat::TrueColour);
  std::vector<Fixture> cases = {
      Bmp("1 bit, core header", Pattern(13, 3, PixelFormat::BlackWhite), 12, 1, 0, false),
      Bmp("1 bit, two colours", duo, 40, 1, 0, false),
      Bmp("4 bits", Pattern(7, 3, PixelFormat::Colour16), 40, 4, 0, false),
      Bmp("4 bits, 16 grays", Pattern(7, 3, PixelFormat::Gray16), 40, 4, 0, false),
      Bmp("4 bits, RLE4", runs, 40, 4, 2, false),
      Bmp("8 bits, top-down", Pattern(6, 5, PixelFormat::Colour256), 40, 8, 0, true),
      Bmp("8 bits, 256 grays", Pattern(6, 5, PixelFormat::Gray256), 40, 8, 0, false),
      Bmp("8 bits, RLE8", runs256, 40, 8, 1, false),
      Bmp("16 bits, 5-5-5", rgb, 40, 16, 0, false),
      Bmp("16 bits, 5-6-5 bit fields", rgb, 40, 16, 3, false, 0xF800, 0x07E0, 0x001F),
      Bmp("24 bits", rgb, 40, 24, 0, false),
      Bmp("24 bits, top-down, version 5 header", rgb, 124, 24, 0, true),
      Bmp("32 bits", rgb, 40, 32, 0, false),
      Bmp("32 bits, bit fields in a version 4 header", rgb, 108, 32, 3, true, 0x000000FF, 0x0000FF00, 0x00FF0000),
  };
  // RLE8 with a delta and an early end of bitmap: skipped pixels stay at index 0.
  Image skipped(6, 3, PixelFormat::Colour256);
  skipped.Palette() = Pattern(1, 1, PixelFormat::Colour256).Palette();
  Fixture delta = Bmp("8 bits, RLE8 with delta", skipped, 40, 8, 1, false);
  const std::size_t data = delta.bytes[10] | delta.bytes[11] << 8;
  delta.bytes.resize(data);
  // Bottom row: 2 x index 5, delta (+1, +1), 3 x index 9, end of bitmap.
  delta.bytes.insert(delta.bytes.end(), {2, 5, 0, 2, 1, 1, 3, 9, 0, 1});
  for (int x : {0, 1}) delta.expected.Row(2)[x] = 5;
  for (int x : {3, 4, 5}) delta.expected.Row(1)[x] = 9;
  cases.push_back(std::move(delta));
  return cases;
}

Fixture InterlacedTransparentGif() {
  const int w = 8, h = 5, screen_w = 10, screen_h = 7;
  std::vector<GifColorType> colours(16);
  for (int i = 0; i < 16; ++i)
    colours[static_cast<std::size_t>(i)] =
        GifColorType{static_cast<GifByteType>(i * 16), static_cast<GifByteType>(i * 5), static_cast<GifByteType>(250 - i * 9)};
  const int transparent = 3;
  Image expected(screen_w, screen_h, PixelFormat::Colour16);
  expected.Palette().clear();
  for (const auto& c : colours) expected.Palette().push_back(Rgb{c.Red, c.Green, c.Blue});
  expected.Palette()[transparent] = Rgb{255, 255, 255};
  std::fill(expected.Pixels().begin(), expected.Pixels().end(), transparent);  // outside the frame: transparent
  std::vector<std::vector<GifPixelType>> rows(h, std::vector<GifPixelType>(w));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const auto v = static_cast<GifPixelType>((x * 3 + y * 5) % 16);
      rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = v;
      expected.Row(y + 1)[x + 1] = v;
    }
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, [](GifFileType* g, const GifByteType* d, int n) {
    auto* o = static_cast<Bytes*>(g->UserData);
    o->insert(o->end(), d, d + n);
    return n;
  }, &error);
  ColorMapObject* map = GifMakeMapObject(16, colours.data());
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, screen_w, screen_h, 4, 0, map);
  GraphicsControlBlock gcb{};
  gcb.TransparentColor = transparent;
  GifByteType ext[4];
  const std::size_t n = EGifGCBToExtension(&gcb, ext);
  EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext);
  EGifPutImageDesc(gif, 1, 1, w, h, true, nullptr);
  // Interlaced rows go out in pass order: every 8th from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
  static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < h; y += kStep[pass])
      EGifPutLine(gif, rows[static_cast<std::size_t>(y)].data(), w);
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return Fixture{"interlaced with transparency", std::move(out), std::move(expected)};
}

Bytes RgbPng(const Image& image, bool interlaced) {
  const int w = image.Width(), h = image.Height();
  auto put_rgb = [&](Bytes& raw, int x, int y) {
    const Rgb c = image.PixelColour(x, y);
    raw.insert(raw.end(), {c.r, c.g, c.b});
  };
  Bytes raw;
  if (!interlaced) {
    for (int y = 0; y < h; ++y) {
      raw.push_back(0);
      for (int x = 0; x < w; ++x) put_rgb(raw, x, y);
    }
  } else {
    // Adam7: each pass is a small image of its own, rows with their filter byte; empty
    // passes have no rows at all.
    static constexpr int kX0[] = {0, 4, 0, 2, 0, 1, 0}, kY0[] = {0, 0, 4, 0, 2, 0, 1};
    static constexpr int kDx[] = {8, 8, 4, 4, 2, 2, 1}, kDy[] = {8, 8, 8, 4, 4, 2, 2};
    for (int pass = 0; pass < 7; ++pass) {
      if (kX0[pass] >= w) continue;
      for (int y = kY0[pass]; y < h; y += kDy[pass]) {
        raw.push_back(0);
        for (int x = kX0[pass]; x < w; x += kDx[pass]) put_rgb(raw, x, y);
      }
    }
  }
  return PngFromRaw(static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h), 8, 2, interlaced, raw, {});
}

Bytes PngClaiming(std::uint32_t width, std::uint32_t height) {
  return PngFromRaw(width, height, 8, 2, false, Bytes(64, 0), {});
}

std::vector<Fixture> PngCases() {
  std::vector<Fixture> cases;
  {  // 16-bit RGBA: samples are 8-bit values times 257, so reduction to 8 bits is exact.
    const int w = 4, h = 3;
    const std::uint8_t alphas[] = {255, 0, 128, 64};
    std::vector<Bytes> rows;
    Image expected(w, h, PixelFormat::TrueColour);
    for (int y = 0; y < h; ++y) {
      Bytes row;
      for (int x = 0; x < w; ++x) {
        const std::uint8_t r = static_cast<std::uint8_t>(x * 60), g = static_cast<std::uint8_t>(y * 90), b = 77;
        const std::uint8_t a = alphas[x];
        for (std::uint8_t c : {r, g, b, a}) {
          U8(row, c);
          U8(row, c);
        }
        SetBgr(expected, x, y, Rgb{OverWhite(r, a), OverWhite(g, a), OverWhite(b, a)});
      }
      rows.push_back(row);
    }
    cases.push_back({"16-bit RGBA", Png(w, h, 16, 6, rows, {}), std::move(expected)});
  }
  {  // 16-bit gray with alpha
    std::vector<Bytes> rows(1);
    Image expected(3, 1, PixelFormat::Gray256);
    const std::uint8_t gray[] = {10, 200, 90}, alpha[] = {255, 100, 0};
    for (int x = 0; x < 3; ++x) {
      for (std::uint8_t c : {gray[x], alpha[x]}) {
        U8(rows[0], c);
        U8(rows[0], c);
      }
      expected.Row(0)[x] = OverWhite(gray[x], alpha[x]);
    }
    cases.push_back({"16-bit gray and alpha", Png(3, 1, 16, 4, rows, {}), std::move(expected)});
  }
  {  // 2-bit gray: levels 0..3 become 16-gray levels 0, 5, 10, 15
    Image expected(6, 2, PixelFormat::Gray16);
    std::vector<Bytes> rows;
    for (int y = 0; y < 2; ++y) {
      unsigned bits = 0;
      Bytes row;
      for (int x = 0; x < 6; ++x) {
        const unsigned v = static_cast<unsigned>(x + y) % 4;
        bits = bits << 2 | v;
        expected.Row(y)[x] = static_cast<std::uint8_t>(v * 5);
        if (x % 4 == 3) {
          U8(row, bits);
          bits = 0;
        }
      }
      U8(row, bits << 4);
      rows.push_back(row);
    }
    cases.push_back({"2-bit gray", Png(6, 2, 2, 0, rows, {}), std::move(expected)});
  }
  {  // 4-bit palette with partial transparency, and pHYs of 3780 pixels per metre (96 dpi)
    Bytes plte, trns = {255, 0, 128}, phys;
    Image expected(4, 1, PixelFormat::Colour16);
    expected.Palette().clear();
    const Rgb pal[] = {{250, 0, 0}, {0, 250, 0}, {0, 0, 250}, {9, 9, 9}};
    for (std::size_t i = 0; i < 4; ++i) {
      plte.insert(plte.end(), {pal[i].r, pal[i].g, pal[i].b});
      const unsigned a = i < trns.size() ? trns[i] : 255;
      expected.Palette().push_back(Rgb{OverWhite(pal[i].r, a), OverWhite(pal[i].g, a), OverWhite(pal[i].b, a)});
    }
    U32BE(phys, 3780);
    U32BE(phys, 3780);
    U8(phys, 1);
    for (int x = 0; x < 4; ++x) expected.Row(0)[x] = static_cast<std::uint8_t>(3 - x);
    expected.Dpi() = Resolution{96, 96};
    cases.push_back({"4-bit palette with tRNS and pHYs", Png(4, 1, 4, 3, {Bytes{0x32, 0x10}}, {{"PLTE", plte}, {"pHYs", phys}, {"tRNS", trns}}),
                     std::move(expected)});
  }
  {  // 8-bit gray with a transparent level: those pixels are white
    Image expected(4, 1, PixelFormat::Gray256);
    const Bytes row = {10, 77, 200, 77};
    for (int x = 0; x < 4; ++x) expected.Row(0)[x] = row[static_cast<std::size_t>(x)] == 77 ? 255 : row[static_cast<std::size_t>(x)];
    cases.push_back({"8-bit gray with tRNS", Png(4, 1, 8, 0, {row}, {{"tRNS", Bytes{0, 77}}}), std::move(expected)});
  }
  {  // 1-bit gray
    Image expected(10, 1, PixelFormat::BlackWhite);
    const unsigned bits = 0b1011001110;
    for (int x = 0; x < 10; ++x) expected.Row(0)[x] = static_cast<std::uint8_t>((bits >> (9 - x)) & 1);
    cases.push_back({"1-bit gray", Png(10, 1, 1, 0, {Bytes{static_cast<std::uint8_t>(bits >> 2), static_cast<std::uint8_t>((bits & 3) << 6)}}, {}),
                     std::move(expected)});
  }
  {  // 8-bit RGB
    Image expected = Pattern(5, 3, PixelFormat::TrueColour);
    std::vector<Bytes> rows;
    for (int y = 0; y < 3; ++y) {
      Bytes row;
      for (int x = 0; x < 5; ++x) {
        const Rgb c = expected.PixelColour(x, y);
        row.insert(row.end(), {c.r, c.g, c.b});
      }
      rows.push_back(row);
    }
    cases.push_back({"8-bit RGB", Png(5, 3, 8, 2, rows, {}), std::move(expected)});
  }
  return cases;
}

std::vector<Fixture> TgaCases() {
  std::vector<Fixture> cases;
  const Image rgb = Pattern(7, 4, PixelFormat::TrueColour);
  // Header: id length, map type, type, map first, map length, map entry bits, origin, size, bits, descriptor.
  auto header = [](unsigned id, unsigned map_type, unsigned type, unsigned first, unsigned length, unsigned entry_bits, int w,
                   int h, unsigned bits, unsigned descriptor) {
    Bytes b;
    U8(b, id);
    U8(b, map_type);
    U8(b, type);
    U16(b, first);
    U16(b, length);
    U8(b, entry_bits);
    U16(b, 0);
    U16(b, 0);
    U16(b, static_cast<unsigned>(w));
    U16(b, static_cast<unsigned>(h));
    U8(b, bits);
    U8(b, descriptor);
    for (unsigned i = 0; i < id; ++i) U8(b, 'x');
    return b;
  };
  // Pixels in file order: rows from the bottom unless top-first.
  auto stream = [&](const Image& img, bool top, auto&& pixel) {
    Bytes b;
    for (int i = 0; i < img.Height(); ++i) {
      const int y = top ? i : img.Height() - 1 - i;
      for (int x = 0; x < img.Width(); ++x) pixel(b, img, x, y);
    }
    return b;
  };
  auto bgr = [](Bytes& b, const Image& img, int x, int y) {
    const Rgb c = img.PixelColour(x, y);
    b.insert(b.end(), {c.b, c.g, c.r});
  };
  auto bgra = [](Bytes& b, const Image& img, int x, int y) {
    const Rgb c = img.PixelColour(x, y);
    b.insert(b.end(), {c.b, c.g, c.r, 0});
  };
  auto index = [](Bytes& b, const Image& img, int x, int y) { U8(b, img.Row(y)[x]); };
  for (bool top : {false, true}) {
    for (bool rle : {false, true}) {
      Bytes file = header(3, 0, rle ? 10 : 2, 0, 0, 0, 7, 4, 24, top ? 0x20 : 0);
      Bytes px = stream(rgb, top, bgr);
      if (rle) px = TgaRle(px, 3);
      file.insert(file.end(), px.begin(), px.end());
      cases.push_back({std::string("24 bits, ") + (top ? "top-left" : "bottom-left") + (rle ? ", run-length" : ""), file, rgb});
    }
  }
  {  // runs that cross lines: a flat image, run-length
    Image flat(5, 3, PixelFormat::TrueColour);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) SetBgr(flat, x, y, y == 2 && x == 4 ? Rgb{1, 2, 3} : Rgb{9, 8, 7});
    Bytes file = header(0, 0, 10, 0, 0, 0, 5, 3, 24, 0x20);
    Bytes px = TgaRle(stream(flat, true, bgr), 3);
    file.insert(file.end(), px.begin(), px.end());
    cases.push_back({"24 bits, run-length packets across lines", file, flat});
  }
  {
    Bytes file = header(0, 0, 2, 0, 0, 0, 7, 4, 32, 0x28);
    Bytes px = stream(rgb, true, bgra);
    file.insert(file.end(), px.begin(), px.end());
    cases.push_back({"32 bits, alpha ignored", file, rgb});
  }
  {  // 16 bits A1R5G5B5: channels keep their top five bits, widened by repeating them
    Image expected = rgb;
    Bytes file = header(0, 0, 2, 0, 0, 0, 7, 4, 16, 0);
    Bytes px = stream(rgb, false, [&expected](Bytes& b, const Image& img, int x, int y) {
      const Rgb c = img.PixelColour(x, y);
      const unsigned r = c.r >> 3, g = c.g >> 3, bl = c.b >> 3;
      U16(b, 0x8000 | r << 10 | g << 5 | bl);
      auto wide = [](unsigned v) { return static_cast<std::uint8_t>(v << 3 | v >> 2); };
      SetBgr(expected, x, y, Rgb{wide(r), wide(g), wide(bl)});
    });
    file.insert(file.end(), px.begin(), px.end());
    cases.push_back({"16 bits", file, expected});
  }
  {  // colour-mapped, 20 entries of 24 bits from entry 0
    Image mapped(6, 3, PixelFormat::Colour256);
    mapped.Palette().clear();
    Bytes file = header(0, 1, 1, 0, 20, 24, 6, 3, 8, 0);
    for (int i = 0; i < 20; ++i) {
      const Rgb c{static_cast<std::uint8_t>(i * 12), static_cast<std::uint8_t>(200 - i), static_cast<std::uint8_t>(i * 3)};
      mapped.Palette().push_back(c);
      file.insert(file.end(), {c.b, c.g, c.r});
    }
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 6; ++x) mapped.Row(y)[x] = static_cast<std::uint8_t>((x * 7 + y) % 20);
    Bytes px = stream(mapped, false, index);
    file.insert(file.end(), px.begin(), px.end());
    cases.push_back({"colour-mapped, 20 colours", file, mapped});
  }
  {  // colour-mapped with 16 entries of 16 bits, run-length: 16 colours
    Image mapped(9, 2, PixelFormat::Colour16);
    mapped.Palette().clear();
    Bytes file = header(0, 1, 9, 0, 16, 16, 9, 2, 8, 0x20);
    for (unsigned i = 0; i < 16; ++i) {
      U16(file, i << 10 | (31 - i) << 5 | (i * 2));
      auto wide = [](unsigned v) { return static_cast<std::uint8_t>(v << 3 | v >> 2); };
      mapped.Palette().push_back(Rgb{wide(i), wide(31 - i), wide(i * 2)});
    }
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 9; ++x) mapped.Row(y)[x] = static_cast<std::uint8_t>(x < 4 ? 2 : (x + y) % 16);
    Bytes px = TgaRle(stream(mapped, true, index), 1);
    file.insert(file.end(), px.begin(), px.end());
    cases.push_back({"colour-mapped, 16 colours of 16 bits, run-length", file, mapped});
  }
  for (bool rle : {false, true}) {
    const Image gray = Pattern(8, 3, PixelFormat::Gray256);
    Bytes file = header(0, 0, rle ? 11 : 3, 0, 0, 0, 8, 3, 8, 0);
    Bytes px = stream(gray, false, index);
    if (rle) px = TgaRle(px, 1);
    file.insert(file.end(), px.begin(), px.end());
    cases.push_back({rle ? "gray, run-length" : "gray", file, gray});
  }
  return cases;
}

std::vector<Fixture> TiffCases() {
  std::vector<Fixture> cases;
  auto base = [](std::uint32_t w, std::uint32_t h, std::vector<std::uint32_t> bps, unsigned photometric) {
    const auto spp = static_cast<std::uint32_t>(bps.size());
    return std::vector<TiffEntry>{{256, 4, {w}}, {257, 4, {h}}, {258, 3, bps}, {259, 3, {1}},
                                  {262, 3, {photometric}}, {277, 3, {spp}}, {278, 4, {h}}};
  };
  {  // bilevel, white is zero, 150 dpi
    Image expected(10, 3, PixelFormat::BlackWhite);
    Bytes data;
    for (int y = 0; y < 3; ++y) {
      unsigned bits = 0;
      for (int x = 0; x < 10; ++x) {
        const unsigned black = (x + y) % 3 == 0;
        bits = bits << 1 | black;
        expected.Row(y)[x] = static_cast<std::uint8_t>(black ? 0 : 1);
      }
      U8(data, bits >> 2);
      U8(data, (bits & 3) << 6);
    }
    expected.Dpi() = Resolution{150, 150};
    auto e = base(10, 3, {1}, 0);
    e.push_back({282, 5, {150, 1}});
    e.push_back({283, 5, {300, 2}});
    e.push_back({296, 3, {2}});
    cases.push_back({"bilevel, white is zero", Tiff(e, {data}), std::move(expected)});
  }
  {  // 16-bit gray: the high byte is kept
    Image expected(5, 2, PixelFormat::Gray256);
    Bytes data;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 5; ++x) {
        const unsigned v = static_cast<unsigned>(x * 50 + y);
        U16(data, v << 8 | 200);
        expected.Row(y)[x] = static_cast<std::uint8_t>(v);
      }
    cases.push_back({"16-bit gray", Tiff(base(5, 2, {16}, 1), {data}), std::move(expected)});
  }
  {  // RGB with unassociated alpha, composited on white
    Image expected(3, 2, PixelFormat::TrueColour);
    Bytes data;
    const std::uint8_t alpha[] = {255, 0, 128};
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        const std::uint8_t r = static_cast<std::uint8_t>(100 + x * 50), g = static_cast<std::uint8_t>(y * 100), b = 30;
        data.insert(data.end(), {r, g, b, alpha[x]});
        SetBgr(expected, x, y, Rgb{OverWhite(r, alpha[x]), OverWhite(g, alpha[x]), OverWhite(b, alpha[x])});
      }
    auto e = base(3, 2, {8, 8, 8, 8}, 2);
    e.push_back({338, 3, {2}});
    cases.push_back({"RGB with alpha", Tiff(e, {data}), std::move(expected), 1});
  }
  {  // planar RGB: one strip per plane
    const Image expected = Pattern(4, 2, PixelFormat::TrueColour);
    std::vector<Bytes> planes(3);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) {
        const Rgb c = expected.PixelColour(x, y);
        planes[0].push_back(c.r);
        planes[1].push_back(c.g);
        planes[2].push_back(c.b);
      }
    auto e = base(4, 2, {8, 8, 8}, 2);
    e.push_back({284, 3, {2}});
    cases.push_back({"planar RGB", Tiff(e, planes), expected});
  }
  {  // 4-bit palette whose colour map holds 8-bit values (as old writers made them)
    Image expected = Pattern(5, 2, PixelFormat::Colour16);
    Bytes data;
    for (int y = 0; y < 2; ++y) {
      const std::uint8_t* r = expected.Row(y);
      data.insert(data.end(), {static_cast<std::uint8_t>(r[0] << 4 | r[1]), static_cast<std::uint8_t>(r[2] << 4 | r[3]),
                               static_cast<std::uint8_t>(r[4] << 4)});
    }
    std::vector<std::uint32_t> map;
    for (int ch = 0; ch < 3; ++ch)
      for (const Rgb& c : expected.Palette()) map.push_back(ch == 0 ? c.r : ch == 1 ? c.g : c.b);
    auto e = base(5, 2, {4}, 3);
    e.push_back({320, 3, map});
    cases.push_back({"4-bit palette, 8-bit colour map", Tiff(e, {data}), std::move(expected)});
  }
  return cases;
}

std::vector<Fixture> PcxCases() {
  std::vector<Fixture> cases;
  auto header = [](unsigned bpp, unsigned planes, int w, int h, unsigned bytes_per_line, const std::vector<Rgb>& map) {
    Bytes b(128, 0);
    b[0] = 10;
    b[1] = 5;
    b[2] = 1;
    b[3] = static_cast<std::uint8_t>(bpp);
    b[8] = static_cast<std::uint8_t>(w - 1);
    b[10] = static_cast<std::uint8_t>(h - 1);
    b[12] = 100;  // 100 dpi
    b[14] = 100;
    for (std::size_t i = 0; i < map.size() && i < 16; ++i) {
      b[16 + 3 * i] = map[i].r;
      b[17 + 3 * i] = map[i].g;
      b[18 + 3 * i] = map[i].b;
    }
    b[65] = static_cast<std::uint8_t>(planes);
    b[66] = static_cast<std::uint8_t>(bytes_per_line);
    return b;
  };
  {  // 4 bits packed in one plane; bytes above 0xBF go out as runs of one
    Image expected = Pattern(5, 2, PixelFormat::Colour16);
    expected.Dpi() = Resolution{100, 100};
    Bytes file = header(4, 1, 5, 2, 4, expected.Palette());
    for (int y = 0; y < 2; ++y) {
      const std::uint8_t* r = expected.Row(y);
      for (std::uint8_t v : {static_cast<std::uint8_t>(r[0] << 4 | r[1]), static_cast<std::uint8_t>(r[2] << 4 | r[3]),
                             static_cast<std::uint8_t>(r[4] << 4), std::uint8_t{0}}) {
        if (v >= 0xC0) U8(file, 0xC1);
        U8(file, v);
      }
    }
    cases.push_back({"4 bits in one plane", file, std::move(expected)});
  }
  {  // 24 bits in three planes; one run covers the end of line 0 and the start of line 1
    Image expected(2, 2, PixelFormat::TrueColour);
    expected.Dpi() = Resolution{100, 100};
    Bytes file = header(8, 3, 2, 2, 2, {});
    // Line 0: R R G G B B, line 1: R R G G B B. A run of 8 x 7, then 4 literal bytes.
    file.insert(file.end(), {0xC8, 7, 1, 2, 3, 4});
    SetBgr(expected, 0, 0, Rgb{7, 7, 7});
    SetBgr(expected, 1, 0, Rgb{7, 7, 7});
    SetBgr(expected, 0, 1, Rgb{7, 1, 3});
    SetBgr(expected, 1, 1, Rgb{7, 2, 4});
    cases.push_back({"24 bits, run across lines", file, std::move(expected)});
  }
  {  // 8 bits without the trailing palette: 256 grays
    Image expected = Pattern(4, 3, PixelFormat::Gray256);
    expected.Dpi() = Resolution{100, 100};
    Bytes file = header(8, 1, 4, 3, 4, {});
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) {
        U8(file, 0xC1);
        U8(file, expected.Row(y)[x]);
      }
    cases.push_back({"8 bits, no palette", file, std::move(expected)});
  }
  return cases;
}

}  // namespace ocelot::imaging::fixtures
