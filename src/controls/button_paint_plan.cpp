#include "controls/button_paint_plan.h"

#include <algorithm>
#include <array>

#include "common/rounding.h"
#include "controls/button_colors.h"

namespace velkaro {
namespace {

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kGrey = 0x808080;
constexpr ColorRef kLightGrey = Rgb(233, 233, 233);
constexpr ColorRef kFocusLilac = 0xCC9999;

void Box(PaintPlan& plan, ButtonRect rect, ColorRef colour) {
  DrawOp op;
  op.kind = DrawOp::Kind::Box;
  op.rect = rect;
  op.colour = colour;
  plan.push_back(std::move(op));
}

void Ellipse(PaintPlan& plan, ButtonRect rect, ColorRef colour, std::int32_t pen_width) {
  DrawOp op;
  op.kind = DrawOp::Kind::Ellipse;
  op.rect = rect;
  op.colour = colour;
  op.pen_width = pen_width;
  plan.push_back(std::move(op));
}

void Line(PaintPlan& plan, std::vector<ButtonPoint> points, ColorRef colour, bool dotted = false) {
  DrawOp op;
  op.kind = DrawOp::Kind::Polyline;
  op.points = std::move(points);
  op.colour = colour;
  op.dotted = dotted;
  plan.push_back(std::move(op));
}

void Pixel(PaintPlan& plan, ButtonPoint at, ColorRef colour) {
  DrawOp op;
  op.kind = DrawOp::Kind::Pixel;
  op.points = {at};
  op.colour = colour;
  plan.push_back(std::move(op));
}

void Simple(PaintPlan& plan, DrawOp::Kind kind, ButtonRect rect = {}) {
  DrawOp op;
  op.kind = kind;
  op.rect = rect;
  plan.push_back(std::move(op));
}

std::vector<ButtonPoint> TopLeft(const Ring& ring) { return {ring[0], ring[1], ring[2]}; }
std::vector<ButtonPoint> BottomRight(const Ring& ring) { return {ring[2], ring[3], ring[4]}; }
std::vector<ButtonPoint> Full(const Ring& ring) { return {ring.begin(), ring.end()}; }

// The two halves of a ring in their colours.
void Bevel(PaintPlan& plan, const Ring& ring, ColorRef top_left, ColorRef bottom_right) {
  Line(plan, TopLeft(ring), top_left);
  Line(plan, BottomRight(ring), bottom_right);
}

// ButtonStyle 2 draws each side of rings 1 and 2 in its own colour; the
// state is 0 normal, 1 focused, 2 pressed, 3 mouse over and not held.
int Style2State(const ButtonLook& look) {
  if (look.Pressed()) return 2;
  if (look.Over() && !look.Held()) return 3;
  if (look.FocusShown()) return 1;
  return 0;
}

void Style2Rings(PaintPlan& plan, const ButtonLook& look, ColorRef f, const Ring& ring1,
                 const Ring& ring2) {
  const ColorRef p = ShadeColor(f, -32, kBlueScaling);
  auto s = [](ColorRef c, int step) { return ShadeColor(c, step, kBlueScaling); };
  // Sides in the order left, top, right, bottom; columns by state.
  const std::array<std::array<ColorRef, 4>, 4> ring1_colours{{
      {s(f, -10), 0xF0D1B5, s(p, -22), 0x6BCBFF},
      {s(f, 10), 0xF7D7BD, s(p, -24), 0x8CDBFF},
      {s(f, -24), 0xF0D1B5, f, 0x6BCBFF},
      {s(f, -32), 0xE7AE8C, s(p, 10), 0x31B2FF},
  }};
  const std::array<std::array<ColorRef, 4>, 4> ring2_colours{{
      {s(f, -5), 0xE7AE8C, s(p, -32), 0x31B2FF},
      {s(f, 16), 0xFFDFBF, s(p, -32), 0xA6E9FF},
      {s(f, -36), 0xE7AE8C, s(p, 5), 0x31B2FF},
      {s(f, -48), 0xEF826B, s(p, 16), 0x0096E7},
  }};
  const int state = Style2State(look);
  for (std::size_t side = 0; side < 4; ++side) {
    Line(plan, {ring1[side], ring1[side + 1]}, ring1_colours[side][std::size_t(state)]);
    Line(plan, {ring2[side], ring2[side + 1]}, ring2_colours[side][std::size_t(state)]);
  }
}

void EllipseEdges(PaintPlan& plan, const ButtonLook& look, bool focus_wanted) {
  Simple(plan, DrawOp::Kind::ClipOff);
  const std::int32_t w = look.width, h = look.height;
  if (look.style == 5 && look.design_mode) Ellipse(plan, {0, 0, w, h}, kWhite, 1);
  if (focus_wanted || (look.style == 2 && look.Over() && look.show_focus_rect)) {
    std::optional<ColorRef> c;
    switch (look.style) {
      case 2:
        if (!look.Held()) c = look.Over() ? ColorRef(0x0096E7) : ColorRef(0xEF826B);
        break;
      case 3: c = kFocusLilac; break;
      case 5: c = ShadeColor(look.colours.container, -32, kAvoidExtremes); break;
      default:
        if (!look.Held()) c = look.fore_rgb;
        break;
    }
    const std::int32_t inset = look.shape == 6 ? 2 : 3;
    if (c) Ellipse(plan, {inset, inset, w - inset, h - inset}, ShadeColor(*c, 0, kAvoidExtremes), 1);
  }
  Simple(plan, DrawOp::Kind::ClipToShape);
}

struct Style7Colours {
  ColorRef f, wt, lt, dk;
};

Style7Colours Style7(const ButtonLook& look) {
  Style7Colours c{look.colours.face, kWhite, 0, 0};
  c.lt = ShadeColor(c.f, 31, kBlueScaling);
  c.dk = ShadeColor(c.f, -64, kBlueScaling);
  if (look.Pressed()) {
    c.f = c.dk;
    c.wt = ShadeColor(c.f, -32);
    c.lt = ShadeColor(c.f, -64);
    c.dk = ShadeColor(c.f, -16);
  }
  return c;
}

void Style7Corners(PaintPlan& plan, const ButtonLook& look, const Style7Colours& c) {
  const std::int32_t w = look.width, h = look.height;
  if (!look.LeftSlanted()) {
    Pixel(plan, {3, 3}, c.wt);
    Pixel(plan, {2, 2}, c.lt);
    Pixel(plan, {1, h - 3}, c.f);
    Pixel(plan, {1, h - 2}, kBlack);
    Pixel(plan, {1, 1}, kBlack);
  }
  if (!look.RightSlanted()) {
    Pixel(plan, {w - 4, h - 4}, c.f);
    Pixel(plan, {w - 3, 1}, c.f);
    Pixel(plan, {w - 3, h - 3}, c.dk);
    Pixel(plan, {w - 2, h - 2}, kBlack);
    Pixel(plan, {w - 2, 1}, kBlack);
  }
}

void FocusMark(PaintPlan& plan, const ButtonLook& look) {
  const ButtonRect& c = look.caption.empty() ? look.layout.image : look.layout.caption;
  switch (look.style) {
    case 2: return;
    case 3:
      Line(plan, {{c.left - 3, c.top - 3}, {c.right + 3, c.top - 3}, {c.right + 3, c.bottom + 3},
                  {c.left - 3, c.bottom + 3}, {c.left - 3, c.top - 3}},
           kFocusLilac);
      return;
    case 7: {
      const std::int32_t shift = look.Pressed() ? 1 : 0;
      Simple(plan, DrawOp::Kind::FocusRect,
             {c.left - 3 + shift, c.top - 3 + shift, c.right + 3 + shift, c.bottom + 3 + shift});
      return;
    }
    default:
      Simple(plan, DrawOp::Kind::FocusRect,
             {look.layout.left_slant_offset + 4, 4, look.layout.right_slant_position - 4,
              look.height - 4});
  }
}

}  // namespace

ButtonRect ShapeClipEllipse(const ButtonLook& look) {
  const std::int32_t e = look.shape == 6 ? 1 : 0;
  return {2 - e, 2 - e, look.width - 1 + e, look.height - 1 + e};
}

void AppendGradient(PaintPlan& plan, const ButtonLook& look, std::int32_t gradient_mode,
                    ColorRef a, ColorRef b) {
  const bool across = gradient_mode == 1 || gradient_mode == 2;
  const std::int32_t extent = across ? look.width : look.height;
  const std::int32_t screen = across ? look.screen_width : look.screen_height;
  if (extent <= 0) return;
  const bool wide = screen / extent < 4;
  const std::int32_t band = wide ? 2 : 1;
  const std::int32_t n = wide ? extent / 2 : extent;
  const std::vector<ColorRef> colours = GradientColours(n, a, b);
  const bool forward = gradient_mode == 1 || gradient_mode == 3;
  for (std::int32_t i = 0; i < n; ++i) {
    const ColorRef c = colours[std::size_t(forward ? i : n - 1 - i)];
    if (across)
      Box(plan, {i * band, 0, i * band + band, look.height}, c);
    else
      Box(plan, {0, i * band, look.width, i * band + band}, c);
  }
}

FacePlan PlanFace(const ButtonLook& look) {
  FacePlan face;
  PaintPlan& plan = face.ops;
  const std::int32_t w = look.width, h = look.height;
  const DrawingColours& colours = look.colours;
  if (look.Elliptic()) {
    Simple(plan, DrawOp::Kind::ClipOff);
    if (look.style != 5 || look.hovering || look.Pressed()) {
      if (look.shape == 6) Ellipse(plan, {0, 0, w, h}, kBlack, 2);
      if (look.shape == 4 || (look.shape == 5 && !look.Held()))
        AppendGradient(plan, look, look.Held() ? 4 : 3, ShadeColor(colours.container, 172),
                       ShadeColor(colours.container, -32));
    }
    Simple(plan, DrawOp::Kind::ClipToShape);
  }
  if (look.gradient_mode == 0) {
    const ColorRef colour = look.Pressed() ? colours.pressed
                            : look.hovering ? colours.hover
                                            : colours.face;
    if (look.style == 2 && look.enabled) {
      // The face darkens downwards, one row at a time.
      if (h - 3 >= 2)
        for (std::int32_t y = 2; y <= h - 2; ++y) {
          const int step = int(nearest(-(25.0 / h) * y));
          Box(plan, {2, y, w - 2, y + 1}, ShadeColor(colour, step, kBlueScaling));
        }
    } else if (look.style == 2) {
      Box(plan, {0, 0, w, h}, ShadeColor(colour, -24, kBlueScaling));
    } else {
      Box(plan, {0, 0, w, h}, colour);
    }
    face.face_used = colour;
  } else if (look.Pressed() || !look.hovering || look.gradient_is_hover_back) {
    ColorRef g = look.gradient_rgb;
    if (look.style == 7) g = ShadeColor(g, 31);
    if (look.style == 2) g = ShadeColor(g, 48, kBlueScaling);
    AppendGradient(plan, look, look.gradient_mode, colours.face, g);
    face.face_used = colours.face;
  } else {
    Box(plan, {0, 0, w, h}, colours.hover);
    face.face_used = colours.hover;
  }
  if (look.Elliptic()) Simple(plan, DrawOp::Kind::ClipToShape);
  return face;
}

PaintPlan PlanEdges(const ButtonLook& look) {
  PaintPlan plan;
  const bool focus_wanted = look.Focused() && !look.Pressed() && look.FocusShown() && look.shape > 0;
  if (look.Elliptic()) {
    EllipseEdges(plan, look, focus_wanted);
    return plan;
  }
  const std::int32_t w = look.width, h = look.height;
  const std::int32_t o = look.layout.left_slant_offset, r = look.layout.right_slant_position;
  const Ring ring1 = RingPoints(1, look.shape, w, h, o, r);
  const Ring ring2 = RingPoints(2, look.shape, w, h, o, r);
  const Ring ring3 = RingPoints(3, look.shape, w, h, o, r);
  const bool slanted = look.shape >= 1 && look.shape <= 3;
  const bool pressed = look.Pressed();
  const ColorRef f = look.colours.face;
  const std::size_t state = pressed ? 2 : look.Focused() ? 1 : 0;

  // The focus outline of slanted shapes replaces the ring-1 bevel.
  auto focus_outline = [&](const Ring& ring, ColorRef c) {
    Line(plan, Full(ring), ShadeColor(c, -32, kAvoidExtremes));
  };
  const bool outline_focus = focus_wanted && slanted;

  std::optional<ColorRef> ring3_last;  // the pen the closing segment reuses
  auto ring3_bevel = [&](ColorRef top_left, ColorRef bottom_right, bool dotted = false) {
    Line(plan, TopLeft(ring3), top_left, dotted);
    Line(plan, BottomRight(ring3), bottom_right, dotted);
    ring3_last = bottom_right;
  };
  auto ring3_full = [&](ColorRef c, bool dotted = false) {
    Line(plan, Full(ring3), c, dotted);
    ring3_last = c;
  };

  std::optional<Style7Colours> style7;
  switch (look.style) {
    case 0: {
      const std::array<ColorRef, 3> r1_tl{f, kLightGrey, f}, r1_br{f, kGrey, f};
      const std::array<ColorRef, 3> r2_tl{kLightGrey, kWhite, kGrey}, r2_br{kGrey, kBlack, kGrey};
      Bevel(plan, ring1, r1_tl[state], r1_br[state]);
      Bevel(plan, ring2, r2_tl[state], r2_br[state]);
      ring3_bevel(look.Focused() ? kBlack : kWhite, kBlack);
      break;
    }
    case 1:
      if (outline_focus) focus_outline(ring1, f);
      else if (!pressed) Bevel(plan, ring1, kWhite, kGrey);
      Bevel(plan, ring2, pressed ? kGrey : kWhite, pressed ? kWhite : kGrey);
      ring3_full(kBlack);
      break;
    case 2: {
      if (look.enabled) Style2Rings(plan, look, f, ring1, ring2);
      const ColorRef c = look.enabled ? ColorRef(0x733C00) : ShadeColor(f, -84, kBlueScaling);
      ring3_full(c);
      if (!look.LeftSlanted()) {
        Pixel(plan, {1, 1}, c);
        Pixel(plan, {1, h - 2}, c);
      }
      if (!look.RightSlanted()) {
        Pixel(plan, {w - 2, 1}, c);
        Pixel(plan, {w - 2, h - 2}, c);
      }
      break;
    }
    case 3: {
      const ColorRef dark = ShadeColor(kGrey, -26);
      if (outline_focus) focus_outline(ring1, kFocusLilac);
      if (look.enabled) Bevel(plan, ring2, pressed ? ShadeColor(kGrey, 12) : kWhite, dark);
      ring3_bevel(dark, look.enabled ? dark : kWhite);
      break;
    }
    case 4:
      if (outline_focus) focus_outline(ring2, f);
      ring3_bevel(pressed ? kGrey : kWhite, pressed ? kWhite : kGrey);
      break;
    case 5:
      if (outline_focus) focus_outline(ring1, look.colours.container);
      if (look.Over())
        ring3_bevel(pressed ? kGrey : kWhite, pressed ? kWhite : kGrey);
      else if (look.design_mode)
        ring3_full(ShadeColor(look.colours.container, 172), true);
      break;
    case 6: {
      if (outline_focus) focus_outline(ring1, f);
      const ColorRef light = ShadeColor(0xDFDFDF, 8);
      Bevel(plan, ring2, pressed ? kGrey : light, pressed ? light : kGrey);
      ring3_bevel(pressed ? kGrey : light, pressed ? light : kGrey);
      break;
    }
    case 7: {
      style7 = Style7(look);
      if (outline_focus) Bevel(plan, ring1, style7->dk, style7->dk);
      else Bevel(plan, ring1, style7->wt, style7->f);
      Bevel(plan, ring2, style7->lt, style7->dk);
      ring3_full(kBlack);
      break;
    }
    default:
      break;
  }
  if (ring3_last && look.RightSlanted())
    Line(plan, {ring3[4], {w - 1, h - 1}}, *ring3_last, look.style == 5 && !look.Over());
  if (style7) Style7Corners(plan, look, *style7);
  if (look.shape == 0 && look.FocusShown()) FocusMark(plan, look);
  return plan;
}

std::vector<CaptionPass> PlanCaption(const ButtonLook& look, ColorRef face_used) {
  std::vector<CaptionPass> passes;
  const ColorRef face = look.colours.face;
  if (look.enabled) {
    ColorRef main = look.fore_rgb;
    if (look.hovering && !look.Pressed()) main = look.hover_fore_rgb;
    else if (look.gradient_mode != 0) main = look.fore_rgb;
    else if (look.style == 7 && look.Pressed()) main = face;
    if (look.caption_style == 1 || look.caption_style == 2) {
      const int d = look.caption_style == 1 ? -40 : 40;
      passes.push_back({ShadeColor(face_used, d), -1, 0});
      passes.push_back({ShadeColor(face_used, -d), 1, 2});
      passes.push_back({main, 0, 1});
    } else {
      passes.push_back({main, 0, 0});
    }
    return passes;
  }
  // Disabled: a white copy one pixel down and right under a grey one gives
  // the etched look; ButtonStyle 2 and 3 use a single pass.
  const bool etched = look.style != 2 && look.style != 3;
  ColorRef main = look.style == 2 ? ShadeColor(face, -104, kBlueScaling)
                  : look.style == 3 ? kGrey
                                    : kWhite;
  if (look.gradient_mode != 0) main = ShadeColor(face, 172, kBlueScaling);
  passes.push_back({main, etched ? 1 : 0, etched ? 1 : 0});
  if (etched) passes.push_back({kGrey, 0, 0});
  return passes;
}

ButtonPoint PressedShift(const ButtonLook& look) {
  if (!look.Pressed() || look.style == 3) return {0, 0};
  return look.Elliptic() ? ButtonPoint{0, 1} : ButtonPoint{1, 1};
}

std::optional<ButtonRect> ImageTarget(const ButtonLook& look, std::int32_t u, std::int32_t p,
                                      const ButtonRect& image_rect, bool shifted) {
  if (!look.has_image) return std::nullopt;
  const std::int32_t s = look.image_size;
  if (s <= 32) return ButtonRect{image_rect.left, image_rect.top, image_rect.left + s, image_rect.top + s};
  if (s == 40)
    return shifted ? ButtonRect{1, 1, look.width, look.height}
                   : ButtonRect{0, 0, look.width, look.height};
  // 48: fitted inside the usable extent keeping the picture's aspect.
  if (look.image_width <= 0 || look.image_height <= 0) return std::nullopt;
  const double k = std::min(double(p - 12) / look.image_width,
                            double(look.height - 12) / look.image_height);
  const std::int32_t tw = nearest_as<std::int32_t>(k * look.image_width).value_or(0);
  const std::int32_t th = nearest_as<std::int32_t>(k * look.image_height).value_or(0);
  if (tw <= 0 || th <= 0) return std::nullopt;
  const std::int32_t x = (p - tw) / 2 + u + (shifted ? 1 : 0);
  const std::int32_t y = (look.height - th) / 2 + (shifted ? 1 : 0);
  return ButtonRect{x, y, x + tw, y + th};
}

}  // namespace velkaro
