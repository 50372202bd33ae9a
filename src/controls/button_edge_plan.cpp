// The edges of a button: for the elliptic shapes an optional focus ring, for
// the rectangle and the slanted shapes the bevels along the three rings,
// planned by one function per ButtonStyle, then the focus mark.
#include <array>
#include <optional>

#include "controls/button_draw_ops.h"

namespace velkaro {
namespace {

// What every style's edge planner works from.
struct Edges {
  const ButtonLook& look;
  PaintPlan& plan;
  Ring ring1, ring2, ring3;  // two pixels inside, one inside, the outermost
  ColorRef face = 0;
  bool pressed = false;
  // A focus outline is drawn in place of the inner bevel on slanted shapes.
  bool outline_focus = false;
  std::size_t state = 0;  // 0 normal, 1 focused, 2 pressed
};

struct BevelColours {
  ColorRef top_left, bottom_right;
};

// A bevel that is lit from the top left, and from the bottom right while
// the button is pressed in.
BevelColours Raised(const Edges& edges, ColorRef light, ColorRef dark) {
  return edges.pressed ? BevelColours{dark, light} : BevelColours{light, dark};
}

void Bevel(Edges& edges, const Ring& ring, BevelColours colours) {
  AppendBevel(edges.plan, ring, colours.top_left, colours.bottom_right);
}

void FocusOutline(Edges& edges, const Ring& ring, ColorRef c) {
  AppendLine(edges.plan, WholeOf(ring), ShadeColor(c, -32, kAvoidExtremes));
}

// A right-slanted edge leaves the bottom-right corner open after ring 3; one
// more segment in ring 3's last pen closes it.
void CloseSlantedCorner(Edges& edges, ColorRef pen, bool dotted) {
  if (!edges.look.RightSlanted()) return;
  const Point corner{edges.look.width - 1, edges.look.height - 1};
  AppendLine(edges.plan, {edges.ring3[4], corner}, pen, dotted);
}

void Ring3Bevel(Edges& edges, BevelColours colours, bool dotted = false) {
  AppendLine(edges.plan, TopLeftOf(edges.ring3), colours.top_left, dotted);
  AppendLine(edges.plan, BottomRightOf(edges.ring3), colours.bottom_right, dotted);
  CloseSlantedCorner(edges, colours.bottom_right, dotted);
}

void Ring3Whole(Edges& edges, ColorRef c, bool dotted = false) {
  AppendLine(edges.plan, WholeOf(edges.ring3), c, dotted);
  CloseSlantedCorner(edges, c, dotted);
}

void PlanClassicBevel(Edges& edges) {
  const ColorRef f = edges.face;
  // By state: normal, focused, pressed.
  const std::array<ColorRef, 3> r1_tl{f, kLightGrey, f}, r1_br{f, kGrey, f};
  const std::array<ColorRef, 3> r2_tl{kLightGrey, kWhite, kGrey}, r2_br{kGrey, kBlack, kGrey};
  Bevel(edges, edges.ring1, {r1_tl[edges.state], r1_br[edges.state]});
  Bevel(edges, edges.ring2, {r2_tl[edges.state], r2_br[edges.state]});
  Ring3Bevel(edges, {edges.look.Focused() ? kBlack : kWhite, kBlack});
}

void PlanBlackFrame(Edges& edges) {
  if (edges.outline_focus)
    FocusOutline(edges, edges.ring1, edges.face);
  else if (!edges.pressed)
    Bevel(edges, edges.ring1, {kWhite, kGrey});
  Bevel(edges, edges.ring2, Raised(edges, kWhite, kGrey));
  Ring3Whole(edges, kBlack);
}

// The shaded-face style colours each side of rings 1 and 2 on its own; its
// state is 0 normal, 1 focused, 2 pressed, 3 mouse over and not held.
std::size_t ShadedFaceState(const ButtonLook& look) {
  if (look.Pressed()) return 2;
  if (look.Over() && !look.Held()) return 3;
  if (look.FocusShown()) return 1;
  return 0;
}

void ShadedFaceRings(Edges& edges) {
  const ColorRef f = edges.face;
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
  const std::size_t state = ShadedFaceState(edges.look);
  for (std::size_t side = 0; side < 4; ++side) {
    AppendLine(edges.plan, {edges.ring1[side], edges.ring1[side + 1]}, ring1_colours[side][state]);
    AppendLine(edges.plan, {edges.ring2[side], edges.ring2[side + 1]}, ring2_colours[side][state]);
  }
}

void PlanShadedFace(Edges& edges) {
  const ButtonLook& look = edges.look;
  if (look.enabled) ShadedFaceRings(edges);
  const ColorRef c = look.enabled ? ColorRef(0x733C00) : ShadeColor(edges.face, -84, kBlueScaling);
  AppendLine(edges.plan, WholeOf(edges.ring3), c);
  // The corners of straight sides are rounded off by one pixel inside.
  const std::int32_t w = look.width, h = look.height;
  if (!look.LeftSlanted()) {
    AppendPixel(edges.plan, {1, 1}, c);
    AppendPixel(edges.plan, {1, h - 2}, c);
  }
  if (!look.RightSlanted()) {
    AppendPixel(edges.plan, {w - 2, 1}, c);
    AppendPixel(edges.plan, {w - 2, h - 2}, c);
  }
  CloseSlantedCorner(edges, c, false);
}

void PlanGreyEtched(Edges& edges) {
  const ColorRef dark = ShadeColor(kGrey, -26);
  const bool enabled = edges.look.enabled;
  if (edges.outline_focus) FocusOutline(edges, edges.ring1, kFocusLilac);
  if (enabled) Bevel(edges, edges.ring2, {edges.pressed ? ShadeColor(kGrey, 12) : kWhite, dark});
  Ring3Bevel(edges, {dark, enabled ? dark : kWhite});
}

void PlanThinBevel(Edges& edges) {
  if (edges.outline_focus) FocusOutline(edges, edges.ring2, edges.face);
  Ring3Bevel(edges, Raised(edges, kWhite, kGrey));
}

void PlanFlatUntilHover(Edges& edges) {
  const ButtonLook& look = edges.look;
  if (edges.outline_focus) FocusOutline(edges, edges.ring1, look.colours.container);
  if (look.Over())
    Ring3Bevel(edges, Raised(edges, kWhite, kGrey));
  else if (look.design_mode)  // a designer shows where the flat button is
    Ring3Whole(edges, ShadeColor(look.colours.container, 172), true);
}

void PlanLightDoubleBevel(Edges& edges) {
  if (edges.outline_focus) FocusOutline(edges, edges.ring1, edges.face);
  const ColorRef light = ShadeColor(0xDFDFDF, 8);
  Bevel(edges, edges.ring2, Raised(edges, light, kGrey));
  Ring3Bevel(edges, Raised(edges, light, kGrey));
}

// The rounded black frame's face (f), white (wt), light (lt) and dark (dk),
// all darker while pressed.
struct RoundedFrameColours {
  ColorRef f, wt, lt, dk;
};

RoundedFrameColours RoundedFrameColoursOf(const ButtonLook& look) {
  RoundedFrameColours c{look.colours.face, kWhite, 0, 0};
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

void RoundedFrameCorners(Edges& edges, const RoundedFrameColours& c) {
  PaintPlan& plan = edges.plan;
  const std::int32_t w = edges.look.width, h = edges.look.height;
  if (!edges.look.LeftSlanted()) {
    AppendPixel(plan, {3, 3}, c.wt);
    AppendPixel(plan, {2, 2}, c.lt);
    AppendPixel(plan, {1, h - 3}, c.f);
    AppendPixel(plan, {1, h - 2}, kBlack);
    AppendPixel(plan, {1, 1}, kBlack);
  }
  if (!edges.look.RightSlanted()) {
    AppendPixel(plan, {w - 4, h - 4}, c.f);
    AppendPixel(plan, {w - 3, 1}, c.f);
    AppendPixel(plan, {w - 3, h - 3}, c.dk);
    AppendPixel(plan, {w - 2, h - 2}, kBlack);
    AppendPixel(plan, {w - 2, 1}, kBlack);
  }
}

void PlanRoundedBlackFrame(Edges& edges) {
  const RoundedFrameColours c = RoundedFrameColoursOf(edges.look);
  if (edges.outline_focus)
    Bevel(edges, edges.ring1, {c.dk, c.dk});
  else
    Bevel(edges, edges.ring1, {c.wt, c.f});
  Bevel(edges, edges.ring2, {c.lt, c.dk});
  Ring3Whole(edges, kBlack);
  RoundedFrameCorners(edges, c);
}

struct StyleEdges {
  ButtonStyleKind style;
  void (*plan)(Edges&);
};

constexpr std::array<StyleEdges, kCountOf<ButtonStyleKind>> kStyleEdges{{
    {ButtonStyleKind::ClassicBevel, PlanClassicBevel},
    {ButtonStyleKind::BlackFrame, PlanBlackFrame},
    {ButtonStyleKind::ShadedFace, PlanShadedFace},
    {ButtonStyleKind::GreyEtched, PlanGreyEtched},
    {ButtonStyleKind::ThinBevel, PlanThinBevel},
    {ButtonStyleKind::FlatUntilHover, PlanFlatUntilHover},
    {ButtonStyleKind::LightDoubleBevel, PlanLightDoubleBevel},
    {ButtonStyleKind::RoundedBlackFrame, PlanRoundedBlackFrame},
}};

// The table is indexed by the style's number.
constexpr bool InStyleOrder() {
  for (std::size_t i = 0; i < kStyleEdges.size(); ++i)
    if (std::size_t(NumberOf(kStyleEdges[i].style)) != i) return false;
  return true;
}
static_assert(InStyleOrder(), "kStyleEdges must list the styles in the order of their numbers");

// The colour of the focus ring of the elliptic shapes, or none.
std::optional<ColorRef> EllipseFocusColour(const ButtonLook& look) {
  switch (look.style) {
    case ButtonStyleKind::ShadedFace:
      if (look.Held()) return std::nullopt;
      return look.Over() ? ColorRef(0x0096E7) : ColorRef(0xEF826B);
    case ButtonStyleKind::GreyEtched: return kFocusLilac;
    case ButtonStyleKind::FlatUntilHover:
      return ShadeColor(look.colours.container, -32, kAvoidExtremes);
    default:
      if (look.Held()) return std::nullopt;
      return look.fore_rgb;
  }
}

void PlanEllipseEdges(PaintPlan& plan, const ButtonLook& look, bool focus_wanted) {
  AppendMarker(plan, DrawOp::Kind::ClipOff);
  const std::int32_t w = look.width, h = look.height;
  const bool shaded_hover = look.style == ButtonStyleKind::ShadedFace && look.Over();
  if (look.style == ButtonStyleKind::FlatUntilHover && look.design_mode)
    AppendEllipse(plan, {0, 0, w, h}, kWhite, 1);
  if (focus_wanted || (shaded_hover && look.show_focus_rect)) {
    const std::int32_t inset = look.shape == ButtonShapeKind::EllipseBlackRim ? 2 : 3;
    if (const std::optional<ColorRef> c = EllipseFocusColour(look))
      AppendEllipse(plan, {inset, inset, w - inset, h - inset}, ShadeColor(*c, 0, kAvoidExtremes),
                    1);
  }
  AppendMarker(plan, DrawOp::Kind::ClipToShape);
}

// The focus mark of a rectangle, around the caption (or the image when the
// caption is empty) or inside the edges.
void PlanFocusMark(PaintPlan& plan, const ButtonLook& look) {
  const Rect& c = look.caption.empty() ? look.layout.image : look.layout.caption;
  switch (look.style) {
    case ButtonStyleKind::ShadedFace: return;  // its focused ring colours show the focus
    case ButtonStyleKind::GreyEtched:
      AppendLine(plan,
                 {{c.left - 3, c.top - 3},
                  {c.right + 3, c.top - 3},
                  {c.right + 3, c.bottom + 3},
                  {c.left - 3, c.bottom + 3},
                  {c.left - 3, c.top - 3}},
                 kFocusLilac);
      return;
    case ButtonStyleKind::RoundedBlackFrame: {
      const std::int32_t shift = look.Pressed() ? 1 : 0;
      AppendMarker(
          plan, DrawOp::Kind::FocusRect,
          {c.left - 3 + shift, c.top - 3 + shift, c.right + 3 + shift, c.bottom + 3 + shift});
      return;
    }
    default:
      AppendMarker(plan, DrawOp::Kind::FocusRect,
                   {look.layout.left_slant_offset + 4, 4, look.layout.right_slant_position - 4,
                    look.height - 4});
  }
}

Edges EdgesOf(const ButtonLook& look, PaintPlan& plan, bool focus_wanted) {
  const std::int32_t w = look.width, h = look.height;
  const std::int32_t o = look.layout.left_slant_offset, r = look.layout.right_slant_position;
  Edges edges{look, plan, RingPoints(1, look.shape, w, h, o, r),
              RingPoints(2, look.shape, w, h, o, r), RingPoints(3, look.shape, w, h, o, r)};
  edges.face = look.colours.face;
  edges.pressed = look.Pressed();
  edges.outline_focus = focus_wanted && IsSlanted(look.shape);
  edges.state = edges.pressed ? 2 : look.Focused() ? 1 : 0;
  return edges;
}

}  // namespace

PaintPlan PlanEdges(const ButtonLook& look) {
  PaintPlan plan;
  const bool focus_wanted = look.Focused() && !look.Pressed() && look.FocusShown() &&
                            look.shape != ButtonShapeKind::Rectangle;
  if (look.Elliptic()) {
    PlanEllipseEdges(plan, look, focus_wanted);
    return plan;
  }
  // A style outside the table (never one the control accepts) has no edges.
  if (IsKnown(look.style)) {
    Edges edges = EdgesOf(look, plan, focus_wanted);
    kStyleEdges[std::size_t(NumberOf(look.style))].plan(edges);
  }
  if (look.shape == ButtonShapeKind::Rectangle && look.FocusShown()) PlanFocusMark(plan, look);
  return plan;
}

}  // namespace velkaro
