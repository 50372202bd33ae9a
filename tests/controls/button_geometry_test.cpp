#include "controls/button_geometry.h"

#include <gtest/gtest.h>

namespace velkaro {
namespace {

TEST(SlantGeometry, NarrowSlantedButtonsGrowInStepsOfFive) {
  EXPECT_EQ(SlantOf(20), 21);
  EXPECT_EQ(WidthForSlant(24, 20), 29);  // 24 − 21 = 3 < 5; 29 − 21 = 8
  EXPECT_EQ(WidthForSlant(26, 20), 26);  // already 5 to spare
  EXPECT_EQ(WidthForSlant(0, 20), 30);
}

TEST(ShapeRegion, SlantedShapesSetTheirSlantResults) {
  const ShapeRegion left = ShapeRegionOf(1, 0, true, 29, 20);
  EXPECT_EQ(left.base, ShapeRegion::Base::Polygon);
  EXPECT_EQ(left.left_slant_offset, 21);
  EXPECT_EQ(left.right_slant_position, 29);
  EXPECT_EQ(left.polygon[1], (ButtonPoint{21, 21}));
  EXPECT_EQ(left.polygon[3], (ButtonPoint{30, 0}));

  const ShapeRegion both = ShapeRegionOf(3, 0, true, 60, 20);
  EXPECT_EQ(both.left_slant_offset, 21);
  EXPECT_EQ(both.right_slant_position, 39);
  EXPECT_EQ(both.polygon[3], (ButtonPoint{40, 0}));

  const ShapeRegion ellipse = ShapeRegionOf(5, 2, true, 60, 20);
  EXPECT_EQ(ellipse.base, ShapeRegion::Base::Ellipse);
  EXPECT_TRUE(ellipse.cut_triangles.empty());
  EXPECT_EQ(ellipse.right_slant_position, 60);
}

TEST(ShapeRegion, CornerCutsOnlyOnStraightSides) {
  // Style 1 on a rectangle: four corner pixels.
  EXPECT_EQ(ShapeRegionOf(0, 1, true, 50, 20).cut_pixels.size(), 4u);
  // Shape 1 slants the left side: only the right corners are cut.
  const auto right_only = ShapeRegionOf(1, 1, true, 50, 20).cut_pixels;
  ASSERT_EQ(right_only.size(), 2u);
  EXPECT_EQ(right_only[0], (ButtonPoint{49, 0}));
  EXPECT_TRUE(ShapeRegionOf(3, 2, true, 60, 20).cut_triangles.empty());
  EXPECT_EQ(ShapeRegionOf(2, 7, true, 60, 20).cut_triangles.size(), 2u);
  // Style 3 cuts only while enabled.
  EXPECT_EQ(ShapeRegionOf(0, 3, true, 50, 20).cut_pixels.size(), 2u);
  EXPECT_TRUE(ShapeRegionOf(0, 3, false, 50, 20).cut_pixels.empty());
  EXPECT_TRUE(ShapeRegionOf(0, 0, true, 50, 20).cut_pixels.empty());
}

TEST(RingPoints, RectangleRingsRunTwoOneAndZeroPixelsInside) {
  const Ring r1 = RingPoints(1, 0, 50, 20, 0, 50);
  EXPECT_EQ(r1[1], (ButtonPoint{2, 2}));
  EXPECT_EQ(r1[3], (ButtonPoint{47, 17}));
  const Ring r2 = RingPoints(2, 0, 50, 20, 0, 50);
  EXPECT_EQ(r2[0], (ButtonPoint{1, 18}));
  EXPECT_EQ(r2[1], (ButtonPoint{1, 1}));
  EXPECT_EQ(r2[2], (ButtonPoint{48, 1}));
  EXPECT_EQ(r2[4], (ButtonPoint{0, 18}));
  const Ring r3 = RingPoints(3, 0, 50, 20, 0, 50);
  EXPECT_EQ(r3[0], (ButtonPoint{0, 19}));
  EXPECT_EQ(r3[2], (ButtonPoint{49, 0}));
  EXPECT_EQ(r3[4], (ButtonPoint{-1, 19}));
}

TEST(RingPoints, SlantedRingsFollowTheSlant) {
  // Shape 3, 60 × 20: o = 21, r = 39.
  const Ring r3 = RingPoints(3, 3, 60, 20, 21, 39);
  EXPECT_EQ(r3[0], (ButtonPoint{20, 20}));
  EXPECT_EQ(r3[2], (ButtonPoint{39, 0}));
  EXPECT_EQ(r3[3], (ButtonPoint{59, 20}));
  EXPECT_EQ(r3[4], (ButtonPoint{18, 19}));
  const Ring r1 = RingPoints(1, 3, 60, 20, 21, 39);
  EXPECT_EQ(r1[1], (ButtonPoint{4, 2}));
  EXPECT_EQ(r1[2], (ButtonPoint{39, 2}));
}

}  // namespace
}  // namespace velkaro
