// The record's indexed settings as types: capture mode, output mode, image format and
// print size, with the values "ocelot.cfg" stores for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>

namespace ocelot::settings {

// Position in the "Capture Method" list, stored as CaptureMode.
enum class CaptureMode : std::int32_t {
  FullScreen = 0,
  ActiveWindow = 1,
  ActiveWindowClientArea = 2,
  UserDefinedRectangle = 3,
  UserDefinedRectangleWithRepeat = 4,
  UserDefinedCircle = 5,
  UserDefinedCircleWithRepeat = 6,
  MouseSelectedRegion = 7,
  DosTextAsGraphic = 8,
  DosTextAsTextFile = 9,
  DosGraphicsOnly = 10,
  ZoomCapture = 11,
  SuperScroll = 12,
};
inline constexpr int kCaptureModeCount = 13;

// Position in the "Capture and/or Print" list, stored as OutputMode.
enum class OutputMode : std::int32_t {
  PrintAndCapture = 0,
  PrintOnly = 1,
  CaptureOnly = 2,
  File = 3,
  Email = 4,
  MsWord = 5,
  MsPowerPoint = 6,
};
inline constexpr int kOutputModeCount = 7;

// Position in the "Capture Image Format" list, stored as CaptureFormat.
enum class ImageFormat : std::int32_t { Bmp = 0, Gif = 1, Jpeg = 2, Pcx = 3, Png = 4, Tga = 5, Tiff = 6 };
inline constexpr int kImageFormatCount = 7;

// The print option "Image Size", stored as PrintImageSize: the only two values its writer
// stores.
enum class PrintImageSize : std::int32_t { Normal = 1, StretchToFullPage = 2 };

// The number the record stores (and the list position, for the three list settings).
template <typename E>
  requires std::is_enum_v<E>
constexpr std::int32_t StoredValue(E value) {
  return static_cast<std::int32_t>(value);
}
// The same as an index into a descriptor table.
template <typename E>
  requires std::is_enum_v<E>
constexpr std::size_t TableIndex(E value) {
  return static_cast<std::size_t>(StoredValue(value));
}

// The value a stored number (or a list position) names; nothing for any other number.
constexpr std::optional<CaptureMode> CaptureModeOf(std::int32_t stored) {
  if (stored < 0 || stored >= kCaptureModeCount) return std::nullopt;
  return static_cast<CaptureMode>(stored);
}
constexpr std::optional<OutputMode> OutputModeOf(std::int32_t stored) {
  if (stored < 0 || stored >= kOutputModeCount) return std::nullopt;
  return static_cast<OutputMode>(stored);
}
constexpr std::optional<ImageFormat> ImageFormatOf(std::int32_t stored) {
  if (stored < 0 || stored >= kImageFormatCount) return std::nullopt;
  return static_cast<ImageFormat>(stored);
}
constexpr std::optional<PrintImageSize> PrintImageSizeOf(std::int32_t stored) {
  if (stored != StoredValue(PrintImageSize::Normal) && stored != StoredValue(PrintImageSize::StretchToFullPage))
    return std::nullopt;
  return static_cast<PrintImageSize>(stored);
}

}  // namespace ocelot::settings
