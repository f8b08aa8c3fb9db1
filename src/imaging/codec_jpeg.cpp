// JPEG reader and writer through the libjpeg API. libjpeg reports errors by calling
// error_exit, which must not return; ours longjmps back into a small protected function
// that holds no C++ object with a destructor, and the message becomes Error afterwards.
// A file that ends early decodes as far as its data goes: libjpeg's memory source then
// supplies an end-of-image marker, and blocks without data come out mid-grey (a
// progressive file shows its coarser earlier scans there instead).
#include "imaging/codec_jpeg.h"

#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <optional>
#include <string>

#include "imaging/codec_util.h"

namespace ocelot::imaging {
namespace {

constexpr std::string_view kName = "JPEG";
// A progressive file with this many scans is treated as hostile (each scan re-reads the
// whole coefficient buffer).
constexpr int kMaxScans = 1000;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool data_ended = false;  // the data ran out and libjpeg went on with an inserted end marker
};

[[noreturn]] void Abort(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->jump, 1);
}

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  Abort(cinfo);
}

// Warnings are silent; data ending early is noted, and decoding goes on with what came.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) reinterpret_cast<ErrorManager*>(cinfo->err)->data_ended = true;
}

void OutputMessage(j_common_ptr) {}

void CountScans(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->pub.msg_code = 0;
    std::snprintf(err->message, sizeof err->message, "too many scans");
    Abort(cinfo);
  }
}

void InstallErrors(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.pub.output_message = OutputMessage;
  err.message[0] = '\0';
  err.data_ended = false;
}

// The kind of a failure libjpeg reported, by its message code.
ErrorKind KindOf(const ErrorManager& err) {
  switch (err.pub.msg_code) {
    case JERR_OUT_OF_MEMORY:
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
    case JERR_NO_BACKING_STORE:
    case JERR_TFILE_CREATE:
    case JERR_TFILE_READ:
    case JERR_TFILE_SEEK:
    case JERR_TFILE_WRITE: return ErrorKind::Limit;
    case JERR_NOT_COMPILED:
    case JERR_NOTIMPL:
    case JERR_CONVERSION_NOTIMPL:
    case JERR_CCIR601_NOTIMPL:
    case JERR_ARITH_NOTIMPL:
    case JERR_BAD_PRECISION: return ErrorKind::Unsupported;
    default: return ErrorKind::Format;
  }
}

// The technical text of a failure; the backing-store messages would name temporary files.
std::string TextOf(const ErrorManager& err) {
  switch (err.pub.msg_code) {
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
    case JERR_TFILE_CREATE:
    case JERR_TFILE_READ:
    case JERR_TFILE_SEEK:
    case JERR_TFILE_WRITE: return "out of memory";
    default: return err.message;
  }
}

struct Decoder {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  jpeg_progress_mgr progress{};
  bool created = false;
  ~Decoder() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
};

bool ReadHeader(Decoder& d, std::span<const std::uint8_t> bytes) {
  InstallErrors(d.err);
  d.cinfo.err = &d.err.pub;
  if (setjmp(d.err.jump)) return false;
  jpeg_create_decompress(&d.cinfo);
  d.created = true;
  d.progress.progress_monitor = CountScans;
  d.cinfo.progress = &d.progress;
  jpeg_mem_src(&d.cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.cinfo, TRUE);
  switch (d.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE: d.cinfo.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: d.cinfo.out_color_space = JCS_CMYK; break;
    default: d.cinfo.out_color_space = JCS_EXT_BGR; break;
  }
  return true;
}

// Decodes into the image's rows; cmyk_row holds a row of four-channel samples when needed.
bool ReadPixels(Decoder& d, Image& image, std::uint8_t* cmyk_row) {
  if (setjmp(d.err.jump)) return false;
  jpeg_start_decompress(&d.cinfo);
  const bool inverted = d.cinfo.saw_Adobe_marker != 0;  // Adobe writes CMYK inverted
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    const int y = static_cast<int>(d.cinfo.output_scanline);
    JSAMPROW row = d.cinfo.out_color_space == JCS_CMYK ? cmyk_row : image.Row(y);
    jpeg_read_scanlines(&d.cinfo, &row, 1);
    if (d.cinfo.out_color_space != JCS_CMYK) continue;
    std::uint8_t* dst = image.Row(y);
    for (int x = 0; x < image.Width(); ++x, dst += 3) {
      const std::uint8_t* p = cmyk_row + 4 * x;
      auto ink = [inverted](unsigned v) { return inverted ? v : 255 - v; };  // 255 = no ink
      const unsigned k = ink(p[3]);
      dst[2] = static_cast<std::uint8_t>((ink(p[0]) * k + 127) / 255);
      dst[1] = static_cast<std::uint8_t>((ink(p[1]) * k + 127) / 255);
      dst[0] = static_cast<std::uint8_t>((ink(p[2]) * k + 127) / 255);
    }
  }
  jpeg_finish_decompress(&d.cinfo);
  return true;
}

struct Encoder {
  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  bool created = false;
  ~Encoder() {
    if (created) jpeg_destroy_compress(&cinfo);
    std::free(buffer);
  }
};

bool Compress(Encoder& e, const Image& image, bool gray, int quality, bool progressive, std::uint8_t* row) {
  InstallErrors(e.err);
  e.cinfo.err = &e.err.pub;
  if (setjmp(e.err.jump)) return false;
  jpeg_create_compress(&e.cinfo);
  e.created = true;
  jpeg_mem_dest(&e.cinfo, &e.buffer, &e.size);
  e.cinfo.image_width = static_cast<JDIMENSION>(image.Width());
  e.cinfo.image_height = static_cast<JDIMENSION>(image.Height());
  e.cinfo.input_components = gray ? 1 : 3;
  e.cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_set_defaults(&e.cinfo);
  jpeg_set_quality(&e.cinfo, std::clamp(quality, 1, 100), TRUE);
  if (quality >= 90 && !gray)
    for (int c = 0; c < e.cinfo.num_components; ++c) {
      // Full-resolution colour at high quality: screen captures are full of coloured text.
      e.cinfo.comp_info[c].h_samp_factor = 1;
      e.cinfo.comp_info[c].v_samp_factor = 1;
    }
  if (progressive) jpeg_simple_progression(&e.cinfo);
  if (image.Dpi().x > 0 && image.Dpi().y > 0) {
    e.cinfo.density_unit = 1;
    e.cinfo.X_density = static_cast<UINT16>(std::lround(std::min(image.Dpi().x, 65535.0)));
    e.cinfo.Y_density = static_cast<UINT16>(std::lround(std::min(image.Dpi().y, 65535.0)));
  }
  jpeg_start_compress(&e.cinfo, TRUE);
  const auto& pal = image.Palette();
  while (e.cinfo.next_scanline < e.cinfo.image_height) {
    const int y = static_cast<int>(e.cinfo.next_scanline);
    const std::uint8_t* src = image.Row(y);
    if (image.Format() != PixelFormat::TrueColour) {
      for (int x = 0; x < image.Width(); ++x) {
        const Rgb c = src[x] < pal.size() ? pal[src[x]] : Rgb{};
        if (gray) {
          row[x] = c.r;
        } else {
          row[3 * x] = c.b;
          row[3 * x + 1] = c.g;
          row[3 * x + 2] = c.r;
        }
      }
      src = row;
    }
    JSAMPROW r = const_cast<JSAMPROW>(src);  // libjpeg only reads the row
    jpeg_write_scanlines(&e.cinfo, &r, 1);
  }
  jpeg_finish_compress(&e.cinfo);
  return true;
}

}  // namespace

Image DecodeJpeg(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
  return detail::GuardRead(kName, [&](std::optional<PixelDimensions>& claimed) {
    if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8) detail::FailRead(kName, "no JPEG signature");
    Decoder d;
    if (!ReadHeader(d, bytes)) detail::FailRead(kName, TextOf(d.err), KindOf(d.err));
    // Data ending inside the headers, or right after them, leaves nothing to show.
    const jpeg_source_mgr& src = *d.cinfo.src;
    const bool no_scan_data = src.bytes_in_buffer == 0 || (src.bytes_in_buffer >= 2 && src.next_input_byte[0] == 0xFF &&
                                                           src.next_input_byte[1] == JPEG_EOI);
    if (d.err.data_ended || no_scan_data) detail::FailRead(kName, "the file is truncated before its image data");
    const std::int64_t w = d.cinfo.image_width, h = d.cinfo.image_height;
    claimed = detail::CheckReadSize(kName, w, h, 3, options);
    // A Huffman-coded block costs at least a bit; 8192 pixels per byte is far beyond any
    // real file, so bigger claims from small files are lies. Arithmetic coding can go lower.
    if (!d.cinfo.arith_code) detail::CheckCompressionBound(kName, w, h, bytes.size(), 8192);
    const bool gray = d.cinfo.out_color_space == JCS_GRAYSCALE;
    Image image(static_cast<int>(w), static_cast<int>(h), gray ? PixelFormat::Gray256 : PixelFormat::TrueColour);
    std::vector<std::uint8_t> cmyk_row(d.cinfo.out_color_space == JCS_CMYK ? 4 * static_cast<std::size_t>(w) : 0);
    if (!ReadPixels(d, image, cmyk_row.data())) detail::FailRead(kName, TextOf(d.err), KindOf(d.err));
    if (d.cinfo.density_unit == 1 || d.cinfo.density_unit == 2) {
      const double per_inch = d.cinfo.density_unit == 2 ? 2.54 : 1.0;
      image.Dpi().x = d.cinfo.X_density * per_inch;
      image.Dpi().y = d.cinfo.Y_density * per_inch;
    }
    return image;
  });
}

std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality, bool progressive) {
  detail::CheckWritable(kName, image);
  if (image.Width() > 65500 || image.Height() > 65500)
    detail::FailWrite(kName, "the image is larger than 65500 pixels", ErrorKind::Limit);
  const bool gray = detail::HasStandardGrayPalette(image);
  std::vector<std::uint8_t> row(image.Stride() * 3);
  Encoder e;
  if (!Compress(e, image, gray, quality, progressive, row.data()))
    detail::FailWrite(kName, TextOf(e.err), KindOf(e.err) == ErrorKind::Limit ? ErrorKind::Limit : ErrorKind::InputOutput);
  return std::vector<std::uint8_t>(e.buffer, e.buffer + e.size);
}

}  // namespace ocelot::imaging
