#pragma once
// Choosing the run's pattern at the start of the saver.
//
// The load handler's order: ChoosePattern; then the pattern's extra start
// values (ExtraStartValues) and its animator set-up (SetUpFor: the pendulum
// or the curve), both before the scan; then ParseParams on the string
// returned here.
#include <cstdint>
#include <string_view>

#include "effects/random.h"

namespace velkaro {

// The engine takes only the two settings that choose the pattern. With
// Rdm_Flag = 1, reseeds `random` from the time of day and replaces Pattern_No
// in memory with a random pattern 0..27 (one draw). Otherwise the generator
// is left in its state and Pattern_No as loaded. Returns the parameter
// string of Pattern_No, empty for a number outside 0..27.
std::string_view ChoosePattern(std::int16_t Rdm_Flag, std::int16_t& Pattern_No, Random& random,
                               std::uint32_t seconds_since_midnight);

}  // namespace velkaro
