#pragma once
// The outline of a button: the window region of each ButtonShape with the
// corner cuts of its ButtonStyle, the slant of the slanted shapes, and the
// three rings of outline points along which the bevels are drawn. All
// coordinates are client pixels; W and H are the client size.
#include <array>
#include <cstdint>
#include <vector>

#include "controls/button_control.h"

namespace velkaro {

// The slant of a slanted edge: one pixel across per pixel down, so H + 1.
std::int32_t SlantOf(std::int32_t height);

// The width a slanted button needs so that 5 pixels stay between its slant
// and its far side: width grown in steps of 5 until width − slant ≥ 5.
std::int32_t WidthForSlant(std::int32_t width, std::int32_t height);

// A window region described portably: a rectangle, an ellipse or a
// four-point polygon (winding fill), minus single pixels and triangles.
struct ShapeRegion {
  enum class Base { Rectangle, Ellipse, Polygon };
  Base base = Base::Rectangle;
  Rect bounds;                     // Rectangle and Ellipse
  std::array<Point, 4> polygon{};  // Polygon
  std::vector<Point> cut_pixels;
  std::vector<std::array<Point, 3>> cut_triangles;
  std::int32_t left_slant_offset = 0;
  std::int32_t right_slant_position = 0;
};

// The region of a button of width × height (the width already grown for a
// slant). Corner cuts are made only on sides that are not slanted; the
// grey etched style cuts only while the button is enabled.
ShapeRegion ShapeRegionOf(ButtonShapeKind shape, ButtonStyleKind style, bool enabled,
                          std::int32_t width, std::int32_t height);

// The five outline points of ring 1 (two pixels inside), 2 and 3 (the
// outermost pixels) of a rectangle or slanted shape. o is the left slant
// offset and r the right slant position.
using Ring = std::array<Point, 5>;
Ring RingPoints(int ring, ButtonShapeKind shape, std::int32_t width, std::int32_t height,
                std::int32_t o, std::int32_t r);

}  // namespace velkaro
