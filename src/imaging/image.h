// Image: a picture in one of the six pixel formats, with palette and resolution.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ocelot::imaging {

// The six pixel formats an image is held in. Indexed formats (everything but TrueColour)
// keep one palette index per byte, unpacked; codecs pack and unpack bits at the file.
enum class PixelFormat : std::uint8_t {
  BlackWhite,  // 2 colours
  Gray16,      // 16 grays
  Gray256,     // 256 grays
  Colour16,    // 16 colours
  Colour256,   // 256 colours
  TrueColour,  // 24-bit, bytes blue, green, red
};

// Bits per pixel a file of this format stores: 1, 4, 8, 4, 8, 24.
int BitsPerPixel(PixelFormat format);
// Most palette entries an indexed format may use (0 for true colour).
int PaletteCapacity(PixelFormat format);
bool IsIndexed(PixelFormat format);
bool IsGray(PixelFormat format);

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Pixels per inch as the file recorded them; 0 when it recorded none.
struct Resolution {
  double x = 0, y = 0;
  friend bool operator==(const Resolution&, const Resolution&) = default;
};

// Decoders refuse images whose pixel buffer would exceed this many bytes (512 MiB), so a
// lying header can never make us allocate out of proportion to the file.
inline constexpr std::size_t kMaxPixelBytes = std::size_t{512} * 1024 * 1024;

class Image {
 public:
  Image() = default;
  // Pixels start at zero (index 0 or black). Throws std::length_error beyond kMaxPixelBytes.
  Image(int width, int height, PixelFormat format);

  Image(const Image&) = default;             // deep copy
  Image& operator=(const Image&) = default;
  Image(Image&&) noexcept = default;         // cheap
  Image& operator=(Image&&) noexcept = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelFormat Format() const { return format_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // 3 for true colour, 1 for the indexed formats.
  int BytesPerPixel() const { return format_ == PixelFormat::TrueColour ? 3 : 1; }
  // Rows are packed: Stride() == Width() * BytesPerPixel(); row 0 is the top row.
  std::size_t Stride() const { return static_cast<std::size_t>(width_) * BytesPerPixel(); }

  std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * Stride(); }
  const std::uint8_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * Stride(); }
  std::span<std::uint8_t> Pixels() { return pixels_; }
  std::span<const std::uint8_t> Pixels() const { return pixels_; }

  std::vector<Rgb>& Palette() { return palette_; }
  const std::vector<Rgb>& Palette() const { return palette_; }

  Resolution& Dpi() { return dpi_; }
  const Resolution& Dpi() const { return dpi_; }

  // Colour of pixel (x, y) whatever the format (palette looked up; index beyond the
  // palette gives black).
  Rgb PixelColour(int x, int y) const;

  friend bool operator==(const Image&, const Image&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::TrueColour;
  std::vector<std::uint8_t> pixels_;
  std::vector<Rgb> palette_;
  Resolution dpi_;
};

// The standard palette of a gray format: Gray16 levels 0, 17, ..., 255; Gray256 0..255;
// BlackWhite black then white.
std::vector<Rgb> GrayPalette(PixelFormat format);

}  // namespace ocelot::imaging
