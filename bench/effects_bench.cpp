// Effect benchmarks on 1920 x 1080: smooth, fisheye and the two tiles (each preview recompute
// runs one of these over the whole image).
#include <benchmark/benchmark.h>

#include "imaging/effects_blur.h"
#include "imaging/effects_distort.h"
#include "pixels_synthetic.h"

namespace {

using ocelot::imaging::Image;

const Image& Source() {
  static const Image image = ocelot::bench::SyntheticPhoto(1920, 1080);
  return image;
}

void BM_Smooth(benchmark::State& state) {
  for (auto _ : state) {
    Image out = ocelot::imaging::Smooth(Source());
    benchmark::DoNotOptimize(out.Pixels().data());
  }
}
BENCHMARK(BM_Smooth)->Unit(benchmark::kMillisecond);

void BM_Fisheye(benchmark::State& state) {
  for (auto _ : state) {
    Image out = ocelot::imaging::Fisheye(Source(), 1.21f);  // the slider's middle
    benchmark::DoNotOptimize(out.Pixels().data());
  }
}
BENCHMARK(BM_Fisheye)->Unit(benchmark::kMillisecond);

void BM_Tile(benchmark::State& state, ocelot::imaging::TileMode mode) {
  for (auto _ : state) {
    Image work = Source();  // the dialog works on a fresh copy each time
    ocelot::imaging::Tile(work, mode, 110);
    benchmark::DoNotOptimize(work.Pixels().data());
  }
}
BENCHMARK_CAPTURE(BM_Tile, Normal, ocelot::imaging::TileMode::Normal)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tile, Overlap, ocelot::imaging::TileMode::Overlap)->Unit(benchmark::kMillisecond);

}  // namespace
