#include "web/web_options.h"

#include <gtest/gtest.h>

namespace velkaro::web {
namespace {

TEST(AddressQuery, TakesTheRenderersOptionsAndAsksForAReplay) {
  const WebRunOptions options =
      ParseAddressQuery("?pattern=12&seed=4000000000&clock=43200&frames=30&fps=30");
  EXPECT_EQ(options.pattern, 12);
  EXPECT_EQ(options.seed, 4000000000u);
  EXPECT_EQ(options.clock_seconds, 43200u);
  EXPECT_EQ(options.frames, 30);
  EXPECT_EQ(options.fps, 30);
  EXPECT_TRUE(options.replay);
  EXPECT_FALSE(options.random);
}

TEST(AddressQuery, WithoutItsOptionsIsALiveRunAtTheDefaults) {
  for (const char* query : {"", "?", "?lang=ja", "?pattern", "&&"}) {
    const WebRunOptions options = ParseAddressQuery(query);
    EXPECT_FALSE(options.replay) << query;
    EXPECT_EQ(options.pattern, 0) << query;
    EXPECT_EQ(options.fps, 60) << query;
    EXPECT_FALSE(options.frames) << query;
    EXPECT_FALSE(options.seed) << query;
  }
}

// Whatever the address holds, the page gets a run it can start.
TEST(AddressQuery, BadValuesAreTheDefaults) {
  for (const char* query : {"pattern=28", "pattern=-1", "pattern=abc", "pattern=1.5", "pattern=",
                            "pattern=0x3", "pattern=99999999999999999999", "pattern=%31"}) {
    const WebRunOptions options = ParseAddressQuery(query);
    EXPECT_EQ(options.pattern, 0) << query;
    EXPECT_TRUE(options.replay) << query;
  }
  EXPECT_EQ(ParseAddressQuery("fps=0").fps, 60);
  EXPECT_EQ(ParseAddressQuery("fps=1001").fps, 60);
  EXPECT_EQ(ParseAddressQuery("fps=-3").fps, 60);
  EXPECT_EQ(ParseAddressQuery("clock=86400").clock_seconds, 0u);
  EXPECT_FALSE(ParseAddressQuery("seed=4294967296").seed);
  EXPECT_FALSE(ParseAddressQuery("frames=-5").frames);
  EXPECT_EQ(ParseAddressQuery("frames=0").frames, 0);
  // The last of a repeated option counts, and the others still apply.
  const WebRunOptions options = ParseAddressQuery("pattern=3&pattern=bad&fps=25");
  EXPECT_EQ(options.pattern, 0);
  EXPECT_EQ(options.fps, 25);
}

}  // namespace
}  // namespace velkaro::web
