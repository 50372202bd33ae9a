#include "effects/choose_pattern.h"

#include "effects/presets.h"

namespace velkaro {

std::string_view ChoosePattern(std::int16_t Rdm_Flag, std::int16_t& Pattern_No, Random& random,
                               std::uint32_t seconds_since_midnight) {
  if (Rdm_Flag == 1) {
    random.reseed(seconds_since_midnight);
    Pattern_No = static_cast<std::int16_t>(random.next_below(PatternCount));
  }
  return ParamString(Pattern_No);
}

}  // namespace velkaro
