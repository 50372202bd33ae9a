// Every parameter of every preset, worked out by hand from the preset strings:
// the values the scan leaves and the defaults it applies for absent options.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/params.h"
#include "effects/presets.h"

namespace velkaro {
namespace {

// One pattern's expected values in the order of EngineParams. Reals are given
// as the decimal of the string; the engine holds them as floats.
struct Golden {
  int pattern;
  std::int32_t PartMax, BlurCount;
  double Gravity;
  bool WindOn;
  double WindAmp;
  std::int32_t PalMode;
  bool ScrollOn;
  std::int32_t ScrollRows, BurstCount;
  bool EmitOn;
  std::int32_t AngleMin, AngleRange;
  int ColBase, ColRange;
  std::int32_t EmitCount, EmitJitter;
  double SpeedMin, SpeedRange;
  std::int32_t EmitMode;
  double FadeBase, FadeJitter;
  bool ClearFrame;
};

// No preset has -C, -N or -D: every row has ColBase 255, ColRange 0,
// EmitJitter 0 and FadeJitter 0.
// Laid out by hand: one preset a row, in the columns of the heading.
// clang-format off
const std::vector<Golden> kGolden = {
    // pat  Max  Blur  Grav  Wind Amp  Pal Scrl Rows Brst  Emit  AMin ARng  CB  CR  Cnt Jit SMin SRng Mode Fade  FJ  Clear
    { 0, 5000,  5, -0.25, true, 2,   0, true, 3, 200, true,   0, 360, 255, 0,  45, 0, 0,  4,  1, 0.2, 0, false},
    { 1, 5000,  5, -0.25, true, 2,   0, true, 3, 200, true,   0, 360, 255, 0,  25, 0, 0,  4,  1, 0.2, 0, false},
    { 2, 5000,  5, -0.25, true, 2,   0, true, 3, 200, true,   0, 360, 255, 0,  25, 0, 0,  1,  1, 0.2, 0, false},
    { 3, 5000,  5, -0.05, true, 0.2, 0, true, 3, 200, true,   0, 360, 255, 0,  25, 0, 0,  1,  1, 0.2, 0, false},
    { 4, 5000,  2, -0.25, true, 2,   0, true, 1, 200, true,   0, 360, 255, 0,  15, 0, 0,  4,  1, 0.2, 0, false},
    { 5, 9000,  1, -0.1,  true, 0.5, 0, true, 5, 200, true, 180, 180, 255, 0, 350, 0, 0, 10,  3, 15,  0, false},
    { 6, 10000, 6, -0.1,  true, 0.5, 0, true, 5, 200, true, 180, 180, 255, 0, 250, 0, 0, 10,  3, 9,   0, false},
    { 7, 5000,  5, -0.1,  true, 0.5, 0, true, 9, 200, true,   0, 360, 255, 0, 190, 0, 0,  1,  2, 9,   0, false},
    // "-n 05" is 5; "-s 0 0" is a fixed speed 0.
    { 8, 5000,  5, -0.01, true, 0.1, 3, true, 3, 200, true,   0, 360, 255, 0,   5, 0, 0,  0,  1, 0.2, 0, false},
    { 9, 5000, 10, -0.01, true, 0.4, 3, true, 3, 200, true,   0, 360, 255, 0,  12, 0, 0,  0,  1, 0.2, 0, false},
    // "-s 1 6": range 6 - 1; "-d 0" at the end; no -f.
    {10, 5000,  5, -0.55, true, 3,   3, true, 6, 200, true, 180, 180, 255, 0,  20, 0, 1,  5,  0, 0,   0, false},
    {11, 5500,  1, -0.11, true, 0.1, 3, true, 3, 200, true,   0, 360, 255, 0,  55, 0, 0,  1,  2, 0.2, 0, false},
    // "-g -0" is 0; "-w 0" and "-y 0" still switch wind and scrolling on.
    {12, 15000, 2, 0,     true, 0,   1, true, 0, 200, true,   0, 360, 255, 0, 150, 0, 0,  3,  0, 0.2, 0, true},
    // "-s 1 1": speed 1, range 0; "-d 0.1"; "-r 1" at the very end.
    {13, 5000,  3, -0.01, true, 0,   1, true, 0, 200, true,   0, 360, 255, 0,  90, 0, 1,  0,  2, 0.1, 0, true},
    // No -y, -c, -n, -s: angle, count and speed defaults, emission off.
    {14, 5000,  9, 0,     true, 0.5, 1, false, 0, 700, false, 180, 180, 255, 0,  3, 0, 0,  1,  0, 0.2, 0, false},
    {15, 1000,  2, 0,     true, 0.5, 1, false, 0, 200, false, 180, 180, 255, 0,  3, 0, 0,  1,  0, 0.2, 0, false},
    // "-g -" is 0, and the scan goes on with "-w".
    {16, 5000,  9, 0,     true, 0.5, 0, true, 0, 200, true,   0, 360, 255, 0,  30, 0, 0,  3,  2, 0.2, 0, false},
    {17, 5000,  4, 0,     true, 0.5, 0, true, 0, 200, true,   0, 360, 255, 0,  80, 0, 0,  4,  2, 15,  0, false},
    {18, 9000,  2, -0.1,  true, 0.5, 0, true, 0, 200, true,   0, 360, 255, 0, 350, 0, 0, 10,  2, 15,  0, false},
    {19, 5000,  5, -1,    true, 0.5, 0, true, 9, 200, true,   0, 360, 255, 0, 190, 0, 0,  5,  0, 9,   0, false},
    // No -w and no -y; "-s 0 0.5"; "-n 50" read to the end.
    {20, 7000, 11, 0,     false, 0,  0, false, 0, 400, true,  0, 360, 255, 0,  50, 0, 0, 0.5, 0, 0.2, 0, false},
    // "-s 20 20" at the end: a fixed speed of 20.
    {21, 5000,  6, 0,     true, 0.5, 0, true, 0, 200, true,   0, 360, 255, 0, 200, 0, 20, 0,  0, 0.2, 0, false},
    {22, 7000, 11, 0,     false, 0,  0, false, 0, 400, true,  0, 360, 255, 0,  50, 0, 0, 0.5, 0, 0.2, 0, false},
    // "-g .1" is +0.1.
    {23, 5000,  1, 0.1,   true, 0.5, 0, true, 0, 200, true,   0, 360, 255, 0,   1, 0, 0,  3,  0, 0.2, 0, false},
    // No -n and no -s; "-y 3" at the end.
    {24, 3000,  2, -0.01, true, 0.5, 0, true, 3, 200, true, 180, 180, 255, 0,   3, 0, 0,  1,  0, 0.2, 0, false},
    {25, 3000,  2, -0.01, true, 0.5, 0, true, 3, 200, true, 180, 180, 255, 0,   3, 0, 0,  1,  0, 0.2, 0, false},
    {26, 5000,  1, 0,     true, 0.5, 0, true, 0, 200, true,   0, 360, 255, 0,   1, 0, 0,  3,  0, 0.2, 0, false},
    {27, 3000,  2, -0.01, true, 0.5, 0, true, 1, 200, true, 180, 180, 255, 0,   3, 0, 0,  1,  0, 0.2, 0, false},
};
// clang-format on

TEST(PresetParams, GoldenTableCoversEveryPattern) {
  ASSERT_EQ(kGolden.size(), std::size_t(PatternCount));
  for (int pattern = 0; pattern < PatternCount; ++pattern)
    EXPECT_EQ(kGolden[std::size_t(pattern)].pattern, pattern);
}

TEST(PresetParams, ScanGivesTheGoldenValues) {
  for (const Golden& g : kGolden) {
    SCOPED_TRACE(testing::Message() << "pattern " << g.pattern << ": " << ParamString(g.pattern));
    EngineParams p;
    ParseParams(ParamString(g.pattern), p);
    EXPECT_EQ(p.PartMax, g.PartMax);
    EXPECT_EQ(p.BlurCount, g.BlurCount);
    EXPECT_EQ(p.Gravity, float(g.Gravity));
    EXPECT_EQ(p.WindOn, g.WindOn);
    EXPECT_EQ(p.WindAmp, float(g.WindAmp));
    EXPECT_EQ(p.PalMode, g.PalMode);
    EXPECT_EQ(p.ScrollOn, g.ScrollOn);
    EXPECT_EQ(p.ScrollRows, g.ScrollRows);
    EXPECT_EQ(p.BurstCount, g.BurstCount);
    EXPECT_EQ(p.EmitOn, g.EmitOn);
    EXPECT_EQ(p.AngleMin, g.AngleMin);
    EXPECT_EQ(p.AngleRange, g.AngleRange);
    EXPECT_EQ(int(p.ColBase), g.ColBase);
    EXPECT_EQ(int(p.ColRange), g.ColRange);
    EXPECT_EQ(p.EmitCount, g.EmitCount);
    EXPECT_EQ(p.EmitJitter, g.EmitJitter);
    EXPECT_EQ(p.SpeedMin, float(g.SpeedMin));
    EXPECT_EQ(p.SpeedRange, float(g.SpeedRange));
    EXPECT_EQ(p.EmitMode, g.EmitMode);
    EXPECT_EQ(p.FadeBase, float(g.FadeBase));
    EXPECT_EQ(p.FadeJitter, float(g.FadeJitter));
    EXPECT_EQ(p.ClearFrame, g.ClearFrame);
  }
}

// "-g -0" must not leave a negative zero: it would print as "-0" in the
// parameter dump although the value is 0.
TEST(PresetParams, ZeroGravityIsPositiveZero) {
  for (int pattern : {12, 14, 15, 16, 17, 20, 21, 26}) {
    EngineParams p;
    ParseParams(ParamString(pattern), p);
    EXPECT_FALSE(std::signbit(p.Gravity)) << "pattern " << pattern;
  }
}

TEST(PresetTable, SharedStringsAndOutOfRangeNumbers) {
  EXPECT_EQ(ParamString(22), ParamString(20));
  EXPECT_EQ(ParamString(25), ParamString(24));
  EXPECT_EQ(ParamString(0).substr(0, 4), "-b 5");
  EXPECT_TRUE(ParamString(27).ends_with("-y 1"));
  for (int outside : {-32768, -1, 28, 29, 32767}) EXPECT_TRUE(ParamString(outside).empty());
}

// An empty string (a pattern number outside 0..27) leaves every default in
// force and emission off.
TEST(PresetTable, EmptyStringGivesTheDefaults) {
  EngineParams p;
  ParseParams(ParamString(28), p);
  EngineParams expected;
  expected.PartMax = 2000;
  expected.BlurCount = 1;
  expected.Gravity = -0.01f;
  expected.AngleMin = 180;
  expected.AngleRange = 180;
  expected.ColBase = 255;
  expected.SpeedRange = 1;
  expected.EmitCount = 3;
  EXPECT_EQ(p, expected);
  EXPECT_FALSE(p.EmitOn);
  EXPECT_EQ(p.FadeBase, 0.2f);
}

TEST(PresetTable, ExtraStartValues) {
  EXPECT_EQ(ExtraStartValues(10), (ExtraStart{160, 120, true, true}));
  EXPECT_EQ(ExtraStartValues(24), (ExtraStart{160, 240, true, false}));
  EXPECT_EQ(ExtraStartValues(25), (ExtraStart{160, 120, true, true}));
  EXPECT_EQ(ExtraStartValues(26), (ExtraStart{160, 120, false, false}));
  for (int pattern = -1; pattern <= PatternCount; ++pattern) {
    if (pattern == 10 || pattern == 24 || pattern == 25 || pattern == 26) continue;
    EXPECT_FALSE(ExtraStartValues(pattern).has_value()) << "pattern " << pattern;
  }
}

TEST(PresetTable, AnimatorSetUps) {
  for (int pattern = -1; pattern <= PatternCount; ++pattern) {
    PatternSetUp expected = PatternSetUp::None;
    if (pattern == 12 || pattern == 19 || pattern == 20) expected = PatternSetUp::Pendulum;
    if (pattern == 21 || pattern == 22 || pattern == 27) expected = PatternSetUp::Curve;
    EXPECT_EQ(SetUpFor(pattern), expected) << "pattern " << pattern;
  }
}

}  // namespace
}  // namespace velkaro
