#include "effects/choose_pattern.h"

#include "effects/presets.h"

namespace velkaro {

std::string_view ChoosePattern(Settings& settings, Random& random,
                               std::uint32_t seconds_since_midnight) {
  if (settings.Rdm_Flag == 1) {
    random.reseed(seconds_since_midnight);
    settings.Pattern_No = static_cast<std::int16_t>(random.next_below(PatternCount));
  }
  return ParamString(settings.Pattern_No);
}

}  // namespace velkaro
