#include "controls/button_colors.h"

#include <algorithm>
#include <array>

#include "common/rounding.h"

namespace velkaro {
namespace {

int ClampChannel(int v) { return std::clamp(v, 0, 255); }

ColorRef ShadeOnce(ColorRef rgb, int step, ShadeOptions options) {
  int red = RedOf(rgb) + step;
  int green = GreenOf(rgb) + step;
  const int blue_in = BlueOf(rgb);
  // Integer division truncates toward zero, as the blue scaling wants.
  int blue = options.blue_scaling ? blue_in + step * blue_in / 192 : blue_in + step;
  red = ClampChannel(red);
  green = ClampChannel(green);
  blue = ClampChannel(blue);
  if (options.invert) {
    red = 255 - red;
    green = 255 - green;
    blue = 255 - blue;
  }
  return Rgb(red, green, blue);
}

}  // namespace

ColorRef ShadeColor(ColorRef rgb, int step, ShadeOptions options) {
  // The step is a 16-bit value.
  step = std::clamp(step, -32768, 32767);
  ColorRef result = ShadeOnce(rgb, step, options);
  // Negating the step can land on the other extreme (a mid grey shaded by
  // ±200 is white one way and black the other), which would flip for ever.
  // Two retries cover every case that can leave an extreme (white with step
  // 0 needs both: 0 → 64 → −64); after that the last result stands.
  for (int retry = 0;
       retry < 2 && options.avoid_extremes && (result == 0x000000 || result == 0xFFFFFF); ++retry) {
    step = step == 0 ? 64 : -step;
    result = ShadeOnce(rgb, step, options);
  }
  return result;
}

std::vector<ColorRef> GradientColours(int n, ColorRef a, ColorRef b) {
  std::vector<ColorRef> colours;
  if (n <= 0) return colours;
  colours.reserve(std::size_t(n));
  colours.push_back(a);
  if (n == 1) return colours;
  const std::array<int, 3> from{RedOf(a), GreenOf(a), BlueOf(a)};
  const std::array<int, 3> to{RedOf(b), GreenOf(b), BlueOf(b)};
  std::array<int, 3> running = from;
  std::array<int, 3> step{};
  for (std::size_t c = 0; c < 3; ++c)
    step[c] = int(nearest(double(to[c] - from[c]) / double(n - 1)));
  for (int k = 1; k < n; ++k) {
    for (std::size_t c = 0; c < 3; ++c) running[c] = ClampChannel(running[c] + step[c]);
    colours.push_back(Rgb(running[0], running[1], running[2]));
  }
  return colours;
}

DrawingColours ComputeDrawingColours(ColorRef face_rgb, ColorRef hover_rgb, ButtonStyleKind style,
                                     ColorRef container_rgb) {
  DrawingColours colours{face_rgb, face_rgb, hover_rgb, container_rgb};
  switch (style) {
    case ButtonStyleKind::ShadedFace:
      colours.face = ShadeColor(face_rgb, 48, kBlueScaling);
      colours.pressed = ShadeColor(colours.face, -32, kBlueScaling);
      colours.hover = ShadeColor(hover_rgb, 48, kBlueScaling);
      break;
    case ButtonStyleKind::GreyEtched: colours.pressed = ShadeColor(0x808080, 12); break;
    case ButtonStyleKind::RoundedBlackFrame:
      colours.face = ShadeColor(face_rgb, 31);
      colours.pressed = ShadeColor(face_rgb, -32);
      colours.hover = ShadeColor(hover_rgb, 31);
      break;
    default: break;
  }
  return colours;
}

}  // namespace velkaro
