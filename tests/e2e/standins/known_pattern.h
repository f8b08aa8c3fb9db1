// The picture known_screen.exe paints, as a function of the screen position, so that any
// grab of it can be checked pixel by pixel:
//   red   = x mod 256
//   green = y mod 256
//   blue  = (64 * (x div 256) + 16 * (y div 256)) mod 256, plus 8 when (x + y) is odd
// (x, y) are screen coordinates, whatever window shows the pattern.
#pragma once

#include <cstdint>

namespace ocelot::e2e {

struct PatternColour {
  std::uint8_t r, g, b;
  friend bool operator==(const PatternColour&, const PatternColour&) = default;
};

inline PatternColour KnownPatternColour(int x, int y) {
  const int blue = (64 * (x / 256) + 16 * (y / 256) + (((x + y) & 1) ? 8 : 0)) & 0xFF;
  return PatternColour{static_cast<std::uint8_t>(x & 0xFF), static_cast<std::uint8_t>(y & 0xFF),
                       static_cast<std::uint8_t>(blue)};
}

}  // namespace ocelot::e2e
