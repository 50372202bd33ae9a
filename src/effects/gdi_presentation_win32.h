#pragma once
// Presentation through GDI, for a run that cannot have DirectDraw 7 (no
// DirectX 7, as on Windows NT 4; exclusive mode refused, as in a remote
// session or under some virtual machines' display drivers): the same
// picture as through DirectDraw, pixel for pixel. Each frame is converted
// once into the 32-bit picture, stretched once per window size and copied
// to each window as a 32-bit device-independent bitmap; GDI converts it to
// a display of 16 or 24 bits. Like directdraw_win32.h, the header names no
// Windows type: device contexts are passed as void* (an HDC).
#include "effects/palette.h"
#include "effects/presentation.h"
#include "effects/stretched_frame.h"

namespace velkaro {

class GdiPresentation {
 public:
  // The run's PalLUT, given once before the first frame; GDI takes it
  // unchanged on every display depth.
  void SetPalette(const PaletteTable& PalLUT) { palette_ = PalLUT; }

  // A new frame: the frame buffer's shown part through the palette.
  void NewFrame(const IndexImage& FrameBuf) { frame_.NewFrame(FrameBuf, palette_); }

  // Stretches the current frame over `dest` of the device context `dc`:
  // every pixel of `dest` shows the picture pixel under its centre, as the
  // DirectDraw blit shows it. False when nothing was drawn.
  bool StretchFrameTo(void* dc, const Rect& dest);

  const StretchedFrame& frame() const { return frame_; }

 private:
  PaletteTable palette_{};
  StretchedFrame frame_;
};

}  // namespace velkaro
