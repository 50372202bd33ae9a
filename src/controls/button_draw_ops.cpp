#include "controls/button_draw_ops.h"

#include <utility>

namespace velkaro {

void AppendBox(PaintPlan& plan, Rect rect, ColorRef colour) {
  DrawOp op;
  op.kind = DrawOp::Kind::Box;
  op.rect = rect;
  op.colour = colour;
  plan.push_back(std::move(op));
}

void AppendEllipse(PaintPlan& plan, Rect rect, ColorRef colour, std::int32_t pen_width) {
  DrawOp op;
  op.kind = DrawOp::Kind::Ellipse;
  op.rect = rect;
  op.colour = colour;
  op.pen_width = pen_width;
  plan.push_back(std::move(op));
}

void AppendLine(PaintPlan& plan, std::vector<Point> points, ColorRef colour, bool dotted) {
  DrawOp op;
  op.kind = DrawOp::Kind::Polyline;
  op.points = std::move(points);
  op.colour = colour;
  op.dotted = dotted;
  plan.push_back(std::move(op));
}

void AppendPixel(PaintPlan& plan, Point at, ColorRef colour) {
  DrawOp op;
  op.kind = DrawOp::Kind::Pixel;
  op.points = {at};
  op.colour = colour;
  plan.push_back(std::move(op));
}

void AppendMarker(PaintPlan& plan, DrawOp::Kind kind, Rect rect) {
  DrawOp op;
  op.kind = kind;
  op.rect = rect;
  plan.push_back(std::move(op));
}

std::vector<Point> TopLeftOf(const Ring& ring) { return {ring[0], ring[1], ring[2]}; }
std::vector<Point> BottomRightOf(const Ring& ring) { return {ring[2], ring[3], ring[4]}; }
std::vector<Point> WholeOf(const Ring& ring) { return {ring.begin(), ring.end()}; }

void AppendBevel(PaintPlan& plan, const Ring& ring, ColorRef top_left, ColorRef bottom_right) {
  AppendLine(plan, TopLeftOf(ring), top_left);
  AppendLine(plan, BottomRightOf(ring), bottom_right);
}

}  // namespace velkaro
