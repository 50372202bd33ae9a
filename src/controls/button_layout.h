#pragma once
// Where the caption and the image go inside a button: the usable horizontal
// extent of each ButtonShape (a slanted edge takes part of the width), the
// room the image takes from the caption, the alignments and the clamping.
// Text is measured through a seam so that the rules run without GDI.
#include <cstdint>
#include <string>
#include <string_view>

#include "controls/button_look.h"

namespace velkaro {

struct UsableExtent {
  std::int32_t u = 0;  // left x of the content area
  std::int32_t p = 0;  // usable width
  std::int32_t v = 0;  // right x
};

// o is the left slant offset and r the right slant position.
UsableExtent UsableExtentOf(ButtonShapeKind shape, std::int32_t width, std::int32_t o,
                            std::int32_t r);
inline UsableExtent UsableExtentOf(const ButtonLook& look) {
  return UsableExtentOf(look.shape, look.width, look.layout.left_slant_offset,
                        look.layout.right_slant_position);
}

// The caption as it is measured and drawn: every "||" becomes a line break.
std::string CaptionForDrawing(std::string_view caption);

struct TextExtent {
  std::int32_t width = 0, height = 0;
};

// Measures text word-wrapped in a box of box_width (as DrawText does with
// its calculate-rectangle and word-break flags); "&" marks are interpreted.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual TextExtent Measure(std::string_view text, std::int32_t box_width,
                             std::int32_t box_height) const = 0;
};

// The full layout: the caption and image rectangles of look, its slant
// results (look.layout) kept as they are.
ButtonLayout LayoutContent(const ButtonLook& look, const TextMeasurer& measurer);

}  // namespace velkaro
