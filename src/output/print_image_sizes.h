// The print option "Image Size": how a capture's fitted print sizes the image.
#pragma once

#include <array>

#include "settings/setting_enums.h"

namespace ocelot::output {

struct PrintImageSizeInfo {
  settings::PrintImageSize size;
  const char* option_text;  // the radio button of the configuration dialog
  int fitted_mode;          // the mode of PrintImageFitted and FittedLayout
};

// In the order of the option's radio buttons.
const std::array<PrintImageSizeInfo, 2>& PrintImageSizes();
const PrintImageSizeInfo& Describe(settings::PrintImageSize size);

}  // namespace ocelot::output
