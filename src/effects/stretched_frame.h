#pragma once
// The frame as a presentation without DirectDraw shows it: converted once
// per frame into a 320 × 240 picture of 32-bit pixels (PalLUT's values as
// they are: 0x00RRGGBB, the layout of a 32-bit display and of a 32-bit
// device-independent bitmap), then stretched to each window size it is
// shown at, once per frame and size, with the stretch of the DirectDraw
// blit (stretch_blit.h). Two monitors of one size share one stretch.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/geometry.h"
#include "effects/palette.h"
#include "effects/presentation.h"
#include "effects/stretch_blit.h"

namespace velkaro {

class StretchedFrame {
 public:
  static constexpr int kBytesPerPixel = 4;

  StretchedFrame();

  // A new frame: the frame buffer's shown part (RenderRect) through PalLUT
  // into the picture. The stretches of the last frame are out of date;
  // those of sizes it did not show at are let go.
  void NewFrame(const IndexImage& FrameBuf, const PaletteTable& PalLUT);

  // The current frame stretched over width × height pixels, 32 bits each,
  // rows top to bottom without padding; made on the first request of a
  // frame. Empty rows (a null pointer) for an empty size.
  PixelRows StretchedTo(std::int32_t width, std::int32_t height);

  // The 320 × 240 picture of the current frame.
  const MemorySurface& picture() const { return picture_; }
  // How many stretches were made since construction: what a frame costs.
  std::uint64_t stretches_made() const { return stretches_made_; }
  // How many sizes it keeps a stretch of.
  std::size_t sizes_held() const { return stretches_.size(); }

 private:
  static constexpr std::uint64_t kNever = ~std::uint64_t{0};
  struct Stretch {
    StretchBlit blit;
    std::vector<std::uint8_t> pixels;
    std::uint64_t made_for = kNever;  // the frame its pixels show
    std::uint64_t asked_in = 0;       // the last frame that asked for it
  };
  Stretch& StretchOfSize(std::int32_t width, std::int32_t height);

  MemorySurface picture_;
  std::vector<Stretch> stretches_;
  std::uint64_t frame_ = 0;
  std::uint64_t stretches_made_ = 0;
};

}  // namespace velkaro
