#pragma once
// The window's pixel format, and PalLUT turned into raw pixel values of it.
// PalLUT holds what the Windows saver writes on a 32-bit display, which shows
// the low byte as blue, the next as green and the third as red; the hack
// shows the same colours on 24- and 32-bit TrueColor visuals of any channel
// order and on 16-bit 5-6-5 ones, as the saver does on a 16-bit display.
#include <cstdint>
#include <optional>
#include <string>

#include "effects/palette.h"

namespace velkaro::xhack {

// What the hack needs to know of an X visual and its image format.
struct PixelFormat {
  bool true_color = false;
  int depth = 0;
  int bits_per_pixel = 0;  // of a ZPixmap image: 16, 24 or 32 for the supported depths
  std::uint32_t red_mask = 0;
  std::uint32_t green_mask = 0;
  std::uint32_t blue_mask = 0;
  bool msb_first = false;  // the image's byte order: most significant byte first
};

// True for TrueColor of depth 24 or 32 with 8 bits per channel, and of
// depth 16 with red, green and blue masks 0xF800, 0x07E0 and 0x001F.
bool IsSupported(const PixelFormat& format);

// One line saying what the format is and which the hack can show.
std::string Unsupported(const PixelFormat& format);

// PalLUT as raw pixel values of a supported format, in its byte order; the
// bits of a 32-bit visual outside the three masks (its alpha) are all set,
// so that a compositing manager shows the picture opaque. Nothing for an
// unsupported format.
std::optional<PaletteTable> VisualPalette(const PaletteTable& PalLUT, const PixelFormat& format);

}  // namespace velkaro::xhack
