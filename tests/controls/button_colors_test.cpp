#include "controls/button_colors.h"

#include <gtest/gtest.h>

namespace velkaro {
namespace {

TEST(ShadeColor, AddsTheStepToEveryChannelAndClamps) {
  EXPECT_EQ(ShadeColor(Rgb(10, 20, 30), 5), Rgb(15, 25, 35));
  EXPECT_EQ(ShadeColor(Rgb(250, 3, 128), 10), Rgb(255, 13, 138));
  EXPECT_EQ(ShadeColor(Rgb(250, 3, 128), -10), Rgb(240, 0, 118));
  EXPECT_EQ(ShadeColor(Rgb(0, 100, 255), 0, {.invert = true}), Rgb(255, 155, 0));
}

TEST(ShadeColor, BlueScalingMovesBlueInProportionTruncatingTowardZero) {
  // 48 × 100 ÷ 192 = 25; −32 × 100 ÷ 192 = −16.67 → −16.
  EXPECT_EQ(ShadeColor(Rgb(10, 10, 100), 48, kBlueScaling), Rgb(58, 58, 125));
  EXPECT_EQ(ShadeColor(Rgb(40, 40, 100), -32, kBlueScaling), Rgb(8, 8, 84));
  EXPECT_EQ(BlueOf(ShadeColor(Rgb(0, 0, 0), 48, kBlueScaling)), 0);
}

TEST(ShadeColor, AvoidExtremesNegatesTheStep) {
  EXPECT_EQ(ShadeColor(0xFFFFFF, 10, kAvoidExtremes), Rgb(245, 245, 245));
  EXPECT_EQ(ShadeColor(0x000000, 0, kAvoidExtremes), Rgb(64, 64, 64));
  // White with step 0 needs two turns: 0 → 64 (still white) → −64.
  EXPECT_EQ(ShadeColor(0xFFFFFF, 0, kAvoidExtremes), Rgb(191, 191, 191));
  EXPECT_EQ(ShadeColor(Rgb(1, 2, 3), -32, kAvoidExtremes), Rgb(33, 34, 35));
  // Without the option the extreme stands.
  EXPECT_EQ(ShadeColor(0xFFFFFF, 10), 0xFFFFFFu);
}

TEST(ShadeColor, AvoidExtremesEndsWhenBothDirectionsAreExtreme) {
  // A mid grey shaded by ±200 is white one way and black the other.
  const ColorRef c = ShadeColor(Rgb(128, 128, 128), 200, kAvoidExtremes);
  EXPECT_TRUE(c == 0xFFFFFF || c == 0x000000);
}

TEST(GradientColours, RunsFromTheFirstColourByRoundedSteps) {
  const auto colours = GradientColours(5, Rgb(0, 100, 200), Rgb(40, 60, 200));
  ASSERT_EQ(colours.size(), 5u);
  EXPECT_EQ(colours.front(), Rgb(0, 100, 200));
  EXPECT_EQ(colours[1], Rgb(10, 90, 200));
  EXPECT_EQ(colours.back(), Rgb(40, 60, 200));
}

TEST(GradientColours, SmallDifferencesOverManyBandsNeverShow) {
  for (ColorRef c : GradientColours(100, 0x000000, Rgb(10, 10, 10))) EXPECT_EQ(c, 0u);
}

TEST(GradientColours, HalfStepsRoundToEvenAndChannelsClamp) {
  // (3 − 0) ÷ 2 = 1.5 rounds to 2: 0, 2, 4 (the end colour is overshot).
  const auto colours = GradientColours(3, Rgb(0, 0, 0), Rgb(3, 0, 0));
  EXPECT_EQ(RedOf(colours[2]), 4);
  // (255 − 250) ÷ 2 = 2.5 rounds to 2: 250, 252, 254.
  EXPECT_EQ(RedOf(GradientColours(3, Rgb(250, 0, 0), Rgb(255, 0, 0))[2]), 254);
  EXPECT_EQ(RedOf(GradientColours(4, Rgb(250, 0, 0), Rgb(255, 0, 0))[3]), 255);
}

TEST(GradientColours, DegenerateCountsNeedNoDivision) {
  EXPECT_TRUE(GradientColours(0, 1, 2).empty());
  EXPECT_EQ(GradientColours(1, 7, 9), std::vector<ColorRef>{7});
}

TEST(ComputeDrawingColours, EachStyleDerivesItsColours) {
  using Style = ButtonStyleKind;
  const ColorRef face = Rgb(100, 100, 100), hover = Rgb(50, 60, 70), container = 0x123456;
  const DrawingColours plain = ComputeDrawingColours(face, hover, Style::ClassicBevel, container);
  EXPECT_EQ(plain.face, face);
  EXPECT_EQ(plain.pressed, face);
  EXPECT_EQ(plain.hover, hover);
  EXPECT_EQ(plain.container, container);

  const DrawingColours two = ComputeDrawingColours(face, hover, Style::ShadedFace, container);
  EXPECT_EQ(two.face, ShadeColor(face, 48, kBlueScaling));
  EXPECT_EQ(two.pressed, ShadeColor(two.face, -32, kBlueScaling));
  EXPECT_EQ(two.hover, ShadeColor(hover, 48, kBlueScaling));

  const DrawingColours three = ComputeDrawingColours(face, hover, Style::GreyEtched, container);
  EXPECT_EQ(three.face, face);
  EXPECT_EQ(three.pressed, Rgb(140, 140, 140));

  const DrawingColours seven =
      ComputeDrawingColours(face, hover, Style::RoundedBlackFrame, container);
  EXPECT_EQ(seven.face, Rgb(131, 131, 131));
  EXPECT_EQ(seven.pressed, Rgb(68, 68, 68));  // from the face before shading
  EXPECT_EQ(seven.hover, ShadeColor(hover, 31));
}

}  // namespace
}  // namespace velkaro
