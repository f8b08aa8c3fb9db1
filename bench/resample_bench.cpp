// Resampler benchmarks: 1920 x 1080 enlarged with Lanczos3, reduced with Lanczos3 and Hermite.
#include <benchmark/benchmark.h>

#include "imaging/resample.h"
#include "pixels_synthetic.h"

namespace {

using ocelot::imaging::Image;
using ocelot::imaging::ResampleFilter;

const Image& Source() {
  static const Image image = ocelot::bench::SyntheticPhoto(1920, 1080);
  return image;
}

void BM_Resample(benchmark::State& state, ResampleFilter filter, int w, int h) {
  const Image& src = Source();
  for (auto _ : state) {
    Image out = ocelot::imaging::Resample(src, w, h, filter);
    benchmark::DoNotOptimize(out.Pixels().data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(w) * h);
}

BENCHMARK_CAPTURE(BM_Resample, Lanczos3_1920x1080_to_3840x2160, ResampleFilter::Lanczos3, 3840, 2160)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Resample, Lanczos3_1920x1080_to_640x360, ResampleFilter::Lanczos3, 640, 360)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Resample, Hermite_1920x1080_to_160x90, ResampleFilter::Hermite, 160, 90)
    ->Unit(benchmark::kMillisecond);

}  // namespace
