// The print size table.
#include "output/print_image_sizes.h"

namespace ocelot::output {

namespace {
using settings::PrintImageSize;
constexpr std::array<PrintImageSizeInfo, 2> kSizes = {{
    {PrintImageSize::Normal, "Normal Image Size", 0},
    {PrintImageSize::StretchToFullPage, "Stretch/Shrink Image To Full Page", 1},
}};
}  // namespace

const std::array<PrintImageSizeInfo, 2>& PrintImageSizes() { return kSizes; }

const PrintImageSizeInfo& Describe(PrintImageSize size) {
  for (const auto& row : kSizes)
    if (row.size == size) return row;
  return kSizes[0];  // unreachable: every value has its row
}

}  // namespace ocelot::output
