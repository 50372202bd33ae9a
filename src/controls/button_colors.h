#pragma once
// Colour arithmetic of the button's drawing: shading a colour by a step,
// the bands of a gradient, and the face, pressed and hover colours each
// ButtonStyle derives from BackColor and HoverBackColor.
#include <cstdint>
#include <vector>

#include "controls/button_control.h"
#include "controls/button_properties.h"

namespace velkaro {

struct ShadeOptions {
  // The blue channel moves in proportion to its own value (step × b ÷ 192)
  // instead of by the step, which keeps blue tints from turning grey.
  bool blue_scaling = false;
  // A result of pure black or pure white is computed again with the step
  // negated (a step of 0 becomes 64), so that a mark never vanishes into a
  // black or white face.
  bool avoid_extremes = false;
  // Each channel becomes 255 − channel after clamping.
  bool invert = false;
};

inline constexpr ShadeOptions kBlueScaling{.blue_scaling = true};
inline constexpr ShadeOptions kAvoidExtremes{.avoid_extremes = true};

// rgb (0x00BBGGRR) with step added to every channel, clamped to 0..255.
ColorRef ShadeColor(ColorRef rgb, int step, ShadeOptions options = {});

// n colours from a to b: colours[0] = a, then each channel adds its step
// (b − a) ÷ (n − 1), rounded to the nearest integer, at every band. The
// rounded step is what accumulates, so a small difference spread over many
// bands may never show. n ≤ 1 gives just a (or nothing for n ≤ 0).
std::vector<ColorRef> GradientColours(int n, ColorRef a, ColorRef b);

// The face, pressed and hover colours of a ButtonStyle from the RGB values
// of BackColor and HoverBackColor. container is passed through unchanged.
DrawingColours ComputeDrawingColours(ColorRef face_rgb, ColorRef hover_rgb, ButtonStyleKind style,
                                     ColorRef container_rgb);

constexpr ColorRef Rgb(int red, int green, int blue) {
  return ColorRef(red) | (ColorRef(green) << 8) | (ColorRef(blue) << 16);
}
constexpr int RedOf(ColorRef c) { return int(c & 0xFF); }
constexpr int GreenOf(ColorRef c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(ColorRef c) { return int((c >> 16) & 0xFF); }

}  // namespace velkaro
