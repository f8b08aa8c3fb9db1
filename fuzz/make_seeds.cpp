// Writes the seed corpus: OUT/<format>/<n> for every fixture of the decoder tests and the
// output of our encoders for each pixel format. Usage: make_seeds OUT
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "codec_fixtures.h"
#include "imaging/codec_bmp.h"
#include "imaging/codec_gif.h"
#include "imaging/codec_jpeg.h"
#include "imaging/codec_pcx.h"
#include "imaging/codec_png.h"
#include "imaging/codec_tga.h"
#include "imaging/codec_tiff.h"

using namespace ocelot::imaging;
namespace fs = std::filesystem;

namespace {

void Put(const fs::path& dir, const std::vector<std::uint8_t>& bytes) {
  fs::create_directories(dir);
  std::size_t n = 0;
  while (fs::exists(dir / std::to_string(n))) ++n;
  std::ofstream(dir / std::to_string(n), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds OUT\n");
    return 2;
  }
  const fs::path out = argv[1];
  for (const auto& f : fixtures::BmpCases()) {
    Put(out / "bmp", f.bytes);
    Put(out / "dib", std::vector<std::uint8_t>(f.bytes.begin() + 14, f.bytes.end()));  // without the file header
  }
  for (const auto& f : fixtures::PngCases()) Put(out / "png", f.bytes);
  for (const auto& f : fixtures::TgaCases()) Put(out / "tga", f.bytes);
  for (const auto& f : fixtures::TiffCases()) Put(out / "tiff", f.bytes);
  for (const auto& f : fixtures::PcxCases()) Put(out / "pcx", f.bytes);
  Put(out / "gif", fixtures::InterlacedTransparentGif().bytes);
  for (auto format : {PixelFormat::BlackWhite, PixelFormat::Gray16, PixelFormat::Gray256, PixelFormat::Colour16,
                      PixelFormat::Colour256, PixelFormat::TrueColour}) {
    Image img = fixtures::Pattern(19, 11, format);
    img.Dpi() = Resolution{96, 96};
    const auto bmp = EncodeBmp(img);
    Put(out / "bmp", bmp);
    Put(out / "dib", std::vector<std::uint8_t>(bmp.begin() + 14, bmp.end()));
    Put(out / "gif", EncodeGif(img));
    Put(out / "pcx", EncodePcx(img));
    Put(out / "png", EncodePng(img));
    Put(out / "tga", EncodeTga(img));
    Put(out / "tiff", EncodeTiff(img));
    Put(out / "tiff", EncodeTiff(img, {TiffCompression::PackBits, 16}));
    Put(out / "tiff", EncodeTiff(img, {TiffCompression::Deflate, 0}));
  }
  const Image rgb = fixtures::Pattern(35, 21, PixelFormat::TrueColour);
  Put(out / "jpeg", EncodeJpeg(rgb, 90, false));
  Put(out / "jpeg", EncodeJpeg(rgb, 40, true));
  Put(out / "jpeg", EncodeJpeg(fixtures::Pattern(17, 9, PixelFormat::Gray256), 75, false));
  Put(out / "jpeg", EncodeJpeg(fixtures::Pattern(17, 9, PixelFormat::Gray256), 75, true));
  return 0;
}
