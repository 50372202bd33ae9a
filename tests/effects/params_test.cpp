// The option scanner on strings the presets do not contain: value end rules,
// option windows, failed stores and hostile input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "effects/params.h"

namespace velkaro {
namespace {

EngineParams Parsed(std::string_view text) {
  EngineParams p;
  ParseParams(text, p);
  return p;
}

TEST(LeadingNumber, ReadsSignDigitsPointDigits) {
  EXPECT_EQ(LeadingNumber("05"), 5.0);
  EXPECT_EQ(LeadingNumber(".1"), 0.1);
  EXPECT_EQ(LeadingNumber("-0.25"), -0.25);
  EXPECT_EQ(LeadingNumber("+7"), 7.0);
  EXPECT_EQ(LeadingNumber("5."), 5.0);
  EXPECT_EQ(LeadingNumber("-.5"), -0.5);
  EXPECT_EQ(LeadingNumber("12abc"), 12.0);
  EXPECT_EQ(LeadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(LeadingNumber("3 "), 3.0);
}

TEST(LeadingNumber, NoExponentAndNoDigitsReadAsZero) {
  EXPECT_EQ(LeadingNumber("1e9"), 1.0);
  EXPECT_EQ(LeadingNumber("2.5E3"), 2.5);
  for (std::string_view zero : {"", "-", "+", ".", "-.", "--5", " 5", "x1", "0x10"})
    EXPECT_EQ(LeadingNumber(zero), 0.0) << '"' << zero << '"';
}

TEST(LeadingNumber, NegativeZeroBecomesZero) {
  for (std::string_view text : {"-0", "-0.000", "-", "-.0"}) {
    const auto value = LeadingNumber(text);
    ASSERT_TRUE(value.has_value());
    EXPECT_FALSE(std::signbit(*value)) << text;
  }
}

TEST(LeadingNumber, BeyondDoubleFailsAndBelowReadsAsZero) {
  EXPECT_FALSE(LeadingNumber(std::string(400, '9')).has_value());
  EXPECT_FALSE(LeadingNumber("-" + std::string(400, '9') + ".5").has_value());
  EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(LeadingNumber(std::string(5000, '0') + "42"), 42.0);
}

TEST(ParseParams, ValueAtTheEndRunsToTheEnd) {
  EXPECT_EQ(Parsed("-p 12345").PartMax, 12345);
  EXPECT_EQ(Parsed("-p 7").PartMax, 7);
  EXPECT_EQ(Parsed("-p 7 ").PartMax, 7);
  const EngineParams two = Parsed("-s 2 7.5");
  EXPECT_EQ(two.SpeedMin, 2.0f);
  EXPECT_EQ(two.SpeedRange, 5.5f);
}

// A matched option with nothing after it stores 0 and so suppresses its
// default, here Gravity's -0.01.
TEST(ParseParams, EmptyValueAtTheEndStoresZero) {
  EXPECT_EQ(Parsed("-b 3 -g").Gravity, 0.0f);
  EXPECT_EQ(Parsed("-g ").Gravity, 0.0f);
  EXPECT_EQ(Parsed("-p").PartMax, 0);
  const EngineParams c = Parsed("-c 90");  // second value past the end
  EXPECT_TRUE(c.EmitOn);
  EXPECT_EQ(c.AngleMin, 90);
  EXPECT_EQ(c.AngleRange, -90);
}

TEST(ParseParams, ValueStartsAfterExactlyOneSeparator) {
  // The value starts at the third character after the option, whatever the
  // second is; "-b5" reads the space after it as an empty value.
  EXPECT_EQ(Parsed("-b5 -p 9").BlurCount, 0);
  EXPECT_EQ(Parsed("-b5 -p 9").PartMax, 9);
  EXPECT_EQ(Parsed("-b:7").BlurCount, 7);
  // Two separators: the value text is empty.
  EXPECT_EQ(Parsed("-b  7").BlurCount, 0);
}

// Options glued to a value are part of that value: "5-g" is read as 5 and
// -g is never matched, so its default applies.
TEST(ParseParams, OptionGluedToAValueIsSwallowed) {
  const EngineParams p = Parsed("-b 5-g 1");
  EXPECT_EQ(p.BlurCount, 5);
  EXPECT_EQ(p.Gravity, -0.01f);
}

TEST(ParseParams, ValuesAreNeverTakenForOptions) {
  // "-0.25" and "-1" sit where values are expected; an option inside a value
  // text ("-n" below) is consumed with it.
  const EngineParams p = Parsed("-g -0.25 -f -1 -k 3-n9");
  EXPECT_EQ(p.Gravity, -0.25f);
  EXPECT_EQ(p.EmitMode, -1);
  EXPECT_EQ(p.BurstCount, 3);
  EXPECT_EQ(p.EmitCount, 3);  // the default: -n never matched
}

TEST(ParseParams, OptionsAreFoundWithoutTokenBoundaries) {
  // The window is tested at every unconsumed position, so an option glued to
  // garbage that is not a value is still found.
  EXPECT_EQ(Parsed("xx-p 40").PartMax, 40);
  EXPECT_EQ(Parsed("--p 40").PartMax, 40);
}

TEST(ParseParams, LettersAreCaseSensitive) {
  const EngineParams p = Parsed("-n 4 -N 2 -d 3 -D 1 -c 10 20 -C 100 150");
  EXPECT_EQ(p.EmitCount, 4);
  EXPECT_EQ(p.EmitJitter, 2);
  EXPECT_EQ(p.FadeBase, 3.0f);
  EXPECT_EQ(p.FadeJitter, 1.0f);
  EXPECT_EQ(p.AngleMin, 10);
  EXPECT_EQ(p.AngleRange, 10);
  EXPECT_EQ(p.ColBase, 100);
  EXPECT_EQ(p.ColRange, 50);
  EXPECT_EQ(Parsed("-P 5 -G 1").PartMax, 2000);
}

TEST(ParseParams, LastOccurrenceWins) {
  const EngineParams p = Parsed("-p 100 -b 2 -p 300 -c 0 360 -c 90 180 -y 4 -y 2");
  EXPECT_EQ(p.PartMax, 300);
  EXPECT_EQ(p.AngleMin, 90);
  EXPECT_EQ(p.AngleRange, 90);
  EXPECT_EQ(p.ScrollRows, 2);
  EXPECT_TRUE(Parsed("-r 1 -r 1").ClearFrame);
  EXPECT_FALSE(Parsed("-r 1 -r 0").ClearFrame);
}

TEST(ParseParams, IntegersRoundToNearestTiesToEven) {
  EXPECT_EQ(Parsed("-p 2.5").PartMax, 2);
  EXPECT_EQ(Parsed("-p 3.5").PartMax, 4);
  EXPECT_EQ(Parsed("-p -2.5").PartMax, -2);
  EXPECT_EQ(Parsed("-p 2.4999").PartMax, 2);
  // The second value's distance is taken in double before rounding.
  EXPECT_EQ(Parsed("-c 10 12.5").AngleRange, 2);
  EXPECT_EQ(Parsed("-c 10 13.5").AngleRange, 4);
}

TEST(ParseParams, RealsAreStoredAsFloats) {
  EXPECT_EQ(Parsed("-g -0.01").Gravity, float(-0.01));
  EXPECT_EQ(Parsed("-w 0.3").WindAmp, float(0.3));
  // b - SpeedMin uses the float already stored: 0.1f is not 0.1.
  EXPECT_EQ(Parsed("-s 0.1 1").SpeedRange, float(1.0 - double(0.1f)));
}

TEST(ParseParams, FlagOptionsSetTheirFlagWhateverTheValue) {
  const EngineParams p = Parsed("-w 0 -y 0 -c 0 0");
  EXPECT_TRUE(p.WindOn);
  EXPECT_TRUE(p.ScrollOn);
  EXPECT_TRUE(p.EmitOn);
  EXPECT_FALSE(Parsed("-r 2").ClearFrame);
  EXPECT_FALSE(Parsed("-r 1.5").ClearFrame);
  EXPECT_TRUE(Parsed("-r 1.0").ClearFrame);
  EXPECT_TRUE(Parsed("-r 01").ClearFrame);
}

// -C with a value outside 0..255 fails that one store; the option still
// counts as present, so its default is not applied.
TEST(ParseParams, ColourOutOfRangeLeavesOnlyThatTarget) {
  const EngineParams base_fails = Parsed("-C 300 20");
  EXPECT_EQ(base_fails.ColBase, 0);
  EXPECT_EQ(base_fails.ColRange, 20);
  const EngineParams range_fails = Parsed("-C 200 100");
  EXPECT_EQ(range_fails.ColBase, 200);
  EXPECT_EQ(range_fails.ColRange, 0);
  EXPECT_EQ(Parsed("-C 255.5 0").ColBase, 0);  // rounds to 256
  EXPECT_EQ(Parsed("-C 254.5 0").ColBase, 254);
  EXPECT_EQ(Parsed("-C -1 10").ColRange, 10);
  const EngineParams kept = Parsed("-C 40 50 -C 999 60");
  EXPECT_EQ(kept.ColBase, 40);
  EXPECT_EQ(kept.ColRange, 20);
}

TEST(ParseParams, IntegerOverflowLeavesOnlyThatTarget) {
  EXPECT_EQ(Parsed("-p 2147483647").PartMax, 2147483647);
  EXPECT_EQ(Parsed("-p -2147483648").PartMax, std::numeric_limits<std::int32_t>::min());
  const EngineParams p = Parsed("-p 2147483648 -b 4");
  EXPECT_EQ(p.PartMax, 0);  // not the default 2000: -p was matched
  EXPECT_EQ(p.BlurCount, 4);
  EXPECT_EQ(Parsed("-p 2147483647.5").PartMax, 0);  // ties to even: 2^31
  EXPECT_EQ(Parsed("-p 100 -p 99999999999").PartMax, 100);
  // A failed first value leaves AngleMin, and the range is taken from it.
  const EngineParams c = Parsed("-c 5 10 -c 3000000000 40");
  EXPECT_EQ(c.AngleMin, 5);
  EXPECT_EQ(c.AngleRange, 35);
}

TEST(ParseParams, RealsBeyondFloatRangeFail) {
  const std::string huge = "1" + std::string(39, '0');  // 1e39 > FLT_MAX
  EXPECT_EQ(Parsed("-g " + huge).Gravity, 0.0f);
  EXPECT_EQ(Parsed("-d " + huge).FadeBase, 0.2f);
  const EngineParams w = Parsed("-w " + huge);
  EXPECT_TRUE(w.WindOn);
  EXPECT_EQ(w.WindAmp, 0.0f);
  const EngineParams s = Parsed("-s " + huge + " 5");
  EXPECT_EQ(s.SpeedMin, 0.0f);
  EXPECT_EQ(s.SpeedRange, 5.0f);
  EXPECT_EQ(Parsed("-g 340282346638528859811704183484516925440").Gravity,
            std::numeric_limits<float>::max());
}

TEST(ParseParams, NumbersBeyondDoubleFail) {
  const std::string beyond = std::string(400, '9');
  EXPECT_EQ(Parsed("-p 5 -p " + beyond).PartMax, 5);
  EXPECT_TRUE(Parsed("-r 1 -r " + beyond).ClearFrame);
  EXPECT_EQ(Parsed("-s 1 " + beyond).SpeedRange, 0.0f);
}

TEST(ParseParams, ResetsToTheValuesBeforeTheScan) {
  EngineParams p;
  ParseParams("-p 9 -d 3 -D 2 -r 1 -N 4 -C 1 2 -w 5", p);
  ParseParams("", p);
  EXPECT_EQ(p.PartMax, 2000);
  EXPECT_EQ(p.FadeBase, 0.2f);
  EXPECT_EQ(p.FadeJitter, 0.0f);
  EXPECT_FALSE(p.ClearFrame);
  EXPECT_EQ(p.EmitJitter, 0);
  EXPECT_EQ(p.ColBase, 255);
  EXPECT_FALSE(p.WindOn);
}

TEST(ParseParams, GarbageIsSkipped) {
  EngineParams defaults;
  ParseParams("", defaults);
  for (std::string_view text :
       {"x", "-", "--", "- p 5", "hello world", "-q 5 -z 3", "\t-\tp", "-x", "p-"})
    EXPECT_EQ(Parsed(text), defaults) << text;
  EXPECT_EQ(Parsed(std::string_view("-p\0"
                                    "8",
                                    4))
                .PartMax,
            8);
  EXPECT_EQ(Parsed("\xff\xfe-b 6\x80").BlurCount, 6);
}

// Long and arbitrary strings: the scan must end and stay inside the text.
// Run under a sanitizer build this also checks every read.
TEST(ParseParams, LongAndArbitraryStringsAreSafe) {
  std::string repeated;
  for (int n = 0; n < 20000; ++n) repeated += "-p " + std::to_string(n) + " ";
  EXPECT_EQ(Parsed(repeated).PartMax, 19999);

  EXPECT_EQ(Parsed(std::string(100000, '-')).PartMax, 2000);
  EXPECT_EQ(Parsed("-g " + std::string(100000, '7')).Gravity, 0.0f);
  EXPECT_EQ(Parsed("-n " + std::string(100000, '0') + "6").EmitCount, 6);

  std::uint32_t state = 12345;
  const std::string alphabet = "-fpbgykNncCsSlwdDr 0123456789.+e";
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const std::size_t length = round % 97;
    for (std::size_t k = 0; k < length; ++k) {
      state = state * 1664525u + 1013904223u;
      text += alphabet[(state >> 16) % alphabet.size()];
    }
    EngineParams p;
    ParseParams(text, p);
    EXPECT_FALSE(std::isnan(p.Gravity)) << text;
  }
}

}  // namespace
}  // namespace velkaro
