#pragma once
// A button's face and edges as a list of plain drawing operations, computed
// from its look. The window side replays the list with GDI; tests read it.
// Boxes follow the GDI rectangle convention (right and bottom exclusive);
// a polyline leaves out its last point, as GDI's Polyline does.
#include <cstdint>
#include <optional>
#include <vector>

#include "controls/button_geometry.h"
#include "controls/button_look.h"

namespace velkaro {

struct DrawOp {
  enum class Kind {
    Box,          // rect filled, pen and brush of colour
    Polyline,     // points, pen of colour, pen_width, dotted
    Pixel,        // points[0] set to colour
    Ellipse,      // outline of the ellipse in rect, pen of colour and pen_width
    ClipOff,      // drawing reaches the whole off-screen image
    ClipToShape,  // drawing is clipped to the elliptic face
    FocusRect,    // the system's dotted focus rectangle (XOR) around rect
  };
  Kind kind = Kind::Box;
  ColorRef colour = 0;
  Rect rect;
  std::vector<Point> points;
  std::int32_t pen_width = 1;
  bool dotted = false;
};
using PaintPlan = std::vector<DrawOp>;

// The face clip of the elliptic shapes: 2 pixels inside the window (1 for
// the black rim, which is 2 pixels wide).
Rect ShapeClipEllipse(const ButtonLook& look);

// The gradient boxes from a to b in gradient_mode, in bands across the width
// or down the height. Bands are 2 pixels wide when
// the button spans more than about a quarter of the screen.
void AppendGradient(PaintPlan& plan, const ButtonLook& look, GradientModeKind gradient_mode,
                    ColorRef a, ColorRef b);

struct FacePlan {
  PaintPlan ops;
  ColorRef face_used = 0;  // the caption's embossing is shaded from it
};
FacePlan PlanFace(const ButtonLook& look);

// The bevels, focus outlines and corner pixels; for a rectangle the focus
// mark last.
PaintPlan PlanEdges(const ButtonLook& look);

// The caption is drawn in passes: each a colour and an offset of the caption
// rectangle, the last pass being the main text or the etched shadow.
struct CaptionPass {
  ColorRef colour = 0;
  std::int32_t dx = 0, dy = 0;
};
std::vector<CaptionPass> PlanCaption(const ButtonLook& look, ColorRef face_used);

// Whether the content is drawn shifted as pressed, and by how much.
Point PressedShift(const ButtonLook& look);

// Where the image is drawn: S × S at the image rectangle for sizes up to 32,
// the whole client area for 40, fitted keeping its aspect for 48. Nothing
// when there is no image or it would have no area. u and p are the usable
// extent; image_rect is the (possibly shifted) layout rectangle.
std::optional<Rect> ImageTarget(const ButtonLook& look, std::int32_t u, std::int32_t p,
                                const Rect& image_rect, bool shifted);

}  // namespace velkaro
