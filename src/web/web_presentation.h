#pragma once
// The presentation of the page: the 320 x 240 picture as the canvas takes
// it, four bytes a pixel in the order red, green, blue, alpha. The browser
// scales the canvas to the window, so the cost of a frame does not grow with
// the screen.
#include <cstdint>
#include <span>

#include "common/geometry.h"
#include "effects/presentation.h"
#include "saver/saver_ports.h"

namespace velkaro::web {

// A 32-bit display's palette (blue in the low byte) as canvas pixels,
// opaque, which a little-endian memory holds as red, green, blue, alpha.
PaletteTable CanvasPalette(const PaletteTable& PalLUT);

class WebPresentation final : public SaverPresentation {
 public:
  void SetPalette(const PaletteTable& PalLUT) override { palette_ = CanvasPalette(PalLUT); }
  // The saver's own copy of the frame through the palette.
  void Present(const IndexImage& frame) override { render(frame, palette_, picture_); }

  std::span<const std::uint8_t> Picture() const { return picture_.pixels(); }

 private:
  PaletteTable palette_{};
  MemorySurface picture_{kShownPictureSize.width, kShownPictureSize.height, 4};
};

}  // namespace velkaro::web
