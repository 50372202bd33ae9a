#include "xhack/hack_options.h"

#include <gtest/gtest.h>

namespace velkaro::xhack {
namespace {

std::variant<HackOptions, std::string> Parse(std::vector<std::string_view> arguments) {
  return ParseHackOptions(arguments);
}

TEST(HackOptions, TakesXScreenSaverSpellings) {
  const auto none = std::get<HackOptions>(Parse({}));
  EXPECT_EQ(none.pattern, 0);
  EXPECT_EQ(none.delay_us, 16667);
  EXPECT_FALSE(none.root || none.random || none.help || none.window_id);

  const auto given = std::get<HackOptions>(
      Parse({"--root", "-pattern", "27", "--delay", "0", "-random", "-window-id", "0x2a"}));
  EXPECT_TRUE(given.root);
  EXPECT_TRUE(given.random);
  EXPECT_EQ(given.pattern, 27);
  EXPECT_EQ(given.delay_us, 0);
  EXPECT_EQ(given.window_id, 42u);
  EXPECT_TRUE(std::get<HackOptions>(Parse({"-help"})).help);
}

TEST(HackOptions, RefusesWithOneLineNamingTheOption) {
  const std::vector<std::vector<std::string_view>> refused = {
      {"-bogus"},
      {"-pattern"},
      {"-pattern", "28"},
      {"-pattern", "-1"},
      {"-pattern", "5x"},
      {"-delay", "-1"},
      {"-delay", "10000001"},
      {"-window-id", "0"},
      {"-window-id", "0x"},
      {"-window-id", "12abc"},
      {"root"},
      {"---root"},
  };
  for (const auto& arguments : refused) {
    const auto result = Parse(arguments);
    ASSERT_TRUE(std::holds_alternative<std::string>(result)) << arguments[0];
    const std::string& message = std::get<std::string>(result);
    EXPECT_EQ(message.find('\n'), std::string::npos);
    EXPECT_NE(message.find(arguments[0].substr(arguments[0].find_first_not_of('-'))),
              std::string::npos)
        << message;
  }
}

TEST(HackOptions, WindowIdsAreDecimalOrHexAndFitAnXid) {
  EXPECT_EQ(ParseWindowId("4194310"), 4194310u);
  EXPECT_EQ(ParseWindowId("0x400006"), 0x400006u);
  EXPECT_EQ(ParseWindowId("0X1FFFFFFF"), 0x1FFFFFFFu);
  EXPECT_EQ(ParseWindowId("0x20000000"), std::nullopt);
  EXPECT_EQ(ParseWindowId(""), std::nullopt);
  EXPECT_EQ(ParseWindowId("-5"), std::nullopt);
  EXPECT_EQ(ParseWindowId(" 5"), std::nullopt);
}

TEST(HackOptions, ChoosesTheWindowAsXScreenSaverHacksDo) {
  using Kind = WindowChoice::Kind;
  HackOptions options;
  EXPECT_EQ(std::get<WindowChoice>(ChooseWindow(options, nullptr)).kind, Kind::Own);
  EXPECT_EQ(std::get<WindowChoice>(ChooseWindow(options, "")).kind, Kind::Own);
  EXPECT_EQ(std::get<WindowChoice>(ChooseWindow(options, "0x10")), (WindowChoice{Kind::Given, 16}));
  options.root = true;
  EXPECT_EQ(std::get<WindowChoice>(ChooseWindow(options, nullptr)).kind, Kind::Root);
  // The daemon runs "velkaro --root" and names its own window.
  EXPECT_EQ(std::get<WindowChoice>(ChooseWindow(options, "77")), (WindowChoice{Kind::Given, 77}));
  options.window_id = 5;
  EXPECT_EQ(std::get<WindowChoice>(ChooseWindow(options, "77")), (WindowChoice{Kind::Given, 5}));
  options.window_id.reset();
  EXPECT_TRUE(std::holds_alternative<std::string>(ChooseWindow(options, "window")));
}

}  // namespace
}  // namespace velkaro::xhack
