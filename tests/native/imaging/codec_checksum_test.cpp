// The same bytes in, the same pixels out, in the native and the Windows build: a photograph
// goes through our PNG and JPEG codecs and the GIF palette, and the result's checksum is a
// constant both builds must reproduce (the quantizer's arithmetic is double precision, so
// an x87 build or contracted multiply-adds would show here).
#include <gtest/gtest.h>

#include <cstdint>

#include "imaging/codec.h"
#include "imaging/convert.h"
#include "synthetic_photo.h"

namespace ocelot::imaging {
namespace {

std::uint64_t Fnv1a(const Image& img) {
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&h](std::uint8_t b) {
    h ^= b;
    h *= 1099511628211ull;
  };
  for (std::uint8_t b : img.Pixels()) mix(b);
  for (const Rgb& c : img.Palette()) {
    mix(c.r);
    mix(c.g);
    mix(c.b);
  }
  return h;
}

TEST(CrossBuild, PngDecodeThenGifPalette_KnownChecksum) {
  const auto png = WriteImage(samples::SyntheticPhoto(320, 200, 5), FileType::Png);
  const Image gif = ToGifPalette(ReadImage(png));
  EXPECT_EQ(Fnv1a(gif), 0xe1a828d4cb8bb34eull);
}

TEST(CrossBuild, JpegDecodeThenGifPalette_KnownChecksum) {
  const auto jpeg = WriteImage(samples::SyntheticPhoto(320, 200, 6), FileType::Jpeg, {85, true});
  const Image gif = ToGifPalette(ReadImage(jpeg));
  EXPECT_EQ(Fnv1a(gif), 0x9dbda297fba183daull);
}

}  // namespace
}  // namespace ocelot::imaging
