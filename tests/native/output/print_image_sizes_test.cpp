#include "output/print_image_sizes.h"

#include <gtest/gtest.h>

namespace ocelot::output {
namespace {

using settings::PrintImageSize;

TEST(PrintImageSizes, OptionTextsAndFittedModes) {
  EXPECT_STREQ(Describe(PrintImageSize::Normal).option_text, "Normal Image Size");
  EXPECT_EQ(Describe(PrintImageSize::Normal).fitted_mode, 0);
  EXPECT_STREQ(Describe(PrintImageSize::StretchToFullPage).option_text, "Stretch/Shrink Image To Full Page");
  EXPECT_EQ(Describe(PrintImageSize::StretchToFullPage).fitted_mode, 1);
  ASSERT_EQ(PrintImageSizes().size(), 2u);
  EXPECT_EQ(PrintImageSizes()[0].size, PrintImageSize::Normal);
  EXPECT_EQ(PrintImageSizes()[1].size, PrintImageSize::StretchToFullPage);
}

}  // namespace
}  // namespace ocelot::output
