// Random: the seedable pseudo-random generator of the noise and random-ripple effects.
//
// PCG32 (O'Neill's permuted congruential generator, XSH-RR output): 64-bit state, integer
// arithmetic only, so a seed gives the same sequence in every build.
#pragma once

#include <cstdint>

namespace ocelot::imaging {

class Random {
 public:
  explicit Random(std::uint64_t seed = 0) { Seed(seed); }

  void Seed(std::uint64_t seed);
  // Reseeds from the clock (the random ripple does this before it runs).
  void SeedFromClock();

  std::uint32_t NextU32();
  // A uniformly distributed integer 0..n-1 for n > 0; 0 for n <= 0, without advancing.
  int Next(int n);

 private:
  std::uint64_t state_ = 0;
};

}  // namespace ocelot::imaging
