#pragma once
// Where the settings dialog's pieces go and how its backgrounds are drawn.
// Pure arithmetic, so that the window code only hands the numbers on.
#include <cstdint>
#include <string>
#include <vector>

#include "effects/presets.h"

namespace velkaro {

struct DialogPoint {
  int x = 0, y = 0;
  bool operator==(const DialogPoint&) const = default;
};

struct DialogRect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const DialogRect&) const = default;
};

inline constexpr int kThumbnailsPerRow = 7;

// The background panel that fixes the dialog's size.
inline constexpr DialogRect kBackgroundPanel{0, 0, 605, 469};
inline constexpr DialogRect kPatternPanel{16, 16, 564, 277};
inline constexpr DialogRect kMusicPanel{16, 308, 565, 89};

// The outer window: the background panel plus the frame and caption, centred
// across and a third of the way down (whole pixels, remainder dropped).
DialogRect DialogWindowRect(int screen_width, int screen_height);

// Thumbnail i and its red frame, inside the pattern panel.
DialogRect ThumbnailRect(int pattern);
DialogRect FrameRect(int pattern);

// The top-left corners at which the tile bitmap is copied to cover a panel:
// columns left to right, each top to bottom, both ends included. Copies past
// the edge are clipped by the surface. A tile without area covers nothing.
std::vector<DialogPoint> TileOrigins(int panel_width, int panel_height, int tile_width,
                                     int tile_height);

// One grey level per row of the background gradient, rows 0..H inclusive:
// |220 sin(y / k)| with k = H / 3.142, rounded to nearest. The row's colour is
// (c, c, c + 30): dark blue at the edges, near white halfway down.
std::vector<std::uint8_t> GradientLevels(double inner_height);
// The colour of a gradient row as a colour reference 0x00BBGGRR.
std::uint32_t GradientColour(std::uint8_t level);

// The zoom animation runs between the pointer position (a rectangle without
// area) and the window.
struct ZoomRects {
  DialogRect from, to;
};
ZoomRects ZoomOpenRects(DialogPoint pointer, DialogRect window);
ZoomRects ZoomCloseRects(DialogPoint pointer, DialogRect window);

// The pointer position as the dialog keeps it (16-bit), or 0, 0 when it could
// not be read.
DialogPoint ZoomOrigin(bool read_ok, long x, long y);

}  // namespace velkaro
