#pragma once
// The display-independent half of presenting the frame buffer: the noise it
// starts with, the palette conversion for 16-bit displays, and the copy of a
// rectangle of palette indexes into a locked surface of raw pixel values.
// The DirectDraw half (directdraw_win32.h) only provides the surface and the
// stretching blit.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/geometry.h"
#include "effects/palette.h"

namespace velkaro {

class Random;

// A read-only view of a palette-index image with upper indexes w and h:
// (w + 1) × (h + 1) bytes, x varying fastest. The frame buffer is one.
struct IndexImage {
  const std::uint8_t* bytes = nullptr;
  std::int32_t w = 0;
  std::int32_t h = 0;

  std::uint8_t at(std::int32_t x, std::int32_t y) const {
    return bytes[std::size_t(y) * (std::size_t(w) + 1) + std::size_t(x)];
  }
};

// Fills the w × h image's (w + 1) × (h + 1) bytes with noise 0..254, one draw
// floor(r × 255) per byte, column by column (x outer, y inner) as the run's
// draw sequence expects. Returns false, drawing nothing, when the buffer is
// too small or w or h negative.
bool FillNoise(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf, Random& random);

// A 32-bit pixel value to 16-bit 5-6-5: with b0, b1, b2 its bytes from the
// lowest, (b2 div 8) × 2048 + (b1 div 4) × 32 + (b0 div 8).
std::int32_t To565(std::uint32_t v);

// Converts every entry of PalLUT in place with To565.
void PalTo565(PaletteTable& PalLUT);

// The table the presentation writes on a display of `rgb_bit_count` bits:
// 5-6-5 values on a 16-bit display, PalLUT unchanged on every other depth.
PaletteTable DisplayPalette(const PaletteTable& PalLUT, std::uint32_t rgb_bit_count);

// The part of the frame buffer that `render` shows: left 4, top 0, right
// W + 4, bottom H. DrawArray cuts it to the buffer and the surface; with
// W = 324 and H = 244 that leaves columns 4..323 and rows 0..239.
Rect RenderRect(std::int32_t W, std::int32_t H);

// Surface memory while it is locked: pixel (0, 0) at `bits`, one row every
// `pitch` bytes, each pixel the low `bytes_per_pixel` bytes (1 to 4) of its
// value in little-endian order.
struct LockedPixels {
  std::uint8_t* bits = nullptr;
  std::ptrdiff_t pitch = 0;
  int bytes_per_pixel = 4;
};

// The surface the frame is drawn into. The display's implementation is a
// DirectDraw off-screen surface; tests use memory.
class Surface {
 public:
  virtual ~Surface() = default;
  virtual std::int32_t Width() const = 0;
  virtual std::int32_t Height() const = 0;
  // Locks the whole surface, waiting until the lock is granted; nothing when
  // it cannot be locked (a lost surface, say).
  virtual std::optional<LockedPixels> Lock() = 0;
  virtual void Unlock() = 0;
};

// A surface in memory that is always granted its lock: for the renderer,
// which has no display, and for measurements.
class MemorySurface final : public Surface {
 public:
  MemorySurface(std::int32_t width, std::int32_t height, int bytes_per_pixel)
      : width_(width),
        height_(height),
        bytes_per_pixel_(bytes_per_pixel),
        pixels_(std::size_t(width) * std::size_t(height) * std::size_t(bytes_per_pixel)) {}
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  std::optional<LockedPixels> Lock() override {
    return LockedPixels{pixels_.data(), std::ptrdiff_t(width_) * bytes_per_pixel_,
                        bytes_per_pixel_};
  }
  void Unlock() override {}
  std::span<const std::uint8_t> pixels() const { return pixels_; }

 private:
  std::int32_t width_, height_;
  int bytes_per_pixel_;
  std::vector<std::uint8_t> pixels_;
};

// DrawArray's results. kDrawn and kEmpty keep the values 0 and 1 that the
// frame loop has always been given.
enum class DrawStatus : int {
  kDrawn = 0,        // the rectangle was copied (possibly nothing of it
                     // landed on the surface)
  kEmpty = 1,        // the rectangle was empty within the array
  kUnavailable = 2,  // the surface could not be locked; nothing drawn
};

// A rectangle of the array after DrawArray's cuts, and where its top-left
// pixel lands on the surface.
struct ArrayCopy {
  Rect source;
  std::int32_t dest_x = 0;
  std::int32_t dest_y = 0;

  bool operator==(const ArrayCopy&) const = default;
};

// DrawArray's cuts. The rectangle is first limited to the array's indexes
// 0..upper (right and bottom at most the upper index, so the last column and
// row are never copied) and put in order; nothing when it is then empty.
// Then it is cut to what lands on a surface_w × surface_h surface at
// (dest_x, dest_y); the result's source may be empty when nothing lands.
std::optional<ArrayCopy> ClipArrayCopy(Rect rect, std::int32_t upper_x, std::int32_t upper_y,
                                       std::int32_t dest_x, std::int32_t dest_y,
                                       std::int32_t surface_w, std::int32_t surface_h);

// Copies the rectangle of `array` to `surface` with its top-left at (destX,
// destY), every index turned into values[index]; no index is transparent.
DrawStatus DrawArray(const IndexImage& array, const PaletteTable& values, std::int32_t destX,
                     std::int32_t destY, Rect rectangle, Surface& surface);

// How far DirectDraw came when a run set it up.
enum class DirectDrawStart {
  kReady,            // exclusive mode and both surfaces
  kSurfacesPending,  // exclusive mode granted, the surfaces not (yet) made
  kRefused,          // the DirectDraw object refused the cooperative level
  kUnavailable,      // no DirectDraw 7: the library or its entry is
                     // missing, or it made no object
};

// Whether a run that set DirectDraw up as far as `start` shows its frames
// through GDI instead. Refused exclusive mode (a remote session, a virtual
// machine's display driver) and a system without DirectDraw 7 get GDI for
// the whole run. Exclusive mode granted with surfaces still missing stays
// with DirectDraw: that is how a display looks while it changes its mode or
// another program holds it, the surfaces are asked for again every frame
// exactly as after a loss, and GDI could not draw on a display that the run
// holds in exclusive mode anyway.
bool PresentsThroughGdi(DirectDrawStart start);

// Draws the frame buffer's RenderRect to the surface's top-left corner.
DrawStatus render(const IndexImage& FrameBuf, const PaletteTable& PalLUT, Surface& surface);

}  // namespace velkaro
