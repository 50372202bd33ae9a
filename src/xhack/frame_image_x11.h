#pragma once
// The window-sized image each frame is stretched into and uploaded from: in
// a shared-memory segment that the X server reads directly (MIT-SHM) when
// the server can attach to it, otherwise in this process's memory, sent
// with every frame (a remote display).
#include <X11/Xlib.h>

#include <cstdint>
#include <memory>

#include "effects/stretch_blit.h"

namespace velkaro::xhack {

class FrameImage {
 public:
  virtual ~FrameImage() = default;
  // The image's pixels, for the stretch to write.
  virtual PixelRows Rows() const = 0;
  // Sends the whole image to the drawable's top-left corner.
  virtual void Put(Drawable drawable, GC gc) = 0;
};

// A ZPixmap image of width × height in `visual` and `depth`; shared when
// `try_shared` and the server attaches to the segment, plain otherwise.
// Null only when even a plain image cannot be made.
std::unique_ptr<FrameImage> MakeFrameImage(Display* display, Visual* visual, int depth,
                                           std::int32_t width, std::int32_t height,
                                           bool try_shared);

}  // namespace velkaro::xhack
