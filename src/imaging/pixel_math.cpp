// Pixel math: build-independent sin and cos (Taylor series after a three-part reduction).
#include "imaging/pixel_math.h"

namespace ocelot::imaging {
namespace {

// pi/2 split into two 33-bit parts and a remainder, so k * part is exact for |k| < 2^20.
constexpr double kHalfPi1 = 1.5707963267341256;
constexpr double kHalfPi2 = 6.077100506303966e-11;
constexpr double kHalfPi3 = 2.0222662487959506e-21;
constexpr double kTwoOverPi = 0.63661977236758134308;

// Taylor polynomials for |r| <= pi/4; the first omitted term is below 1e-19.
double SinKernel(double r) {
  const double z = r * r;
  double p = 1.0 / 355687428096000.0;  // 1/17!
  p = p * z - 1.0 / 1307674368000.0;   // 1/15!
  p = p * z + 1.0 / 6227020800.0;      // 1/13!
  p = p * z - 1.0 / 39916800.0;        // 1/11!
  p = p * z + 1.0 / 362880.0;          // 1/9!
  p = p * z - 1.0 / 5040.0;            // 1/7!
  p = p * z + 1.0 / 120.0;             // 1/5!
  p = p * z - 1.0 / 6.0;               // 1/3!
  return r + r * z * p;
}

double CosKernel(double r) {
  const double z = r * r;
  double p = 1.0 / 6402373705728000.0;  // 1/18!
  p = p * z - 1.0 / 20922789888000.0;   // 1/16!
  p = p * z + 1.0 / 87178291200.0;      // 1/14!
  p = p * z - 1.0 / 479001600.0;        // 1/12!
  p = p * z + 1.0 / 3628800.0;          // 1/10!
  p = p * z - 1.0 / 40320.0;            // 1/8!
  p = p * z + 1.0 / 720.0;              // 1/6!
  p = p * z - 1.0 / 24.0;               // 1/4!
  p = p * z + 0.5;                      // 1/2!
  return 1.0 - z * p;
}

// x = k * pi/2 + r with |r| <= pi/4 (slightly more for huge x); returns k mod 4.
int Reduce(double x, double& r) {
  const double k = std::nearbyint(x * kTwoOverPi);
  r = ((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3;
  const auto q = static_cast<long long>(k);
  return static_cast<int>(q & 3);
}

}  // namespace

double Sin(double x) {
  if (!std::isfinite(x)) return std::nan("");
  double r = 0;
  switch (Reduce(x, r)) {
    case 0: return SinKernel(r);
    case 1: return CosKernel(r);
    case 2: return -SinKernel(r);
    default: return -CosKernel(r);
  }
}

double Cos(double x) {
  if (!std::isfinite(x)) return std::nan("");
  double r = 0;
  switch (Reduce(x, r)) {
    case 0: return CosKernel(r);
    case 1: return -SinKernel(r);
    case 2: return -CosKernel(r);
    default: return SinKernel(r);
  }
}

}  // namespace ocelot::imaging
