#include "render_options.h"

#include <gtest/gtest.h>

namespace velkaro::render_tool {
namespace {

std::variant<Options, std::string> Parse(std::vector<std::string_view> arguments) {
  return ParseOptions(arguments);
}

TEST(RenderOptions, TakesEveryOptionWithItsDefaults) {
  const auto defaults = std::get<Options>(Parse({"--pattern", "7"}));
  EXPECT_EQ(defaults.pattern, 7);
  EXPECT_EQ(defaults.frames, 120);
  EXPECT_EQ(defaults.fps, 60);
  EXPECT_FALSE(defaults.seed);
  EXPECT_EQ(defaults.clock_seconds, 0u);
  EXPECT_EQ(defaults.dump, Dump::None);
  EXPECT_EQ(defaults.every, 0);

  const auto all = std::get<Options>(Parse(
      {"--pattern", "-1",      "--params",   "-b 2 -l 4", "--frames", "0",        "--fps",
       "30",        "--seed",  "4294967295", "--clock",   "86399",    "--random", "--png",
       "a.png",     "--every", "4",          "--raw",     "a.raw",    "--dump",   "palette"}));
  EXPECT_EQ(all.pattern, -1);
  EXPECT_EQ(all.params, "-b 2 -l 4");
  EXPECT_EQ(all.frames, 0);
  EXPECT_EQ(all.fps, 30);
  EXPECT_EQ(all.seed, 4294967295u);
  EXPECT_EQ(all.clock_seconds, 86399u);
  EXPECT_TRUE(all.random);
  EXPECT_EQ(all.png, "a.png");
  EXPECT_EQ(all.every, 4);
  EXPECT_EQ(all.raw, "a.raw");
  EXPECT_EQ(all.dump, Dump::Palette);
}

TEST(RenderOptions, RefusesBadArgumentsWithAOneLineMessage) {
  for (const auto& arguments : std::vector<std::vector<std::string_view>>{
           {},
           {"--frames", "3"},
           {"--pattern"},
           {"--pattern", "x"},
           {"--pattern", "5", "--fps", "0"},
           {"--pattern", "5", "--frames", "1e3"},
           {"--pattern", "5", "--frames", "-1"},
           {"--pattern", "5", "--seed", "4294967296"},
           {"--pattern", "5", "--dump", "pixels"},
           {"--pattern", "5", "--png"},
           {"--pattern", "5", "--bogus"},
           {"--pattern", "5", "--every", "4"},
           {"--pattern", "5", "--png", "a.png", "--every", "0"},
       }) {
    const auto result = Parse(arguments);
    ASSERT_TRUE(std::holds_alternative<std::string>(result));
    EXPECT_EQ(std::get<std::string>(result).find('\n'), std::string::npos);
  }
}

TEST(RenderOptions, NamesASeriesFileByItsFrameBeforeTheExtension) {
  EXPECT_EQ(SeriesFileName("run.png", 8), "run-000008.png");
  EXPECT_EQ(SeriesFileName("out/run.png", 1234567), "out/run-1234567.png");
  EXPECT_EQ(SeriesFileName("run", 4), "run-000004");
  // A dot in a folder's name is no extension.
  EXPECT_EQ(SeriesFileName("a.b/run", 4), "a.b/run-000004");
  EXPECT_EQ(SeriesFileName("a.b/.hidden", 4), "a.b/.hidden-000004");
}

}  // namespace
}  // namespace velkaro::render_tool
