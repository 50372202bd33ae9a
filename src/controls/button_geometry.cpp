#include "controls/button_geometry.h"

namespace velkaro {

std::int32_t SlantOf(std::int32_t height) {
  // Kept a multiple of one pixel per row: ((H + 1) ÷ 4) × 4 in real
  // arithmetic is H + 1 again.
  return height + 1;
}

std::int32_t WidthForSlant(std::int32_t width, std::int32_t height) {
  const std::int32_t slant = SlantOf(height);
  while (width - slant < 5) width += 5;
  return width;
}

namespace {

void AddCorners(ShapeRegion& region, ButtonStyleKind style, bool enabled, bool left_side,
                std::int32_t w, std::int32_t h) {
  switch (style) {
    case ButtonStyleKind::BlackFrame:
      if (left_side)
        region.cut_pixels.insert(region.cut_pixels.end(), {{0, 0}, {0, h - 1}});
      else
        region.cut_pixels.insert(region.cut_pixels.end(), {{w - 1, 0}, {w - 1, h - 1}});
      break;
    case ButtonStyleKind::GreyEtched:
      if (enabled) region.cut_pixels.push_back(left_side ? Point{0, h - 1} : Point{w - 1, 0});
      break;
    case ButtonStyleKind::ShadedFace:
    case ButtonStyleKind::RoundedBlackFrame:
      if (left_side) {
        region.cut_triangles.push_back({{{0, 0}, {2, 0}, {0, 2}}});
        region.cut_triangles.push_back({{{0, h}, {3, h}, {0, h - 3}}});
      } else {
        region.cut_triangles.push_back({{{w, 0}, {w - 2, 0}, {w, 2}}});
        region.cut_triangles.push_back({{{w, h}, {w - 3, h}, {w, h - 3}}});
      }
      break;
    default: break;
  }
}

}  // namespace

ShapeRegion ShapeRegionOf(ButtonShapeKind shape, ButtonStyleKind style, bool enabled,
                          std::int32_t width, std::int32_t height) {
  ShapeRegion region;
  region.right_slant_position = width;
  const Rect whole{0, 0, width + 1, height + 1};
  if (IsElliptic(shape)) {
    region.base = ShapeRegion::Base::Ellipse;
    region.bounds = whole;
    return region;
  }
  if (shape == ButtonShapeKind::Rectangle) {
    region.base = ShapeRegion::Base::Rectangle;
    region.bounds = whole;
  } else {
    const std::int32_t s = SlantOf(height);
    region.base = ShapeRegion::Base::Polygon;
    const std::int32_t x1 = HasLeftSlant(shape) ? s : 0;
    const std::int32_t x3 = HasRightSlant(shape) ? width - s + 1 : width + 1;
    region.polygon = {{{0, 0}, {x1, height + 1}, {width + 1, height + 1}, {x3, 0}}};
    if (HasLeftSlant(shape)) region.left_slant_offset = s;
    if (HasRightSlant(shape)) region.right_slant_position = width - s;
  }
  if (!HasLeftSlant(shape)) AddCorners(region, style, enabled, true, width, height);
  if (!HasRightSlant(shape)) AddCorners(region, style, enabled, false, width, height);
  if (region.right_slant_position == 0) region.right_slant_position = width;
  return region;
}

Ring RingPoints(int ring, ButtonShapeKind shape, std::int32_t width, std::int32_t height,
                std::int32_t o, std::int32_t r) {
  const std::int32_t f2 = HasLeftSlant(shape) ? 1 : 0;
  const std::int32_t f3 = HasRightSlant(shape) ? 1 : 0;
  const std::int32_t w = width, h = height;
  if (ring == 3)
    return {{{o - f2, h - 1 + f2},
             {0, 0},
             {r + f3 - 1, 0},
             {w - 1, h - 1 + f3},
             {o - 2 * f2 - 1, h - 1}}};
  Ring inner{{{o + 2 - 4 * f2, h - 3},
              {2 + 2 * f2, 2},
              {r - 3 + 3 * f3, 2},
              {w - 3 - 3 * f3, h - 3},
              {o + 1 - 4 * f2, h - 3}}};
  if (ring == 1) return inner;
  // Ring 2 is ring 1 moved outward by one pixel along each side.
  const std::array<Point, 5> outward{
      {{f2 - 1, 1}, {-f2 - 1, -1}, {1 - f3, -1}, {f3 + 1, 1}, {-1, 1}}};
  for (std::size_t i = 0; i < inner.size(); ++i) {
    inner[i].x += outward[i].x;
    inner[i].y += outward[i].y;
  }
  return inner;
}

}  // namespace velkaro
