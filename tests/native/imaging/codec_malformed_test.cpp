// Bad input: every decoder answers any bytes with an image or an Error that says what is
// wrong, and refuses sizes the file cannot back.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "codec_fixtures.h"
#include "common/error.h"
#include "imaging/codec.h"
#include "imaging/codec_bmp.h"
#include "imaging/codec_gif.h"
#include "imaging/codec_jpeg.h"
#include "imaging/codec_pcx.h"
#include "imaging/codec_png.h"
#include "imaging/codec_tga.h"
#include "imaging/codec_tiff.h"
#include "synthetic_photo.h"

namespace ocelot::imaging {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Decoder = Image (*)(std::span<const std::uint8_t>, const ReadOptions&);

struct Format {
  const char* name;
  Decoder decode;
  Bytes valid;
};

std::vector<Format> ValidFiles() {
  const Image photo = samples::SyntheticPhoto(40, 30);
  const Image indexed = fixtures::Pattern(40, 30, PixelFormat::Colour256);
  return {
      {"BMP", DecodeBmp, EncodeBmp(photo)},
      {"GIF", DecodeGif, EncodeGif(indexed)},
      {"JPEG", DecodeJpeg, EncodeJpeg(photo, 80, true)},
      {"PCX", DecodePcx, EncodePcx(photo)},
      {"PNG", DecodePng, EncodePng(photo)},
      {"TGA", DecodeTga, EncodeTga(photo)},
      {"TIFF", DecodeTiff, EncodeTiff(photo)},
  };
}

// The Error's text, or "" when the bytes decoded.
std::string ErrorOf(Decoder decode, const Bytes& bytes, const ReadOptions& options = {}) {
  try {
    decode(bytes, options);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// The Error thrown; fails the test when the bytes decoded.
Error ErrorFrom(Decoder decode, const Bytes& bytes, const ReadOptions& options = {}) {
  try {
    decode(bytes, options);
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "decoded";
  return Error("decoded");
}

TEST(Decode, TruncatedFiles_ThrowFormatErrorNamingTheFormat) {
  for (const auto& f : ValidFiles()) {
    SCOPED_TRACE(f.name);
    ASSERT_EQ(ErrorOf(f.decode, f.valid), "");
    // JPEG and PNG cut inside their image data show the rows that arrived (codec_truncated_test).
    const bool shows_rows = std::string(f.name) == "JPEG" || std::string(f.name) == "PNG";
    for (std::size_t keep : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{20}, f.valid.size() / 3,
                             f.valid.size() * 2 / 3}) {
      SCOPED_TRACE(keep);
      const Bytes cut(f.valid.begin(), f.valid.begin() + static_cast<std::ptrdiff_t>(keep));
      if (shows_rows && keep > 20) {
        try {
          const Image partial = f.decode(cut, {});
          EXPECT_EQ(partial.Width(), 40);
          EXPECT_EQ(partial.Height(), 30);
          continue;
        } catch (const Error&) {  // cut inside the headers
        }
      }
      const Error e = ErrorFrom(f.decode, cut);
      EXPECT_NE(std::string(e.what()).find(f.name), std::string::npos) << e.what();
      EXPECT_EQ(e.Kind(), ErrorKind::Format) << e.what();
    }
  }
}

TEST(Decode, OtherFormatsBytes_ThrowFormatError) {
  const auto files = ValidFiles();
  for (const auto& decoder : files)
    for (const auto& file : files) {
      if (&decoder == &file) continue;
      SCOPED_TRACE(std::string(decoder.name) + " reading " + file.name);
      EXPECT_EQ(ErrorFrom(decoder.decode, file.valid).Kind(), ErrorKind::Format);
    }
}

TEST(Decode, FlippedBytesEverywhere_NeverCrash) {
  // Not a proof (that is the fuzzers' job) but every decoder sees each byte changed once.
  for (const auto& f : ValidFiles()) {
    SCOPED_TRACE(f.name);
    const std::size_t n = std::min<std::size_t>(f.valid.size(), 600);
    for (std::size_t i = 0; i < n; ++i) {
      Bytes bad = f.valid;
      bad[i] ^= 0xA5;
      ErrorOf(f.decode, bad);  // either result is fine; sanitizers watch the rest
    }
  }
}

void Put16(Bytes& b, std::size_t at, unsigned v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}
void Put32BE(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

TEST(Decode, LyingSizes_ThrowErrorBeforeAllocating) {
  const Image small = samples::SyntheticPhoto(8, 8);
  const Image indexed = fixtures::Pattern(8, 8, PixelFormat::Colour256);
  // Sizes beyond the pixel limit are Limit errors carrying the size; sizes the data cannot
  // back are lies, Format errors.
  struct Case {
    const char* name;
    Decoder decode;
    Bytes bytes;
    const char* says;
    std::optional<PixelDimensions> too_large = std::nullopt;
  };
  std::vector<Case> cases;
  {
    Bytes b = EncodeBmp(small);
    Put32(b, 18, 100000);
    Put32(b, 22, 100000);
    cases.push_back({"BMP 100000 x 100000", DecodeBmp, b, "too large", PixelDimensions{100000, 100000}});
    Put32(b, 18, 1000);
    Put32(b, 22, 1000);
    cases.push_back({"BMP 1000 x 1000 with 64 pixels of data", DecodeBmp, b, "truncated"});
    Bytes rle = fixtures::BmpCases()[7].bytes;  // RLE8
    Put32(rle, 18, 20000);
    Put32(rle, 22, 20000);
    cases.push_back({"BMP RLE8 claiming 20000 x 20000", DecodeBmp, rle, "too short"});
    Bytes negative = EncodeBmp(small);
    Put32(negative, 18, 0x80000000u);
    cases.push_back({"BMP negative width", DecodeBmp, negative, "invalid image size"});
  }
  {
    Bytes b = EncodePcx(small);
    Put16(b, 8, 65535);
    Put16(b, 10, 65535);
    Put16(b, 66, 65535);
    cases.push_back({"PCX 65536 x 65536", DecodePcx, b, "too large", PixelDimensions{65536, 65536}});
    Put16(b, 8, 3000);
    Put16(b, 10, 3000);
    cases.push_back({"PCX 3001 x 3001 in a small file", DecodePcx, b, "too short"});
  }
  {
    Bytes b = EncodeTga(small);
    Put16(b, 12, 4000);
    Put16(b, 14, 4000);
    cases.push_back({"TGA 4000 x 4000 raw", DecodeTga, b, "truncated"});
    Bytes rle = fixtures::TgaCases()[1].bytes;  // 24 bits run-length
    Put16(rle, 12, 60000);
    Put16(rle, 14, 60000);
    cases.push_back({"TGA 60000 x 60000 run-length", DecodeTga, rle, "too large", PixelDimensions{60000, 60000}});
  }
  {
    Bytes b = EncodePng(small);  // IHDR width at 16, height at 20; the CRC is fixed below
    Put32BE(b, 16, 10000);
    Put32BE(b, 20, 10000);
    Bytes body(b.begin() + 12, b.begin() + 29);
    std::uint32_t crc = 0xFFFFFFFFu;  // CRC-32 of the chunk type and data
    for (std::uint8_t byte : body) {
      crc ^= byte;
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    Put32BE(b, 29, ~crc);
    cases.push_back({"PNG 10000 x 10000 with a tiny IDAT", DecodePng, b, "too short"});
    cases.push_back({"PNG 30000 x 30000", DecodePng, fixtures::PngClaiming(30000, 30000), "too large",
                     PixelDimensions{30000, 30000}});
  }
  {
    Bytes b = EncodeGif(indexed);  // logical screen at 6, image descriptor after the colour table
    const std::size_t desc = 13 + 3 * 256;
    ASSERT_EQ(b[desc], 0x2C);
    Put16(b, desc + 5, 65535);
    Put16(b, desc + 7, 65535);
    cases.push_back({"GIF frame 65535 x 65535", DecodeGif, b, "too large", PixelDimensions{65535, 65535}});
  }
  {
    Bytes b = EncodeJpeg(small, 90, false);
    for (std::size_t i = 0; i + 8 < b.size(); ++i)
      if (b[i] == 0xFF && b[i + 1] == 0xC0) {  // SOF0: height at +5, width at +7, big-endian
        b[i + 5] = 0xFF;
        b[i + 6] = 0xD0;
        b[i + 7] = 0xFF;
        b[i + 8] = 0xD0;
        break;
      }
    cases.push_back({"JPEG 65488 x 65488", DecodeJpeg, b, "too large", PixelDimensions{65488, 65488}});
  }
  {
    Bytes b = EncodeTiff(small, {TiffCompression::None, 0});
    // Rewrite the width and height entries of the first directory.
    std::uint32_t ifd = b[4] | b[5] << 8 | b[6] << 16 | static_cast<std::uint32_t>(b[7]) << 24;
    const unsigned n = b[ifd] | b[ifd + 1] << 8;
    for (unsigned i = 0; i < n; ++i) {
      const std::size_t e = ifd + 2 + 12 * i;
      const unsigned tag = b[e] | b[e + 1] << 8;
      if (tag == 256 || tag == 257) {
        Put16(b, e + 2, 4);  // LONG
        Put32(b, e + 8, 200000);
      }
    }
    cases.push_back({"TIFF 200000 x 200000", DecodeTiff, b, "too large", PixelDimensions{200000, 200000}});
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Error e = ErrorFrom(c.decode, c.bytes);
    EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    EXPECT_EQ(e.Kind(), c.too_large ? ErrorKind::Limit : ErrorKind::Format) << e.what();
    EXPECT_EQ(e.Dimensions(), c.too_large);
  }
}

TEST(DecodeBmp, LyingHeaders_AreFormatErrorsInFilesAndPackedDibs) {
  // An 8 x 8 file of 8 bits: info header at 14, palette of 256 entries at 54, rows at 1078.
  const Bytes valid = EncodeBmp(fixtures::Pattern(8, 8, PixelFormat::Colour256));
  const Bytes rle = fixtures::BmpCases()[7].bytes;  // RLE8, 21 x 5
  const std::size_t rle_data = rle[10] | rle[11] << 8;
  auto with = [](Bytes b, std::size_t at, std::uint32_t v) {
    Put32(b, at, v);
    return b;
  };
  auto with16 = [](Bytes b, std::size_t at, unsigned v) {
    Put16(b, at, v);
    return b;
  };
  auto cut = [](const Bytes& b, std::size_t keep) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(keep)); };
  auto rle_ending = [&](std::initializer_list<std::uint8_t> tail) {
    Bytes b = cut(rle, rle_data);
    b.insert(b.end(), tail);
    return b;
  };
  enum class In { Both, File, Dib };  // what the lie reaches: the file header is not in a packed DIB
  const struct {
    const char* name;
    Bytes file;
    In in;
  } cases[] = {
      {"pixel offset beyond the data", with(valid, 10, static_cast<std::uint32_t>(valid.size()) + 100), In::File},
      {"pixel offset 0xFFFFFFFF", with(valid, 10, 0xFFFFFFFFu), In::File},
      {"file cut inside the file header", cut(valid, 12), In::File},
      {"header size 0", with(valid, 14, 0), In::Both},
      {"header size beyond the data", with(valid, 14, 0x7FFFFFF0u), In::Both},
      {"version 4 header cut short", cut(with(valid, 14, 108), 14 + 60), In::Both},
      {"zero width", with(valid, 18, 0), In::Both},
      {"negative width", with(valid, 18, static_cast<std::uint32_t>(-5)), In::Both},
      {"zero height", with(valid, 22, 0), In::Both},
      {"height -2^31", with(valid, 22, 0x80000000u), In::Both},
      {"7 bits per pixel", with16(valid, 28, 7), In::Both},
      {"33 bits per pixel", with16(valid, 28, 33), In::Both},
      {"65535 bits per pixel", with16(valid, 28, 65535), In::Both},
      {"compression 99", with(valid, 30, 99), In::Both},
      {"RLE8 on 24 bits", with16(with(valid, 30, 1), 28, 24), In::Both},
      {"bit fields on 8 bits", with(valid, 30, 3), In::Both},
      {"palette running past the data", cut(valid, 54 + 500), In::Both},
      // A file's pixel offset makes the colour count of a 24-bit image irrelevant; a packed
      // DIB's rows come after those colours.
      {"colours of a 24-bit image past the data", with(EncodeBmp(samples::SyntheticPhoto(4, 4)), 46, 0x40000000u), In::Dib},
      {"one row more than the data holds", with(valid, 22, 9), In::Both},
      {"width beyond the rows' data", with(valid, 18, 4000), In::Both},
      {"RLE8 absolute run past the data", rle_ending({0, 200, 1, 2, 3}), In::Both},
      {"RLE8 delta past the data", rle_ending({2, 5, 0, 2, 1}), In::Both},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.in != In::Dib) {
      EXPECT_EQ(ErrorFrom(DecodeBmp, c.file).Kind(), ErrorKind::Format) << ErrorOf(DecodeBmp, c.file);
    }
    if (c.in == In::File) continue;
    const Bytes dib(c.file.begin() + 14, c.file.end());
    EXPECT_EQ(ErrorFrom(DecodePackedDib, dib).Kind(), ErrorKind::Format) << ErrorOf(DecodePackedDib, dib);
  }
}

TEST(DecodeBmp, ValidVariantsWeDoNotRead_AreUnsupported) {
  const Bytes valid = EncodeBmp(samples::SyntheticPhoto(4, 4));
  auto with = [&](std::size_t at, std::uint32_t v, int bytes) {
    Bytes b = valid;
    bytes == 2 ? Put16(b, at, v) : Put32(b, at, v);
    return b;
  };
  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"64 bits per pixel", with(28, 64, 2)},
      {"embedded PNG", with(30, 5, 4)},
      {"embedded JPEG", with(30, 4, 4)},
      {"16-byte OS/2 header", with(14, 16, 4)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ErrorFrom(DecodeBmp, c.file).Kind(), ErrorKind::Unsupported) << ErrorOf(DecodeBmp, c.file);
  }
}

TEST(Decode, SizeAboveTheCallersLimit_ThrowsLimitWithTheSize) {
  ReadOptions small;
  small.max_pixel_bytes = 1000;
  for (const auto& f : ValidFiles()) {  // 40 x 30 images: 1200 or 3600 bytes
    SCOPED_TRACE(f.name);
    const Error e = ErrorFrom(f.decode, f.valid, small);
    EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos);
    EXPECT_EQ(e.Kind(), ErrorKind::Limit);
    EXPECT_EQ(e.Dimensions(), (PixelDimensions{40, 30}));
  }
}

}  // namespace
}  // namespace ocelot::imaging
