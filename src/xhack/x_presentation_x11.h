#pragma once
// Presentation on an X window, as the Windows saver's DirectDraw
// presentation does it: the frame buffer's shown part through PalLUT into a
// 320 × 240 picture in the window's pixel format (the saver's own render),
// then that picture stretched over the whole window and uploaded in one
// request. The window's size is followed: a new size gets a new image. The
// palette comes once per run and is turned into the window's pixel values
// then.

#include <cstdint>
#include <memory>
#include <optional>

#include "common/geometry.h"
#include "effects/palette.h"
#include "effects/presentation.h"
#include "effects/stretch_blit.h"
#include "saver/saver_ports.h"
#include "xhack/frame_image_x11.h"
#include "xhack/pixel_format.h"
#include "xhack/x_resources_x11.h"

// Xlib's macros (None, Bool, Status) would break the headers above, so it
// comes last.
#include <X11/Xlib.h>

namespace velkaro::xhack {

class XPresentation final : public SaverPresentation {
 public:
  // `format` must be supported (IsSupported); `shared_memory` when the
  // server has MIT-SHM.
  XPresentation(Display* display, Window window, Visual* visual, const PixelFormat& format,
                std::int32_t width, std::int32_t height, bool shared_memory);

  // The window's new size; the next frame is made for it.
  void Resize(std::int32_t width, std::int32_t height);

  void SetPalette(const PaletteTable& PalLUT) override;
  // Presents a frame; nothing when no image of the window's size can be had.
  void Present(const IndexImage& FrameBuf) override;

 private:
  bool ImageReady();

  Display* display_;
  Window window_;
  Visual* visual_;
  PixelFormat format_;
  bool shared_memory_;
  GcOwner gc_;
  MemorySurface picture_;
  std::int32_t width_, height_;
  std::optional<StretchBlit> stretch_;
  std::unique_ptr<FrameImage> image_;
  // PalLUT in the window's pixel format.
  PaletteTable window_table_{};
};

}  // namespace velkaro::xhack
