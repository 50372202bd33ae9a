#include "controls/button_paint_plan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "controls/button_colors.h"

namespace velkaro {
namespace {

using Shape = ButtonShapeKind;
using Style = ButtonStyleKind;

ButtonLook Look(Style style, Shape shape, std::int32_t w = 80, std::int32_t h = 24) {
  ButtonLook look;
  look.width = w;
  look.height = h;
  look.style = style;
  look.shape = shape;
  look.colours = {Rgb(200, 200, 200), Rgb(150, 150, 150), Rgb(220, 100, 50), Rgb(90, 90, 90)};
  look.fore_rgb = Rgb(1, 2, 3);
  look.hover_fore_rgb = Rgb(4, 5, 6);
  look.caption = "OK";
  look.layout.right_slant_position = w;
  return look;
}

std::vector<DrawOp> OfKind(const PaintPlan& plan, DrawOp::Kind kind) {
  std::vector<DrawOp> ops;
  std::copy_if(plan.begin(), plan.end(), std::back_inserter(ops),
               [&](const DrawOp& op) { return op.kind == kind; });
  return ops;
}

TEST(PlanFace, SolidFaceFollowsPressAndHover) {
  ButtonLook look = Look(Style::ClassicBevel, Shape::Rectangle);
  EXPECT_EQ(PlanFace(look).face_used, look.colours.face);
  look.hovering = true;
  EXPECT_EQ(PlanFace(look).face_used, look.colours.hover);
  look.state_flags = kStatePressed | kStateOver;
  const FacePlan pressed = PlanFace(look);
  EXPECT_EQ(pressed.face_used, look.colours.pressed);
  ASSERT_EQ(pressed.ops.size(), 1u);
  EXPECT_EQ(pressed.ops[0].rect, (Rect{0, 0, 80, 24}));
}

TEST(PlanFace, ShadedFaceDarkensRowByRow) {
  const FacePlan face = PlanFace(Look(Style::ShadedFace, Shape::Rectangle, 80, 25));
  ASSERT_EQ(face.ops.size(), 22u);  // rows 2 .. 23
  EXPECT_EQ(face.ops.front().rect, (Rect{2, 2, 78, 3}));
  EXPECT_EQ(face.ops.front().colour, ShadeColor(Rgb(200, 200, 200), -2, kBlueScaling));
  EXPECT_EQ(face.ops.back().colour, ShadeColor(Rgb(200, 200, 200), -23, kBlueScaling));
}

TEST(PlanFace, GradientMode2RunsFromGradientColourOnTheLeft) {
  ButtonLook look = Look(Style::ClassicBevel, Shape::Rectangle, 100, 20);
  look.gradient_mode = GradientModeKind::RightToLeft;
  // 200 → 2 in 99 steps of −2 lands exactly; blue overshoots and clamps.
  look.gradient_rgb = Rgb(2, 2, 255);
  const FacePlan face = PlanFace(look);
  ASSERT_EQ(face.ops.size(), 100u);  // 1-pixel bands: the screen is 10 buttons wide
  EXPECT_EQ(face.ops.front().colour, Rgb(2, 2, 255));
  EXPECT_EQ(face.ops.back().colour, look.colours.face);
  EXPECT_EQ(face.ops.back().rect, (Rect{99, 0, 100, 20}));
  // A hovering button with its own hover colour is plain.
  look.hovering = true;
  EXPECT_EQ(PlanFace(look).ops.size(), 1u);
}

TEST(PlanFace, WideButtonsUseTwoPixelBands) {
  ButtonLook look = Look(Style::ClassicBevel, Shape::Rectangle, 300, 20);
  look.gradient_mode = GradientModeKind::LeftToRight;
  const FacePlan face = PlanFace(look);
  ASSERT_EQ(face.ops.size(), 150u);
  EXPECT_EQ(face.ops[1].rect, (Rect{2, 0, 4, 20}));
}

TEST(PlanFace, EllipsesPaintARimOutsideTheClip) {
  const FacePlan face = PlanFace(Look(Style::ClassicBevel, Shape::EllipseBlackRim));
  ASSERT_GE(face.ops.size(), 3u);
  EXPECT_EQ(face.ops[0].kind, DrawOp::Kind::ClipOff);
  EXPECT_EQ(face.ops[1].kind, DrawOp::Kind::Ellipse);
  EXPECT_EQ(face.ops[1].pen_width, 2);
  EXPECT_EQ(face.ops[2].kind, DrawOp::Kind::ClipToShape);
  // The flat-until-hover style shows its rim only while hovering or pressed.
  const FacePlan flat = PlanFace(Look(Style::FlatUntilHover, Shape::EllipseBlackRim));
  EXPECT_TRUE(OfKind(flat.ops, DrawOp::Kind::Ellipse).empty());
  EXPECT_EQ(ShapeClipEllipse(Look(Style::ClassicBevel, Shape::EllipseBlackRim)),
            (Rect{1, 1, 80, 24}));
  EXPECT_EQ(ShapeClipEllipse(Look(Style::ClassicBevel, Shape::EllipseShadedRim)),
            (Rect{2, 2, 79, 23}));
}

TEST(PlanEdges, ClassicBevelRingsChangeWithFocusAndPress) {
  ButtonLook look = Look(Style::ClassicBevel, Shape::Rectangle);
  PaintPlan normal = PlanEdges(look);
  ASSERT_EQ(normal.size(), 6u);
  EXPECT_EQ(normal[2].colour, Rgb(233, 233, 233));  // ring 2 top-left
  EXPECT_EQ(normal[4].colour, 0xFFFFFFu);           // ring 3 top-left
  look.state_flags = kStateFocus;
  PaintPlan focused = PlanEdges(look);
  EXPECT_EQ(focused[4].colour, 0u);
  ASSERT_EQ(focused.back().kind, DrawOp::Kind::FocusRect);
  EXPECT_EQ(focused.back().rect, (Rect{4, 4, 76, 20}));
  look.show_focus_rect = false;
  EXPECT_NE(PlanEdges(look).back().kind, DrawOp::Kind::FocusRect);
}

TEST(PlanEdges, SlantedFocusOutlineAndClosingSegment) {
  ButtonLook look = Look(Style::BlackFrame, Shape::RightSlanted, 80, 20);
  look.layout.right_slant_position = 59;
  look.state_flags = kStateFocus;
  const PaintPlan plan = PlanEdges(look);
  EXPECT_EQ(plan.front().points.size(), 5u);  // ring 1 as one outline
  EXPECT_EQ(plan.front().colour, ShadeColor(look.colours.face, -32, kAvoidExtremes));
  const DrawOp& closing = plan.back();
  ASSERT_EQ(closing.points.size(), 2u);
  EXPECT_EQ(closing.points[1], (Point{79, 19}));
}

TEST(PlanEdges, ShadedFaceHoverWinsOverFocusButNotOverPress) {
  ButtonLook look = Look(Style::ShadedFace, Shape::Rectangle);
  look.state_flags = kStateFocus | kStateOver;
  EXPECT_EQ(PlanEdges(look)[0].colour, 0x6BCBFFu);
  // Held with the mouse moved off: the focused look, not the pressed one.
  look.state_flags = kStateFocus | kStatePressed;
  EXPECT_EQ(PlanEdges(look)[0].colour, 0xF0D1B5u);
  look.state_flags = kStatePressed | kStateOver;
  EXPECT_EQ(PlanEdges(look)[0].colour,
            ShadeColor(ShadeColor(look.colours.face, -32, kBlueScaling), -22, kBlueScaling));
}

TEST(PlanEdges, EveryStyleAndShapeDrawsWithinTheButton) {
  for (std::size_t style_number = 0; style_number < kCountOf<Style>; ++style_number)
    for (std::size_t shape_number = 0; shape_number < kCountOf<Shape>; ++shape_number)
      for (std::int16_t flags : {0, 1, 4, 5, 6, 7}) {
        const auto style = static_cast<Style>(style_number);
        const auto shape = static_cast<Shape>(shape_number);
        ButtonLook look = Look(style, shape);
        const ShapeRegion region = ShapeRegionOf(shape, style, true, look.width, look.height);
        look.layout.left_slant_offset = region.left_slant_offset;
        look.layout.right_slant_position = region.right_slant_position;
        look.layout.caption = {20, 6, 60, 18};
        look.state_flags = flags;
        for (const DrawOp& op : PlanEdges(look))
          for (const Point& p : op.points) {
            EXPECT_GE(p.x, -1) << style_number << " " << shape_number;
            EXPECT_LE(p.x, look.width);
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.y, look.height);
          }
      }
}

TEST(PlanCaption, DisabledCaptionsAreEtched) {
  ButtonLook look = Look(Style::ClassicBevel, Shape::Rectangle);
  look.enabled = false;
  const auto passes = PlanCaption(look, look.colours.face);
  ASSERT_EQ(passes.size(), 2u);
  EXPECT_EQ(passes[0].colour, 0xFFFFFFu);
  EXPECT_EQ(passes[0].dx, 1);
  EXPECT_EQ(passes[1].colour, 0x808080u);
  EXPECT_EQ(passes[1].dx, 0);
  look.style = Style::GreyEtched;
  EXPECT_EQ(PlanCaption(look, 0).size(), 1u);
}

TEST(PlanCaption, EmbossingAndHoverColours) {
  ButtonLook look = Look(Style::ClassicBevel, Shape::Rectangle);
  look.caption_style = CaptionStyleKind::Embossed;
  const auto passes = PlanCaption(look, Rgb(100, 100, 100));
  ASSERT_EQ(passes.size(), 3u);
  EXPECT_EQ(passes[0].colour, Rgb(60, 60, 60));
  EXPECT_EQ(passes[1].colour, Rgb(140, 140, 140));
  EXPECT_EQ(passes[2].dy, 1);
  look.caption_style = CaptionStyleKind::Flat;
  look.hovering = true;
  EXPECT_EQ(PlanCaption(look, 0)[0].colour, look.hover_fore_rgb);
}

TEST(ImageTarget, SizesPlaceTheImage) {
  ButtonLook look = Look(Style::ClassicBevel, Shape::Rectangle, 100, 40);
  look.has_image = true;
  look.image_width = 32;
  look.image_height = 16;
  look.image_size = 48;
  EXPECT_EQ(ImageTarget(look, 0, 100, {}, false), (Rect{22, 6, 78, 34}));
  EXPECT_EQ(ImageTarget(look, 0, 100, {}, true), (Rect{23, 7, 79, 35}));
  look.image_size = 40;
  EXPECT_EQ(ImageTarget(look, 0, 100, {}, true), (Rect{1, 1, 100, 40}));
  look.image_size = 24;
  EXPECT_EQ(ImageTarget(look, 0, 100, {10, 8, 30, 30}, false), (Rect{10, 8, 34, 32}));
  look.has_image = false;
  EXPECT_FALSE(ImageTarget(look, 0, 100, {}, false));
}

}  // namespace
}  // namespace velkaro
