// Error: the one exception type that crosses layers. Its text is technical detail (what
// failed and why); the user interface words the message the user reads from Kind(), the
// file it was working on and, for images too large to open, Dimensions().
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace ocelot {

enum class ErrorKind : std::uint8_t {
  InputOutput,  // a file, folder or device could not be opened, read or written
  Format,       // the data is not what it claims to be: not an image, a header that lies,
                // nothing decodable
  Limit,        // well-formed, but beyond what we handle: over the pixel limit, out of memory
  Unsupported,  // well-formed, but a variant we do not read or write (a compression, a depth)
};

// The width and height an image file claims, carried by Limit errors of the decoders.
struct PixelDimensions {
  std::int64_t width = 0;
  std::int64_t height = 0;
  friend bool operator==(const PixelDimensions&, const PixelDimensions&) = default;
};

class Error : public std::runtime_error {
 public:
  // Kind InputOutput: most errors raised outside the image library are failed file, printer
  // or settings accesses.
  explicit Error(const std::string& detail) : Error(ErrorKind::InputOutput, detail) {}
  Error(ErrorKind kind, const std::string& detail) : std::runtime_error(detail), kind_(kind) {}
  // An error about an image of the given size (normally kind Limit).
  Error(ErrorKind kind, const std::string& detail, PixelDimensions dimensions)
      : std::runtime_error(detail), kind_(kind), dimensions_(dimensions) {}

  ErrorKind Kind() const noexcept { return kind_; }
  // The technical detail, the same text as what().
  std::string Detail() const { return what(); }
  // The size the image claimed, when the error is about it; nothing otherwise.
  const std::optional<PixelDimensions>& Dimensions() const noexcept { return dimensions_; }

 private:
  ErrorKind kind_;
  std::optional<PixelDimensions> dimensions_;
};

}  // namespace ocelot
