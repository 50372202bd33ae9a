#include "effects/choose_pattern.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "effects/presets.h"
#include "settings/settings.h"

namespace velkaro {
namespace {

// The pattern a random start picks at a given time of day, computed from the
// standard generator directly.
int PatternAt(std::uint32_t seconds) {
  std::mt19937 reference(seconds);
  const float r = float(reference() >> 8) / 16777216.0f;
  return int(std::floor(r * 28.0f));
}

TEST(ChoosePattern, RandomFlagPicksFromTheClock) {
  for (std::uint32_t seconds : {0u, 1u, 3600u, 45296u, 86399u}) {
    Settings settings;
    settings.Rdm_Flag = 1;
    settings.Pattern_No = 3;
    Random random;
    const std::string_view params =
        ChoosePattern(settings.Rdm_Flag, settings.Pattern_No, random, seconds);
    EXPECT_EQ(settings.Pattern_No, PatternAt(seconds)) << seconds;
    EXPECT_EQ(params, ParamString(settings.Pattern_No));
    // The choice takes exactly one draw of the reseeded sequence.
    std::mt19937 reference(seconds);
    reference();
    EXPECT_EQ(random.next(), float(reference() >> 8) / 16777216.0f);
  }
}

TEST(ChoosePattern, RandomChoiceReachesEveryPatternAndNoOther) {
  std::array<int, PatternCount> seen{};
  for (std::uint32_t seconds = 0; seconds < 3000; ++seconds) {
    Settings settings;
    settings.Rdm_Flag = 1;
    Random random;
    EXPECT_FALSE(ChoosePattern(settings.Rdm_Flag, settings.Pattern_No, random, seconds).empty());
    ASSERT_GE(settings.Pattern_No, 0);
    ASSERT_LT(settings.Pattern_No, PatternCount);
    ++seen[std::size_t(settings.Pattern_No)];
  }
  for (int pattern = 0; pattern < PatternCount; ++pattern)
    EXPECT_GT(seen[std::size_t(pattern)], 0) << "pattern " << pattern;
}

// Without the random flag neither the pattern nor the generator changes, so a
// fixed pattern replays the default sequence.
TEST(ChoosePattern, FixedPatternKeepsNumberAndGenerator) {
  for (std::int16_t flag : {std::int16_t(0), std::int16_t(2), std::int16_t(-1)}) {
    Settings settings;
    settings.Rdm_Flag = flag;
    settings.Pattern_No = 17;
    Random random;
    EXPECT_EQ(ChoosePattern(settings.Rdm_Flag, settings.Pattern_No, random, 45296),
              ParamString(17));
    EXPECT_EQ(settings.Pattern_No, 17);
    EXPECT_EQ(random.next(), Random().next());
  }
}

TEST(ChoosePattern, FixedPatternOutsideTheTableGivesAnEmptyString) {
  for (std::int16_t number : {std::int16_t(-1), std::int16_t(28), std::int16_t(32767)}) {
    Settings settings;
    settings.Pattern_No = number;
    Random random;
    EXPECT_TRUE(ChoosePattern(settings.Rdm_Flag, settings.Pattern_No, random, 0).empty());
    EXPECT_EQ(settings.Pattern_No, number);
  }
}

}  // namespace
}  // namespace velkaro
