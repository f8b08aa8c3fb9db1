// Random: PCG32 with a fixed increment, and range reduction by multiply-shift.
#include "imaging/random.h"

#include <chrono>

namespace ocelot::imaging {
namespace {
constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
}  // namespace

void Random::Seed(std::uint64_t seed) {
  state_ = 0;
  NextU32();
  state_ += seed;
  NextU32();
}

void Random::SeedFromClock() {
  Seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

std::uint32_t Random::NextU32() {
  const std::uint64_t old = state_;
  state_ = old * kMultiplier + kIncrement;
  const auto xorshifted = static_cast<std::uint32_t>(((old >> 18) ^ old) >> 27);
  const auto rot = static_cast<std::uint32_t>(old >> 59);
  return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
}

int Random::Next(int n) {
  if (n <= 0) return 0;
  return static_cast<int>((static_cast<std::uint64_t>(NextU32()) * static_cast<std::uint32_t>(n)) >> 32);
}

}  // namespace ocelot::imaging
