// One fixed chain of the float-heavy operations, checked against checksums. The same test
// runs natively and in the Windows build under Wine, so equal constants prove that both
// builds compute every float bit alike (SSE2, no contraction, no libm sin/cos).
#include <gtest/gtest.h>

#include <cstdint>

#include "imaging/effects_blur.h"
#include "imaging/effects_colour.h"
#include "imaging/effects_distort.h"
#include "imaging/random.h"
#include "imaging/resample.h"
#include "imaging/transform.h"

using namespace ocelot::imaging;

namespace {

std::uint64_t Fnv1a(const Image& img) {
  std::uint64_t h = 1469598103934665603ULL;
  auto mix = [&h](std::uint8_t b) {
    h ^= b;
    h *= 1099511628211ULL;
  };
  for (int v : {img.Width(), img.Height(), static_cast<int>(img.Format())})
    for (int i = 0; i < 4; ++i) mix(static_cast<std::uint8_t>(v >> (8 * i)));
  for (auto b : img.Pixels()) mix(b);
  return h;
}

Image Start() {
  Image img(97, 61, PixelFormat::TrueColour);
  Random rnd(11);
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      std::uint8_t* p = img.Row(y) + 3 * x;
      p[0] = static_cast<std::uint8_t>(x * 255 / 96);
      p[1] = static_cast<std::uint8_t>(y * 4 + rnd.Next(9));
      p[2] = static_cast<std::uint8_t>(((x / 8 + y / 8) & 1) * 200 + rnd.Next(40));
    }
  return img;
}

}  // namespace

TEST(EffectsPipeline, FixedChain_GivesTheSameChecksumsInEveryBuild) {
  Image img = Start();
  std::uint64_t sums[6] = {};
  for (int f = 0; f < kResampleFilterCount; ++f)  // all seven filters, up and down
    sums[0] = sums[0] * 31 + Fnv1a(Resample(Resample(img, 211, 137, static_cast<ResampleFilter>(f)), 53, 29,
                                            static_cast<ResampleFilter>(f)));
  img = Resample(img, 160, 101, ResampleFilter::Lanczos3);
  img = Fisheye(img, 1.37f);
  sums[1] = Fnv1a(img);
  img = Rotate(img, 33);
  sums[2] = Fnv1a(img);
  Image waved = img;
  Wave(img, waved, 4.35, 0.27, 0.61, true);
  img = Squeeze(waved, SqueezeShape::DoubleRound, 41);
  sums[3] = Fnv1a(img);
  img = Split(Smooth(img), SplitShape::Transpose, 37);
  Random rnd(99);
  Noise(img, 60, rnd);
  RippleRandom(img, 9, rnd);
  sums[4] = Fnv1a(img);
  img = Resample(img, 64, 48, ResampleFilter::Hermite);
  sums[5] = Fnv1a(img);

  const std::uint64_t expected[6] = {7884124006912835204ULL,  6931305987329857401ULL,
                                     16988978819688840676ULL, 12776049690146254307ULL,
                                     565380151186985270ULL,   8980714878663277792ULL};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(sums[i], expected[i]) << "stage " << i;
}
