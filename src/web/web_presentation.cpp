#include "web/web_presentation.h"

namespace velkaro::web {

PaletteTable CanvasPalette(const PaletteTable& PalLUT) {
  PaletteTable canvas{};
  for (std::size_t i = 0; i < PalLUT.size(); ++i) {
    const std::uint32_t value = PalLUT[i];
    const std::uint32_t red = (value >> 16) & 0xFF, green = (value >> 8) & 0xFF,
                        blue = value & 0xFF;
    canvas[i] = 0xFF000000u | blue << 16 | green << 8 | red;
  }
  return canvas;
}

}  // namespace velkaro::web
