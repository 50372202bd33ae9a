#include "controls/button_paint_plan.h"

#include <algorithm>

#include "common/rounding.h"
#include "controls/button_draw_ops.h"

namespace velkaro {
namespace {

using Style = ButtonStyleKind;

// The elliptic shapes paint a rim outside their face clip: a black ring, or
// a gradient from the container colour that is sunk while the button is
// held. The flat-until-hover style shows it only while hovering or pressed.
void PlanEllipseRim(PaintPlan& plan, const ButtonLook& look) {
  AppendMarker(plan, DrawOp::Kind::ClipOff);
  if (look.style != Style::FlatUntilHover || look.hovering || look.Pressed()) {
    const ColorRef container = look.colours.container;
    if (look.shape == ButtonShapeKind::EllipseBlackRim)
      AppendEllipse(plan, {0, 0, look.width, look.height}, kBlack, 2);
    if (look.shape == ButtonShapeKind::EllipseShadedRim ||
        (look.shape == ButtonShapeKind::EllipseRimHiddenWhileHeld && !look.Held()))
      AppendGradient(plan, look,
                     look.Held() ? GradientModeKind::BottomToTop : GradientModeKind::TopToBottom,
                     ShadeColor(container, 172), ShadeColor(container, -32));
  }
  AppendMarker(plan, DrawOp::Kind::ClipToShape);
}

// A face of one colour; returns it.
ColorRef PlanSolidFace(PaintPlan& plan, const ButtonLook& look) {
  const std::int32_t w = look.width, h = look.height;
  const DrawingColours& colours = look.colours;
  const ColorRef colour = look.Pressed()  ? colours.pressed
                          : look.hovering ? colours.hover
                                          : colours.face;
  if (look.style != Style::ShadedFace) {
    AppendBox(plan, {0, 0, w, h}, colour);
  } else if (!look.enabled) {
    AppendBox(plan, {0, 0, w, h}, ShadeColor(colour, -24, kBlueScaling));
  } else if (h - 3 >= 2) {
    // The shaded face darkens downwards, one row at a time.
    for (std::int32_t y = 2; y <= h - 2; ++y) {
      const int step = int(nearest(-(25.0 / h) * y));
      AppendBox(plan, {2, y, w - 2, y + 1}, ShadeColor(colour, step, kBlueScaling));
    }
  }
  return colour;
}

// A gradient face, or the plain hover colour while the mouse is over a
// button whose hover colour is its own; returns the face colour it counts.
ColorRef PlanGradientFace(PaintPlan& plan, const ButtonLook& look) {
  const DrawingColours& colours = look.colours;
  if (!look.Pressed() && look.hovering && !look.gradient_is_hover_back) {
    AppendBox(plan, {0, 0, look.width, look.height}, colours.hover);
    return colours.hover;
  }
  ColorRef g = look.gradient_rgb;
  if (look.style == Style::RoundedBlackFrame) g = ShadeColor(g, 31);
  if (look.style == Style::ShadedFace) g = ShadeColor(g, 48, kBlueScaling);
  AppendGradient(plan, look, look.gradient_mode, colours.face, g);
  return colours.face;
}

// The main text's colour of an enabled caption.
ColorRef CaptionColour(const ButtonLook& look) {
  if (look.hovering && !look.Pressed()) return look.hover_fore_rgb;
  if (look.gradient_mode != GradientModeKind::None) return look.fore_rgb;
  if (look.style == Style::RoundedBlackFrame && look.Pressed()) return look.colours.face;
  return look.fore_rgb;
}

}  // namespace

Rect ShapeClipEllipse(const ButtonLook& look) {
  const std::int32_t e = look.shape == ButtonShapeKind::EllipseBlackRim ? 1 : 0;
  return {2 - e, 2 - e, look.width - 1 + e, look.height - 1 + e};
}

void AppendGradient(PaintPlan& plan, const ButtonLook& look, GradientModeKind gradient_mode,
                    ColorRef a, ColorRef b) {
  const bool across = gradient_mode == GradientModeKind::LeftToRight ||
                      gradient_mode == GradientModeKind::RightToLeft;
  const std::int32_t extent = across ? look.width : look.height;
  const std::int32_t screen = across ? look.screen_width : look.screen_height;
  if (extent <= 0) return;
  const bool wide = screen / extent < 4;
  const std::int32_t band = wide ? 2 : 1;
  const std::int32_t n = wide ? extent / 2 : extent;
  const std::vector<ColorRef> colours = GradientColours(n, a, b);
  const bool forward = gradient_mode == GradientModeKind::LeftToRight ||
                       gradient_mode == GradientModeKind::TopToBottom;
  for (std::int32_t i = 0; i < n; ++i) {
    const ColorRef c = colours[std::size_t(forward ? i : n - 1 - i)];
    if (across)
      AppendBox(plan, {i * band, 0, i * band + band, look.height}, c);
    else
      AppendBox(plan, {0, i * band, look.width, i * band + band}, c);
  }
}

FacePlan PlanFace(const ButtonLook& look) {
  FacePlan face;
  if (look.Elliptic()) PlanEllipseRim(face.ops, look);
  face.face_used = look.gradient_mode == GradientModeKind::None ? PlanSolidFace(face.ops, look)
                                                                : PlanGradientFace(face.ops, look);
  if (look.Elliptic()) AppendMarker(face.ops, DrawOp::Kind::ClipToShape);
  return face;
}

std::vector<CaptionPass> PlanCaption(const ButtonLook& look, ColorRef face_used) {
  std::vector<CaptionPass> passes;
  const ColorRef face = look.colours.face;
  if (look.enabled) {
    const ColorRef main = CaptionColour(look);
    const bool relief = look.caption_style == CaptionStyleKind::Embossed ||
                        look.caption_style == CaptionStyleKind::Engraved;
    if (!relief) return {{main, 0, 0}};
    // Two shaded copies, offset either way, give the text its relief.
    const int d = look.caption_style == CaptionStyleKind::Embossed ? -40 : 40;
    passes.push_back({ShadeColor(face_used, d), -1, 0});
    passes.push_back({ShadeColor(face_used, -d), 1, 2});
    passes.push_back({main, 0, 1});
    return passes;
  }
  // Disabled: a white copy one pixel down and right under a grey one gives
  // the etched look; the shaded-face and grey etched styles use one pass.
  const bool etched = look.style != Style::ShadedFace && look.style != Style::GreyEtched;
  ColorRef main = look.style == Style::ShadedFace   ? ShadeColor(face, -104, kBlueScaling)
                  : look.style == Style::GreyEtched ? kGrey
                                                    : kWhite;
  if (look.gradient_mode != GradientModeKind::None) main = ShadeColor(face, 172, kBlueScaling);
  passes.push_back({main, etched ? 1 : 0, etched ? 1 : 0});
  if (etched) passes.push_back({kGrey, 0, 0});
  return passes;
}

Point PressedShift(const ButtonLook& look) {
  if (!look.Pressed() || look.style == Style::GreyEtched) return {0, 0};
  return look.Elliptic() ? Point{0, 1} : Point{1, 1};
}

std::optional<Rect> ImageTarget(const ButtonLook& look, std::int32_t u, std::int32_t p,
                                const Rect& image_rect, bool shifted) {
  if (!look.has_image) return std::nullopt;
  const std::int32_t s = look.image_size;
  if (s <= 32)
    return Rect{image_rect.left, image_rect.top, image_rect.left + s, image_rect.top + s};
  if (s == 40)
    return shifted ? Rect{1, 1, look.width, look.height} : Rect{0, 0, look.width, look.height};
  // 48: fitted inside the usable extent keeping the picture's aspect.
  if (look.image_width <= 0 || look.image_height <= 0) return std::nullopt;
  const double k =
      std::min(double(p - 12) / look.image_width, double(look.height - 12) / look.image_height);
  const std::int32_t tw = nearest_as<std::int32_t>(k * look.image_width).value_or(0);
  const std::int32_t th = nearest_as<std::int32_t>(k * look.image_height).value_or(0);
  if (tw <= 0 || th <= 0) return std::nullopt;
  const std::int32_t x = (p - tw) / 2 + u + (shifted ? 1 : 0);
  const std::int32_t y = (look.height - th) / 2 + (shifted ? 1 : 0);
  return Rect{x, y, x + tw, y + th};
}

}  // namespace velkaro
