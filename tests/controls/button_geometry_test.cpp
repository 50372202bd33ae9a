#include "controls/button_geometry.h"

#include <gtest/gtest.h>

namespace velkaro {
namespace {

using Shape = ButtonShapeKind;
using Style = ButtonStyleKind;

TEST(SlantGeometry, NarrowSlantedButtonsGrowInStepsOfFive) {
  EXPECT_EQ(SlantOf(20), 21);
  EXPECT_EQ(WidthForSlant(24, 20), 29);  // 24 − 21 = 3 < 5; 29 − 21 = 8
  EXPECT_EQ(WidthForSlant(26, 20), 26);  // already 5 to spare
  EXPECT_EQ(WidthForSlant(0, 20), 30);
}

TEST(ShapeRegion, SlantedShapesSetTheirSlantResults) {
  const ShapeRegion left = ShapeRegionOf(Shape::LeftSlanted, Style::ClassicBevel, true, 29, 20);
  EXPECT_EQ(left.base, ShapeRegion::Base::Polygon);
  EXPECT_EQ(left.left_slant_offset, 21);
  EXPECT_EQ(left.right_slant_position, 29);
  EXPECT_EQ(left.polygon[1], (Point{21, 21}));
  EXPECT_EQ(left.polygon[3], (Point{30, 0}));

  const ShapeRegion both = ShapeRegionOf(Shape::Parallelogram, Style::ClassicBevel, true, 60, 20);
  EXPECT_EQ(both.left_slant_offset, 21);
  EXPECT_EQ(both.right_slant_position, 39);
  EXPECT_EQ(both.polygon[3], (Point{40, 0}));

  const ShapeRegion ellipse =
      ShapeRegionOf(Shape::EllipseRimHiddenWhileHeld, Style::ShadedFace, true, 60, 20);
  EXPECT_EQ(ellipse.base, ShapeRegion::Base::Ellipse);
  EXPECT_TRUE(ellipse.cut_triangles.empty());
  EXPECT_EQ(ellipse.right_slant_position, 60);
}

TEST(ShapeRegion, CornerCutsOnlyOnStraightSides) {
  // A black frame on a rectangle: four corner pixels.
  const ShapeRegion framed = ShapeRegionOf(Shape::Rectangle, Style::BlackFrame, true, 50, 20);
  EXPECT_EQ(framed.cut_pixels.size(), 4u);
  // A slanted left side: only the right corners are cut.
  const auto right_only =
      ShapeRegionOf(Shape::LeftSlanted, Style::BlackFrame, true, 50, 20).cut_pixels;
  ASSERT_EQ(right_only.size(), 2u);
  EXPECT_EQ(right_only[0], (Point{49, 0}));
  auto triangles = [](Shape shape, Style style) {
    return ShapeRegionOf(shape, style, true, 60, 20).cut_triangles.size();
  };
  EXPECT_EQ(triangles(Shape::Parallelogram, Style::ShadedFace), 0u);
  EXPECT_EQ(triangles(Shape::RightSlanted, Style::RoundedBlackFrame), 2u);
  // The grey etched style cuts only while enabled.
  auto cuts = [](Style style, bool enabled) {
    return ShapeRegionOf(Shape::Rectangle, style, enabled, 50, 20).cut_pixels.size();
  };
  EXPECT_EQ(cuts(Style::GreyEtched, true), 2u);
  EXPECT_EQ(cuts(Style::GreyEtched, false), 0u);
  EXPECT_EQ(cuts(Style::ClassicBevel, true), 0u);
}

TEST(RingPoints, RectangleRingsRunTwoOneAndZeroPixelsInside) {
  const Ring r1 = RingPoints(1, Shape::Rectangle, 50, 20, 0, 50);
  EXPECT_EQ(r1[1], (Point{2, 2}));
  EXPECT_EQ(r1[3], (Point{47, 17}));
  const Ring r2 = RingPoints(2, Shape::Rectangle, 50, 20, 0, 50);
  EXPECT_EQ(r2[0], (Point{1, 18}));
  EXPECT_EQ(r2[1], (Point{1, 1}));
  EXPECT_EQ(r2[2], (Point{48, 1}));
  EXPECT_EQ(r2[4], (Point{0, 18}));
  const Ring r3 = RingPoints(3, Shape::Rectangle, 50, 20, 0, 50);
  EXPECT_EQ(r3[0], (Point{0, 19}));
  EXPECT_EQ(r3[2], (Point{49, 0}));
  EXPECT_EQ(r3[4], (Point{-1, 19}));
}

TEST(RingPoints, SlantedRingsFollowTheSlant) {
  // A parallelogram 60 × 20: o = 21, r = 39.
  const Ring r3 = RingPoints(3, Shape::Parallelogram, 60, 20, 21, 39);
  EXPECT_EQ(r3[0], (Point{20, 20}));
  EXPECT_EQ(r3[2], (Point{39, 0}));
  EXPECT_EQ(r3[3], (Point{59, 20}));
  EXPECT_EQ(r3[4], (Point{18, 19}));
  const Ring r1 = RingPoints(1, Shape::Parallelogram, 60, 20, 21, 39);
  EXPECT_EQ(r1[1], (Point{4, 2}));
  EXPECT_EQ(r1[2], (Point{39, 2}));
}

}  // namespace
}  // namespace velkaro
