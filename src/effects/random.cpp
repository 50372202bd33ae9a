#include "effects/random.h"

#include "common/rounding.h"

namespace velkaro {

void Random::reseed(std::uint32_t seconds_since_midnight) { engine_.seed(seconds_since_midnight); }

float Random::next() {
  constexpr float two_to_minus_24 = 0x1p-24f;
  return static_cast<float>(engine_() >> 8) * two_to_minus_24;
}

std::int32_t Random::next_below(std::int32_t n) {
  const float product = next() * static_cast<float>(n);
  // The floor of r × n always fits an int32 because |r × n| < |n|.
  return floor_as<std::int32_t>(product).value_or(0);
}

}  // namespace velkaro
