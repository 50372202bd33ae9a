#pragma once
// The program's one vocabulary of positions and extents, in whole pixels
// (or dialog units, where a caller says so): a point, a size and a rectangle
// whose right and bottom are exclusive, as in GDI and X. Every layer above
// speaks these, so that a rectangle needs no presentation, button or dialog
// header to be named.
#include <cstdint>

namespace velkaro {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

// Left, top, right and bottom, right and bottom exclusive.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  // The rectangle of `size` whose top-left corner is `origin`.
  static constexpr Rect At(Point origin, Size size) {
    return {origin.x, origin.y, origin.x + size.width, origin.y + size.height};
  }
  constexpr std::int32_t width() const { return right - left; }
  constexpr std::int32_t height() const { return bottom - top; }
  constexpr Point origin() const { return {left, top}; }
  constexpr Size size() const { return {width(), height()}; }
  constexpr bool Contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  // Whether `inner` lies within this rectangle, edges included; empty
  // rectangles are compared by their edges like any other.
  constexpr bool Contains(const Rect& inner) const {
    return inner.left >= left && inner.top >= top && inner.right <= right && inner.bottom <= bottom;
  }
  // No pixel inside: a right or bottom at or before the left or top.
  constexpr bool empty() const { return right <= left || bottom <= top; }

  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// The picture every front end shows: the engine's visible 320 x 240 pixels,
// stretched to the screen, the window or the canvas.
inline constexpr Size kShownPictureSize{320, 240};

}  // namespace velkaro
