// One libFuzzer target per decoder (the format is chosen when compiling; "dib" is the
// packed DIB of the clipboard, which other programs put there). Any input must
// give an image that keeps the Image invariants or an ocelot::Error; everything else
// (a crash, a sanitizer report, another exception) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "common/error.h"
#include "imaging/codec_bmp.h"
#include "imaging/codec_gif.h"
#include "imaging/codec_jpeg.h"
#include "imaging/codec_pcx.h"
#include "imaging/codec_png.h"
#include "imaging/codec_tga.h"
#include "imaging/codec_tiff.h"

using namespace ocelot::imaging;

namespace {

Image Decode(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
#if defined(OCELOT_FUZZ_FORMAT_bmp)
  return DecodeBmp(bytes, options);
#elif defined(OCELOT_FUZZ_FORMAT_dib)
  return DecodePackedDib(bytes, options);
#elif defined(OCELOT_FUZZ_FORMAT_gif)
  return DecodeGif(bytes, options);
#elif defined(OCELOT_FUZZ_FORMAT_jpeg)
  return DecodeJpeg(bytes, options);
#elif defined(OCELOT_FUZZ_FORMAT_pcx)
  return DecodePcx(bytes, options);
#elif defined(OCELOT_FUZZ_FORMAT_png)
  return DecodePng(bytes, options);
#elif defined(OCELOT_FUZZ_FORMAT_tga)
  return DecodeTga(bytes, options);
#elif defined(OCELOT_FUZZ_FORMAT_tiff)
  return DecodeTiff(bytes, options);
#else
#error "define OCELOT_FUZZ_FORMAT_<format>"
#endif
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ReadOptions options;
  options.max_pixel_bytes = std::size_t{48} << 20;  // keeps each run fast; the limit logic is the same
  try {
    const Image image = Decode(std::span<const std::uint8_t>(data, size), options);
    Check(!image.Empty());
    Check(image.Pixels().size() == image.Stride() * static_cast<std::size_t>(image.Height()));
    Check(image.Pixels().size() <= options.max_pixel_bytes);
    if (IsIndexed(image.Format())) {
      const auto capacity = static_cast<std::size_t>(PaletteCapacity(image.Format()));
      Check(image.Palette().size() <= capacity);
      for (std::uint8_t v : image.Pixels()) Check(v < capacity);
    }
  } catch (const ocelot::Error&) {
  }
  return 0;
}
