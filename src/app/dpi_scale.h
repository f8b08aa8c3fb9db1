// The main window's enlargement on 120-dpi screens.
#pragma once

namespace ocelot::app {

// v x 1.25, rounded to the nearest integer with halves to the even neighbour (626 -> 782).
constexpr int ScaleBy125(long v) {
  const long q = v * 5 / 4;
  const long r = v * 5 % 4;
  if (r > 2 || (r == 2 && q % 2 != 0)) return static_cast<int>(q + 1);
  return static_cast<int>(q);
}

}  // namespace ocelot::app
