// Pixel math: rounding and trigonometry that give the same bits in every build.
//
// The pixel operations must produce identical images natively and in the Windows build, so
// they never call the C library's sin/cos (their last bit differs between C runtimes).
// Sin and Cos below use only IEEE double additions and multiplications, which SSE2 performs
// identically everywhere (no FMA contraction, no x87).
#pragma once

#include <cmath>
#include <cstdint>

namespace ocelot::imaging {

inline constexpr double kPi = 3.14159265358979323846;

// Nearest integer, halves to the even neighbour (the default IEEE rounding mode).
inline double RoundHalfEven(double v) { return std::nearbyint(v); }
inline float RoundHalfEven(float v) { return std::nearbyintf(v); }
inline int RoundToInt(double v) { return static_cast<int>(std::nearbyint(v)); }

// sin and cos of x radians, accurate to about one unit in the last place for |x| < 1e6.
double Sin(double x);
double Cos(double x);

// Byte limit: below 0 gives 0, above 255 gives 255.
inline std::uint8_t Limit(int v) {
  return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

}  // namespace ocelot::imaging
