#pragma once
// The small builders the face and edge plans are written with: each appends
// one drawing operation to a plan. The colours named here are the fixed
// greys and marks of the button's looks.
#include <cstdint>
#include <vector>

#include "controls/button_colors.h"
#include "controls/button_paint_plan.h"

namespace velkaro {

inline constexpr ColorRef kWhite = 0xFFFFFF;
inline constexpr ColorRef kBlack = 0x000000;
inline constexpr ColorRef kGrey = 0x808080;
inline constexpr ColorRef kLightGrey = Rgb(233, 233, 233);
inline constexpr ColorRef kFocusLilac = 0xCC9999;

void AppendBox(PaintPlan& plan, Rect rect, ColorRef colour);
void AppendEllipse(PaintPlan& plan, Rect rect, ColorRef colour, std::int32_t pen_width);
void AppendLine(PaintPlan& plan, std::vector<Point> points, ColorRef colour, bool dotted = false);
void AppendPixel(PaintPlan& plan, Point at, ColorRef colour);
// An operation without colour: the clip switches and the focus rectangle.
void AppendMarker(PaintPlan& plan, DrawOp::Kind kind, Rect rect = {});

// The halves of a ring: left and top sides, right and bottom sides.
std::vector<Point> TopLeftOf(const Ring& ring);
std::vector<Point> BottomRightOf(const Ring& ring);
std::vector<Point> WholeOf(const Ring& ring);

// The two halves of a ring in their colours.
void AppendBevel(PaintPlan& plan, const Ring& ring, ColorRef top_left, ColorRef bottom_right);

}  // namespace velkaro
