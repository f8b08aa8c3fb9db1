// Resample: separable two-pass filtered scaling with a table of seven filters.
//
// First a horizontal pass from the source (sw x sh) into an intermediate 24-bit image
// (dw x sh), then a vertical pass into the target (dw x dh). Each pass rounds and limits to
// bytes. All filter arithmetic is single precision and the results are bit-identical in
// every build.
#pragma once

#include "imaging/image.h"

namespace ocelot::imaging {

// Entries of the filter table, by index.
enum class ResampleFilter : int {
  Box = 0,
  Triangle = 1,
  Hermite = 2,
  Bell = 3,
  BSpline = 4,
  Lanczos3 = 5,
  Mitchell = 6,
};
inline constexpr int kResampleFilterCount = 7;

// One entry of the table: its name, its support s and its function f.
struct ResampleFilterEntry {
  const char* name;
  float support;
  float (*function)(float x);
};

// Throws std::out_of_range for an index outside 0..6.
const ResampleFilterEntry& ResampleFilterAt(int index);
inline const ResampleFilterEntry& ResampleFilterAt(ResampleFilter filter) {
  return ResampleFilterAt(static_cast<int>(filter));
}

// The source scaled to width x height, as a true-colour image (an indexed source is converted
// to true colour first). Throws ocelot::Error("Source bitmap too small") for a source with no
// columns or no rows, std::invalid_argument for a negative size; a target width or height of
// 0 gives an empty image of that size.
Image Resample(const Image& source, int width, int height, ResampleFilter filter);

// The same with the target given as an image of the wanted size (its pixels are replaced and
// it becomes true colour) and the filter as a table index.
void Resample(const Image& source, Image& target, int filter_index);

}  // namespace ocelot::imaging
