#include "app/dpi_scale.h"

#include <gtest/gtest.h>

using ocelot::app::ScaleBy125;

TEST(ScaleBy125, RoundsHalvesToTheEvenNeighbour) {
  struct Case { long in; int out; };
  // 626 x 1.25 = 782.5 and 455 x 1.25 = 568.75; 2 x 1.25 = 2.5, 6 x 1.25 = 7.5.
  for (const Case c : {Case{626, 782}, Case{455, 569}, Case{2, 2}, Case{6, 8}, Case{4, 5}, Case{0, 0}, Case{1, 1},
                       Case{3, 4}})
    EXPECT_EQ(ScaleBy125(c.in), c.out) << c.in;
}
