// Files that end early: JPEG and PNG show the rows that arrived on a full-size image, as
// viewers do; a file cut inside its headers, or before any image data, is still refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "codec_fixtures.h"
#include "common/error.h"
#include "imaging/codec_jpeg.h"
#include "imaging/codec_png.h"
#include "synthetic_photo.h"

namespace ocelot::imaging {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Decoder = Image (*)(std::span<const std::uint8_t>, const ReadOptions&);

Bytes Cut(const Bytes& bytes, std::size_t keep) {
  return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(keep));
}

// Where the marker (0xFF, code) starts, searching from the front or the back.
std::size_t FirstMarker(const Bytes& b, std::uint8_t code) {
  for (std::size_t i = 0; i + 1 < b.size(); ++i)
    if (b[i] == 0xFF && b[i + 1] == code) return i;
  return b.size();
}
std::size_t LastMarker(const Bytes& b, std::uint8_t code) {
  for (std::size_t i = b.size() - 1; i > 0; --i)
    if (b[i - 1] == 0xFF && b[i] == code) return i - 1;
  return b.size();
}
// Where the data of the first chunk of the type starts.
std::size_t PngChunkData(const Bytes& b, const char* type) {
  for (std::size_t i = 8; i + 8 <= b.size();) {
    const std::size_t length = std::size_t{b[i]} << 24 | std::size_t{b[i + 1]} << 16 | std::size_t{b[i + 2]} << 8 | b[i + 3];
    if (std::equal(type, type + 4, b.begin() + static_cast<std::ptrdiff_t>(i + 4))) return i + 8;
    i += 12 + length;
  }
  return b.size();
}

ErrorKind KindOfFailure(Decoder decode, const Bytes& bytes) {
  try {
    decode(bytes, {});
  } catch (const Error& e) {
    return e.Kind();
  }
  ADD_FAILURE() << "decoded";
  return ErrorKind::InputOutput;
}

struct TruncatedCase {
  const char* name;
  Decoder decode;
  Bytes whole;
  std::size_t keep;
  int rows_intact;   // top rows that must equal the whole file's decode
  bool grey_bottom;  // the last row lies wholly past the data: mid-grey
};

std::vector<TruncatedCase> TruncatedCases() {
  const Image photo = samples::SyntheticPhoto(96, 80, 3);
  std::vector<TruncatedCase> cases;
  const Bytes baseline = EncodeJpeg(photo, 90, false);
  // Half the entropy-coded data of a baseline file holds well over the top 16 rows.
  const std::size_t scan = FirstMarker(baseline, 0xDA);
  cases.push_back({"baseline JPEG", DecodeJpeg, baseline, scan + (baseline.size() - scan) / 2, 16, true});
  // Cut inside the last scan of a progressive file, the earlier scans covered everything:
  // the top rows have every refinement, the rest a coarser picture.
  const Bytes progressive = EncodeJpeg(photo, 80, true);
  const std::size_t last_scan = LastMarker(progressive, 0xDA);
  cases.push_back({"progressive JPEG", DecodeJpeg, progressive, last_scan + (progressive.size() - last_scan) / 2, 16, false});
  const Bytes plain = fixtures::RgbPng(photo, false);
  cases.push_back({"plain PNG", DecodePng, plain, plain.size() / 2, 20, true});
  // The last pass (the odd rows, half the data) is under way at 85%; the bottom row, odd
  // too, has not arrived.
  const Bytes interlaced = fixtures::RgbPng(photo, true);
  cases.push_back({"interlaced PNG", DecodePng, interlaced, interlaced.size() * 85 / 100, 20, true});
  return cases;
}

TEST(DecodeTruncated, JpegAndPng_FullSizeWithTheRowsThatArrived) {
  for (const auto& c : TruncatedCases()) {
    SCOPED_TRACE(c.name);
    const Image whole = c.decode(c.whole, {});
    const Image cut = c.decode(Cut(c.whole, c.keep), {});
    ASSERT_EQ(cut.Width(), whole.Width());
    ASSERT_EQ(cut.Height(), whole.Height());
    ASSERT_EQ(cut.Format(), whole.Format());
    for (int y = 0; y < c.rows_intact; ++y)
      ASSERT_TRUE(std::equal(cut.Row(y), cut.Row(y) + cut.Stride(), whole.Row(y))) << "row " << y;
    const int bottom = cut.Height() - 1;
    if (c.grey_bottom) {
      for (int x = 0; x < cut.Width(); ++x) ASSERT_EQ(cut.PixelColour(x, bottom), (Rgb{128, 128, 128})) << x;
    }
    EXPECT_FALSE(std::equal(cut.Row(bottom), cut.Row(bottom) + cut.Stride(), whole.Row(bottom)));
  }
}

TEST(DecodeTruncated, IndexedPng_MissingRowsTakeThePaletteEntryNearestGrey) {
  Image indexed(128, 256, PixelFormat::Colour256);
  indexed.Palette() = {Rgb{255, 0, 0}, Rgb{0, 0, 255}, Rgb{120, 130, 140}, Rgb{250, 250, 250}};
  std::uint32_t noise = 12345;  // entries 0 and 1 at random, so the data does not shrink to nothing
  for (std::uint8_t& v : indexed.Pixels()) {
    noise = noise * 1103515245u + 12345u;
    v = static_cast<std::uint8_t>(noise >> 30 & 1);
  }
  const Bytes png = EncodePng(indexed);
  const std::size_t data = PngChunkData(png, "IDAT");
  const Image cut = DecodePng(Cut(png, data + (png.size() - data) / 2), {});
  ASSERT_EQ(cut.Height(), 256);
  EXPECT_TRUE(std::equal(cut.Row(0), cut.Row(0) + cut.Stride(), indexed.Row(0)));
  EXPECT_EQ(cut.Row(255)[0], 2);
  EXPECT_EQ(cut.Row(255)[127], 2);
}

TEST(DecodeTruncated, NothingDecodable_IsAFormatError) {
  const Image photo = samples::SyntheticPhoto(40, 30);
  const Bytes jpeg = EncodeJpeg(photo, 90, false);
  const Bytes progressive = EncodeJpeg(photo, 80, true);
  const Bytes png = fixtures::RgbPng(photo, false);
  auto after_sos_header = [](const Bytes& b) {
    const std::size_t sos = FirstMarker(b, 0xDA);
    return sos + 2 + (std::size_t{b[sos + 2]} << 8 | b[sos + 3]);
  };
  const struct {
    const char* name;
    Decoder decode;
    Bytes bytes;
  } cases[] = {
      {"JPEG cut inside its quantization table", DecodeJpeg, Cut(jpeg, FirstMarker(jpeg, 0xDB) + 10)},
      {"JPEG cut inside its frame header", DecodeJpeg, Cut(jpeg, FirstMarker(jpeg, 0xC0) + 6)},
      {"JPEG cut right after its scan header", DecodeJpeg, Cut(jpeg, after_sos_header(jpeg))},
      {"progressive JPEG cut right after its first scan header", DecodeJpeg, Cut(progressive, after_sos_header(progressive))},
      {"JPEG with no scan at all", DecodeJpeg, [&] {
         Bytes b = Cut(jpeg, FirstMarker(jpeg, 0xDA));
         b.insert(b.end(), {0xFF, 0xD9});
         return b;
       }()},
      {"PNG cut inside its header chunk", DecodePng, Cut(png, 20)},
      {"PNG cut before its image data", DecodePng, Cut(png, PngChunkData(png, "IDAT") - 8)},
      {"PNG cut after the zlib header", DecodePng, Cut(png, PngChunkData(png, "IDAT") + 2)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(KindOfFailure(c.decode, c.bytes), ErrorKind::Format);
  }
}

}  // namespace
}  // namespace ocelot::imaging
