#include "effects/palette.h"

#include <gtest/gtest.h>

namespace velkaro {
namespace {

struct Rgb {
  int red, green, blue;
};

Rgb FireEntry(int index) {
  const std::uint32_t v = FirePalette()[index];
  return {int(v >> 16) & 0xFF, int(v >> 8) & 0xFF, int(v) & 0xFF};
}

TEST(FirePalette, BandEdgesAndRamps) {
  const struct {
    int index;
    Rgb rgb;
  } cases[] = {{0, {0, 0, 0}},         {4, {0, 0, 0}},         {5, {1, 0, 0}},
               {35, {62, 0, 0}},       {63, {255, 0, 0}},      {64, {255, 0, 0}},
               {65, {255, 42, 0}},     {127, {255, 255, 0}},   {128, {255, 255, 0}},
               {129, {255, 255, 89}},  {177, {255, 255, 208}}, {178, {255, 255, 208}},
               {222, {255, 255, 254}}, {223, {255, 255, 254}}, {224, {255, 255, 255}},
               {255, {255, 255, 255}}};
  for (const auto& c : cases) {
    const Rgb got = FireEntry(c.index);
    EXPECT_EQ(got.red, c.rgb.red) << "index " << c.index;
    EXPECT_EQ(got.green, c.rgb.green) << "index " << c.index;
    EXPECT_EQ(got.blue, c.rgb.blue) << "index " << c.index;
  }
  EXPECT_EQ(FirePalette()[63], 255u * 65536u);
}

// The table's ramps only ever rise: a wrong or shifted entry usually breaks
// that, and the three bands each hold two components fixed.
TEST(FirePalette, EachBandRisesInOneComponent) {
  const PaletteTable fire = FirePalette();
  for (int i = 1; i < 256; ++i) EXPECT_GE(fire[i], fire[i - 1]) << "index " << i;
  for (int i = 0; i < 64; ++i) EXPECT_EQ(fire[i] & 0xFFFF, 0u) << i;
  for (int i = 64; i < 128; ++i) EXPECT_EQ(fire[i] & 0xFF00FF, 0xFF0000u) << i;
  for (int i = 128; i < 256; ++i) EXPECT_EQ(fire[i] & 0xFFFF00, 0xFFFF00u) << i;
}

TEST(Palette, ModeZeroIsTheFireTable) { EXPECT_EQ(initpal(0), FirePalette()); }

TEST(Palette, PackLimitsEachComponentTo255) {
  EXPECT_EQ(PackLimited(1, 2, 3), 1u + 256u * 2 + 65536u * 3);
  EXPECT_EQ(PackLimited(256, 300, 1000), 0xFFFFFFu);
  EXPECT_EQ(PackLimited(0, 256, 0), 0x00FF00u);
}

TEST(Palette, ModeOne) {
  const PaletteTable pal = *initpal(1);
  EXPECT_EQ(pal[0], PackLimited(255, 64, 0));  // the background of patterns 12..15
  EXPECT_EQ(pal[63], PackLimited(255, 127, 0));
  EXPECT_EQ(pal[64], PackLimited(255, 127, 0));
  // k = 1: 2.04 + 127 = 129.04 and 4.04 round to 129 and 4.
  EXPECT_EQ(pal[65], PackLimited(255, 129, 4));
  // nearest(63 × 2.04 + 127) = 256 is limited to 255; nearest(254.52) = 255.
  EXPECT_EQ(pal[127], PackLimited(255, 255, 255));
  EXPECT_EQ(pal[128], PackLimited(255, 255, 255));
  EXPECT_EQ(pal[129], PackLimited(255, 253, 253));
  EXPECT_EQ(pal[255], PackLimited(255, 1, 1));
}

TEST(Palette, ModeTwo) {
  const PaletteTable pal = *initpal(2);
  EXPECT_EQ(pal[10], PackLimited(255, 74, 0));
  // sin(i / 191 × 6.28) × 25 + 200: 221.5... at 64, 196.3... at 100, 175.6...
  // at 150; at 191 the angle is just short of 2π and 199.9... rounds to 200.
  EXPECT_EQ(pal[64], PackLimited(255, 222, 222));
  EXPECT_EQ(pal[100], PackLimited(255, 196, 196));
  EXPECT_EQ(pal[150], PackLimited(255, 176, 176));
  EXPECT_EQ(pal[191], PackLimited(255, 200, 200));
  // k = 0: 255 − 125 = 130 and 255; k = 63: 1.48 → 1 and 0.48 → 0.
  EXPECT_EQ(pal[192], PackLimited(255, 130, 255));
  EXPECT_EQ(pal[255], PackLimited(255, 1, 0));
}

TEST(Palette, GreyAndPinkRamps) {
  EXPECT_EQ((*initpal(3))[100], 100u + 256u * 100 + 65536u * 100);
  EXPECT_EQ((*initpal(3))[255], 0xFFFFFFu);
  EXPECT_EQ((*initpal(4))[0], 0x0000FFu);
  EXPECT_EQ((*initpal(4))[200], 255u + 256u * 200 + 65536u * 200);
}

TEST(Palette, ModeFiveLimitsItsThirdComponent) {
  const PaletteTable pal = *initpal(5);
  for (int i = 0; i < 256; ++i) {
    // 383 − 127 s is never below 256, so it limits to 255 and never spills
    // into the top byte.
    EXPECT_EQ(pal[i] & 0xFF00FF, 0xFF0000u) << i;
  }
  // s = sin(i / 255 × 64): 0 at 0, 0.248... at 1 (159.5... rounds to 160).
  EXPECT_EQ(pal[0], PackLimited(0, 128, 255));
  EXPECT_EQ(pal[1], PackLimited(0, 160, 255));
}

TEST(Palette, ModesOutsideZeroToFiveAreReported) {
  for (std::int32_t mode : {-1, 6, 7, 255, -2147483647 - 1, 2147483647}) {
    EXPECT_FALSE(initpal(mode).has_value()) << mode;
  }
  for (std::int32_t mode = 0; mode <= 5; ++mode) EXPECT_TRUE(initpal(mode).has_value());
}

}  // namespace
}  // namespace velkaro
