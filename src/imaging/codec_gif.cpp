// GIF reader and writer through giflib (record by record, so sizes are checked before
// anything is allocated for them).
#include "imaging/codec_gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "imaging/codec_util.h"
#include "imaging/convert.h"

namespace ocelot::imaging {
namespace {

constexpr std::string_view kName = "GIF";

struct Source {
  std::span<const std::uint8_t> bytes;
  std::size_t pos = 0;
};

int ReadFn(GifFileType* gif, GifByteType* out, int n) {
  auto* src = static_cast<Source*>(gif->UserData);
  const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(std::max(n, 0)), src->bytes.size() - src->pos);
  std::memcpy(out, src->bytes.data() + src->pos, take);
  src->pos += take;
  return static_cast<int>(take);
}

std::string GifMessage(int code) {
  const char* text = GifErrorString(code);
  return text != nullptr ? text : "error " + std::to_string(code);
}

class Reader {
 public:
  explicit Reader(Source& src) {
    int error = 0;
    gif_ = DGifOpen(&src, ReadFn, &error);
    if (gif_ == nullptr) Fail(error == D_GIF_ERR_NOT_GIF_FILE ? "no GIF signature" : GifMessage(error), error);
  }
  ~Reader() {
    int error = 0;
    DGifCloseFile(gif_, &error);
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  GifFileType* operator->() const { return gif_; }
  GifFileType* get() const { return gif_; }
  [[noreturn]] void Fail() const { Fail(GifMessage(gif_->Error), gif_->Error); }

 private:
  [[noreturn]] static void Fail(const std::string& text, int code) {
    detail::FailRead(kName, text, code == D_GIF_ERR_NOT_ENOUGH_MEM ? ErrorKind::Limit : ErrorKind::Format);
  }
  GifFileType* gif_ = nullptr;
};

Image Decode(std::span<const std::uint8_t> bytes, const ReadOptions& options, std::optional<PixelDimensions>& claimed) {
  if (bytes.size() < 6 || std::memcmp(bytes.data(), "GIF", 3) != 0) detail::FailRead(kName, "no GIF signature");
  Source src{bytes};
  Reader gif(src);
  int transparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) gif.Fail();
    if (type == TERMINATE_RECORD_TYPE) detail::FailRead(kName, "the file holds no image");
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* ext = nullptr;
      if (DGifGetExtension(gif.get(), &code, &ext) == GIF_ERROR) gif.Fail();
      if (code == GRAPHICS_EXT_FUNC_CODE && ext != nullptr && ext[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(ext[0], ext + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
      }
      while (ext != nullptr)
        if (DGifGetExtensionNext(gif.get(), &ext) == GIF_ERROR) gif.Fail();
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;

    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) gif.Fail();
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    if (map == nullptr) detail::FailRead(kName, "the image has no colour table");
    std::vector<Rgb> palette;
    for (int i = 0; i < map->ColorCount; ++i)
      palette.push_back(Rgb{map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
    const std::int64_t fw = desc.Width, fh = desc.Height;
    claimed = detail::CheckReadSize(kName, fw, fh, 1, options);
    // LZW codes of 12 bits stand for at most 4096 pixels.
    detail::CheckCompressionBound(kName, fw, fh, bytes.size(), 4096);
    // The frame sits on the logical screen; a frame that does not fit makes the screen.
    std::int64_t cw = gif->SWidth, ch = gif->SHeight, left = desc.Left, top = desc.Top;
    if (left + fw > cw || top + fh > ch) {
      cw = fw;
      ch = fh;
      left = top = 0;
    }
    claimed = detail::CheckReadSize(kName, cw, ch, 1, options);
    detail::CheckCompressionBound(kName, cw, ch, bytes.size(), 4096);
    std::uint8_t fill = transparent >= 0 ? static_cast<std::uint8_t>(transparent)
                                         : static_cast<std::uint8_t>(gif->SBackGroundColor);
    if (transparent < 0 && fill >= palette.size()) fill = 0;
    Image image(static_cast<int>(cw), static_cast<int>(ch), PixelFormat::Colour256);
    std::fill(image.Pixels().begin(), image.Pixels().end(), fill);

    std::vector<GifPixelType> line(static_cast<std::size_t>(fw));
    const int w = static_cast<int>(fw), h = static_cast<int>(fh);
    auto read_row = [&](int y) {
      if (DGifGetLine(gif.get(), line.data(), w) == GIF_ERROR) gif.Fail();
      std::copy(line.begin(), line.end(), image.Row(static_cast<int>(top) + y) + left);
    };
    if (desc.Interlace) {
      constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < h; y += kStep[pass]) read_row(y);
    } else {
      for (int y = 0; y < h; ++y) read_row(y);
    }
    unsigned most = 0;
    for (std::uint8_t v : image.Pixels()) most = std::max<unsigned>(most, v);
    if (transparent >= 0) {  // shown on white
      if (palette.size() <= static_cast<std::size_t>(transparent)) palette.resize(static_cast<std::size_t>(transparent) + 1);
      palette[static_cast<std::size_t>(transparent)] = Rgb{255, 255, 255};
    }
    const std::size_t used = std::max<std::size_t>(palette.size(), most + 1);
    const int bits = used <= 2 ? 1 : used <= 16 ? 4 : 8;
    Image out(image.Width(), image.Height(), detail::IndexedFormatFor(bits, palette));
    std::copy(image.Pixels().begin(), image.Pixels().end(), out.Pixels().begin());
    out.Palette() = std::move(palette);
    return out;
  }
}

}  // namespace

Image DecodeGif(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
  return detail::GuardRead(kName, [&](std::optional<PixelDimensions>& claimed) { return Decode(bytes, options, claimed); });
}

namespace {

int WriteFn(GifFileType* gif, const GifByteType* data, int n) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  try {
    out->insert(out->end(), data, data + n);
  } catch (...) {  // giflib is C: report a short write instead of unwinding through it
    return 0;
  }
  return n;
}

class Writer {
 public:
  explicit Writer(std::vector<std::uint8_t>& out) {
    int error = 0;
    gif_ = EGifOpen(&out, WriteFn, &error);
    if (gif_ == nullptr) detail::FailWrite(kName, GifMessage(error));
  }
  ~Writer() {
    if (gif_ != nullptr) EGifCloseFile(gif_, nullptr);
  }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;
  GifFileType* get() const { return gif_; }
  [[noreturn]] void Fail() const { detail::FailWrite(kName, GifMessage(gif_->Error)); }
  void Close() {
    int error = 0;
    const int result = EGifCloseFile(gif_, &error);
    gif_ = nullptr;
    if (result == GIF_ERROR) detail::FailWrite(kName, GifMessage(error));
  }

 private:
  GifFileType* gif_ = nullptr;
};

struct MapObject {
  ColorMapObject* map;
  ~MapObject() { GifFreeMapObject(map); }
};

}  // namespace

std::vector<std::uint8_t> EncodeGif(const Image& image) {
  detail::CheckWritable(kName, image);
  if (image.Width() > 65535 || image.Height() > 65535)
    detail::FailWrite(kName, "the image is larger than 65535 pixels", ErrorKind::Limit);
  const Image converted = image.Format() == PixelFormat::TrueColour ? ToGifPalette(image) : Image();
  const Image& src = image.Format() == PixelFormat::TrueColour ? converted : image;
  std::size_t used = std::max<std::size_t>(src.Palette().size(), 2);
  for (std::uint8_t v : src.Pixels()) used = std::max<std::size_t>(used, std::size_t{v} + 1);
  int bits = 1;
  while ((std::size_t{1} << bits) < used) ++bits;
  std::vector<GifColorType> colours(std::size_t{1} << bits);
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const Rgb c = detail::PaletteAt(src.Palette(), i);
    colours[i] = GifColorType{c.r, c.g, c.b};
  }
  MapObject map{GifMakeMapObject(static_cast<int>(colours.size()), colours.data())};
  if (map.map == nullptr) detail::FailWrite(kName, "out of memory", ErrorKind::Limit);

  std::vector<std::uint8_t> out;
  Writer gif(out);
  if (EGifPutScreenDesc(gif.get(), src.Width(), src.Height(), bits, 0, map.map) == GIF_ERROR) gif.Fail();
  if (EGifPutImageDesc(gif.get(), 0, 0, src.Width(), src.Height(), false, nullptr) == GIF_ERROR) gif.Fail();
  std::vector<GifPixelType> line(static_cast<std::size_t>(src.Width()));
  for (int y = 0; y < src.Height(); ++y) {
    std::copy(src.Row(y), src.Row(y) + src.Width(), line.begin());
    if (EGifPutLine(gif.get(), line.data(), src.Width()) == GIF_ERROR) gif.Fail();
  }
  gif.Close();
  return out;
}

}  // namespace ocelot::imaging
