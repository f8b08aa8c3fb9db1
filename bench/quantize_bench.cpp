// Quantizer benchmarks on fixed 1920 x 1080 photograph-like images. With
// OCELOT_QUANTIZE_DIR set, BM_QuantizeFolder adds two synthetic photographs to that folder
// and writes, for every NAME.png there,
// NAME.gif-ours.png (the GIF palette) and NAME.256-ours.png (256 optimized colours), which
// compare-quantize-imagemagick.sh measures against ImageMagick.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../tests/native/imaging/synthetic_photo.h"
#include "imaging/codec.h"
#include "imaging/convert.h"
#include "imaging/quantize.h"

namespace {

using namespace ocelot::imaging;

double MeanSquaredError(const Image& a, const Image& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const Rgb p = a.PixelColour(x, y), q = b.PixelColour(x, y);
      sum += (p.r - q.r) * (p.r - q.r) + (p.g - q.g) * (p.g - q.g) + (p.b - q.b) * (p.b - q.b);
    }
  return sum / (3.0 * a.Width() * a.Height());
}

const Image& Photo() {
  static const Image photo = samples::SyntheticPhoto(1920, 1080);
  return photo;
}

void BM_QuantizeGifPalette(benchmark::State& state) {
  Image out;
  for (auto _ : state) {
    out = ToGifPalette(Photo());
    benchmark::DoNotOptimize(out.Pixels().data());
  }
  state.counters["mse"] = MeanSquaredError(Photo(), out);
}
BENCHMARK(BM_QuantizeGifPalette)->Unit(benchmark::kMillisecond);

void BM_QuantizeTo256Colours(benchmark::State& state) {
  Image out;
  for (auto _ : state) {
    out = To256Colours(Photo());
    benchmark::DoNotOptimize(out.Pixels().data());
  }
  state.counters["mse"] = MeanSquaredError(Photo(), out);
}
BENCHMARK(BM_QuantizeTo256Colours)->Unit(benchmark::kMillisecond);

void BM_QuantizePaletteOnly(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(QuantizePalette(Photo(), 236, SystemStaticColours()));
}
BENCHMARK(BM_QuantizePaletteOnly)->Unit(benchmark::kMillisecond);

void BM_QuantizeFolder(benchmark::State& state) {
  const char* dir = std::getenv("OCELOT_QUANTIZE_DIR");
  if (dir == nullptr) {
    state.SkipWithError("OCELOT_QUANTIZE_DIR not set");
    for (auto _ : state) {
    }
    return;
  }
  for (std::uint32_t seed : {1u, 2u})
    WriteImageFile(std::string(dir) + "/synthetic" + std::to_string(seed) + ".png", samples::SyntheticPhoto(1920, 1080, seed));
  for (auto _ : state) {
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      const std::string path = entry.path().string();
      if (path.size() < 4 || path.ends_with("-ours.png") || !path.ends_with(".png")) continue;
      const Image img = ReadImageFile(path);
      const std::string stem = path.substr(0, path.size() - 4);
      WriteImageFile(stem + ".gif-ours.png", ToGifPalette(img));
      WriteImageFile(stem + ".256-ours.png", To256Colours(img));
    }
  }
}
BENCHMARK(BM_QuantizeFolder)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
