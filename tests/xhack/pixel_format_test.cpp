#include "xhack/pixel_format.h"

#include <gtest/gtest.h>

#include "effects/palette.h"
#include "effects/presentation.h"

namespace velkaro::xhack {
namespace {

PixelFormat Format(int depth, int bpp, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return PixelFormat{true, depth, bpp, r, g, b, false};
}

const PixelFormat kRgb24 = Format(24, 32, 0xFF0000, 0xFF00, 0xFF);
const PixelFormat kRgb565 = Format(16, 16, 0xF800, 0x07E0, 0x001F);

PaletteTable Probe() {
  PaletteTable table{};
  table[1] = 0x00FF0000;  // shown red by the saver
  table[2] = 0x0000FF00;  // green
  table[3] = 0x000000FF;  // blue
  table[4] = 0x00FFFFFF;
  table[5] = 0x00123456;
  return table;
}

TEST(PixelFormat, ShowsWhatTheSaverWritesAt24And32Bits) {
  const PaletteTable fire = *initpal(0);
  EXPECT_EQ(VisualPalette(fire, kRgb24), fire);
  EXPECT_EQ(VisualPalette(fire, Format(24, 24, 0xFF0000, 0xFF00, 0xFF)), fire);
  // A 32-bit visual's alpha bits are set, or a compositor would show nothing.
  const auto argb = *VisualPalette(Probe(), Format(32, 32, 0xFF0000, 0xFF00, 0xFF));
  EXPECT_EQ(argb[0], 0xFF000000u);
  EXPECT_EQ(argb[5], 0xFF123456u);
  // Channels in another order keep their colours.
  const auto bgr = *VisualPalette(Probe(), Format(24, 32, 0xFF, 0xFF00, 0xFF0000));
  EXPECT_EQ(bgr[1], 0x000000FFu);
  EXPECT_EQ(bgr[3], 0x00FF0000u);
  EXPECT_EQ(bgr[5], 0x00563412u);
}

TEST(PixelFormat, SixteenBitsAreTheSaversFiveSixFive) {
  for (int mode = 0; mode <= 5; ++mode) {
    const PaletteTable table = *initpal(mode);
    const PaletteTable converted = *VisualPalette(table, kRgb565);
    for (std::size_t i = 0; i < table.size(); ++i)
      ASSERT_EQ(converted[i], std::uint32_t(To565(table[i]))) << "mode " << mode << " index " << i;
  }
  const auto probe = *VisualPalette(Probe(), kRgb565);
  EXPECT_EQ(probe[1], 0xF800u);
  EXPECT_EQ(probe[4], 0xFFFFu);
  EXPECT_EQ((*VisualPalette(*initpal(0), kRgb565))[63], 63488u);  // the fire's pure red
}

TEST(PixelFormat, MostSignificantByteFirstImagesGetSwappedValues) {
  PixelFormat big = kRgb24;
  big.msb_first = true;
  EXPECT_EQ((*VisualPalette(Probe(), big))[5], 0x56341200u);
  PixelFormat big16 = kRgb565;
  big16.msb_first = true;
  EXPECT_EQ((*VisualPalette(Probe(), big16))[1], 0x00F8u);
}

TEST(PixelFormat, RefusesOtherVisuals) {
  PixelFormat pseudo = Format(8, 8, 0, 0, 0);
  pseudo.true_color = false;
  PixelFormat direct = kRgb24;
  direct.true_color = false;
  for (const PixelFormat& format :
       {pseudo, direct, Format(15, 16, 0x7C00, 0x03E0, 0x1F), Format(16, 16, 0x1F, 0x07E0, 0xF800),
        Format(30, 32, 0x3FF00000, 0xFFC00, 0x3FF), Format(24, 32, 0xFF0000, 0xFF0000, 0xFF)}) {
    EXPECT_FALSE(IsSupported(format)) << format.depth;
    EXPECT_EQ(VisualPalette(Probe(), format), std::nullopt);
    EXPECT_EQ(Unsupported(format).find('\n'), std::string::npos);
  }
  EXPECT_TRUE(IsSupported(kRgb24));
  EXPECT_TRUE(IsSupported(kRgb565));
}

}  // namespace
}  // namespace velkaro::xhack
