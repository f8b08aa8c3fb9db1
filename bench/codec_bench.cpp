// Encode and decode of each format on a fixed 1920 x 1080 photograph-like image (GIF and
// the indexed writers on its GIF-palette version, so quantizing is not timed here).
#include <benchmark/benchmark.h>

#include "../tests/native/imaging/synthetic_photo.h"
#include "imaging/codec.h"
#include "imaging/convert.h"

namespace {

using namespace ocelot::imaging;

const Image& Photo() {
  static const Image photo = samples::SyntheticPhoto(1920, 1080);
  return photo;
}

const Image& Indexed() {
  static const Image indexed = ToGifPalette(Photo());
  return indexed;
}

const Image& Source(FileType type) { return type == FileType::Gif ? Indexed() : Photo(); }

void BM_Encode(benchmark::State& state, FileType type) {
  const Image& img = Source(type);
  std::size_t size = 0;
  for (auto _ : state) {
    const auto bytes = WriteImage(img, type, {100, false});
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.counters["bytes"] = static_cast<double>(size);
}

void BM_Decode(benchmark::State& state, FileType type) {
  const auto bytes = WriteImage(Source(type), type, {100, false});
  for (auto _ : state) {
    const Image img = ReadImage(bytes, type == FileType::Tga ? ".tga" : "");
    benchmark::DoNotOptimize(img.Pixels().data());
  }
}

#define OCELOT_CODEC_BENCH(name, type)                                                       \
  BENCHMARK_CAPTURE(BM_Encode, name, type)->Unit(benchmark::kMillisecond); \
  BENCHMARK_CAPTURE(BM_Decode, name, type)->Unit(benchmark::kMillisecond)

OCELOT_CODEC_BENCH(Bmp, FileType::Bmp);
OCELOT_CODEC_BENCH(Gif, FileType::Gif);
OCELOT_CODEC_BENCH(Jpeg, FileType::Jpeg);
OCELOT_CODEC_BENCH(Pcx, FileType::Pcx);
OCELOT_CODEC_BENCH(Png, FileType::Png);
OCELOT_CODEC_BENCH(Tga, FileType::Tga);
OCELOT_CODEC_BENCH(Tiff, FileType::Tiff);

void BM_EncodeJpegProgressive(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(WriteImage(Photo(), FileType::Jpeg, {85, true}).data());
}
BENCHMARK(BM_EncodeJpegProgressive)->Unit(benchmark::kMillisecond);

}  // namespace
