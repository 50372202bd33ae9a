#pragma once
// Where the settings dialog's pieces go and how its backgrounds are drawn.
// Pure arithmetic, so that the window code only hands the numbers on.
#include <cstdint>
#include <string>
#include <vector>

#include "common/geometry.h"
#include "effects/presets.h"

namespace velkaro {

inline constexpr int kThumbnailsPerRow = 7;

// The background panel that fixes the dialog's size.
inline constexpr Rect kBackgroundPanel = Rect::At({0, 0}, {605, 469});
inline constexpr Rect kPatternPanel = Rect::At({16, 16}, {564, 277});
inline constexpr Rect kMusicPanel = Rect::At({16, 308}, {565, 89});

// What the window system puts around a window's client area, in pixels on
// each side: frame and caption, as it sizes them for the window's style and
// the user's window metrics.
struct DialogFrame {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const DialogFrame&) const = default;
};

// The outer window: the background panel as its client area inside frame,
// centred across and a third of the way down (whole pixels, remainder
// dropped).
Rect DialogWindowRect(int screen_width, int screen_height, const DialogFrame& frame);

// The other pieces, in the pixels of the panel that holds them (the
// background panel for the footer). Both panels' titles sit at the same
// place, in a white frame drawn into the panel's picture.
inline constexpr Rect kPanelTitleRect = Rect::At({12, 12}, {101, 17});
inline constexpr Rect kPanelTitleFrameRect = Rect::At({12, 8}, {101, 21});
inline constexpr Rect kRandomMarkRect = Rect::At({148, 12}, {13, 13});
inline constexpr Rect kRandomLabelRect = Rect::At({164, 12}, {83, 13});
// The track list's rectangle holds its drop-down list too.
inline constexpr Rect kTrackListRect = Rect::At({208, 8}, {41, 200});
inline constexpr Rect kRepeatLabelRect = Rect::At({252, 12}, {66, 13});
inline constexpr Rect kFileButtonRect = Rect::At({208, 40}, {41, 25});
inline constexpr Rect kFileLabelRect = Rect::At({256, 40}, {293, 33});
inline constexpr Rect kCreditLineRect = Rect::At({16, 412}, {165, 13});
inline constexpr Rect kWebAddressRect = Rect::At({16, 428}, {207, 13});
inline constexpr Rect kSaveButtonRect = Rect::At({400, 412}, {89, 33});
inline constexpr Rect kCancelButtonRect = Rect::At({492, 412}, {89, 33});

// The option mark and label of music choice kind (0 audio CD, 1 none, 2 music
// file), in the music panel: top to bottom none, audio CD, music file.
Rect MusicKindMarkRect(int kind);
Rect MusicKindLabelRect(int kind);

// Thumbnail i and its red frame, inside the pattern panel.
Rect ThumbnailRect(int pattern);
Rect FrameRect(int pattern);

// The top-left corners at which the tile bitmap is copied to cover a panel:
// columns left to right, each top to bottom, both ends included. Copies past
// the edge are clipped by the surface. A tile without area covers nothing.
std::vector<Point> TileOrigins(int panel_width, int panel_height, int tile_width, int tile_height);

// One grey level per row of the background gradient, rows 0..H inclusive:
// |220 sin(y / k)| with k = H / 3.142, rounded to nearest. The row's colour is
// (c, c, c + 30): dark blue at the edges, near white halfway down.
std::vector<std::uint8_t> GradientLevels(double inner_height);
// The colour of a gradient row as a colour reference 0x00BBGGRR.
std::uint32_t GradientColour(std::uint8_t level);

// The zoom animation runs between the pointer position (a rectangle without
// area) and the window.
struct ZoomRects {
  Rect from, to;
};
ZoomRects ZoomOpenRects(Point pointer, Rect window);
ZoomRects ZoomCloseRects(Point pointer, Rect window);

// The pointer position as the dialog keeps it (16-bit), or 0, 0 when it could
// not be read.
Point ZoomOrigin(bool read_ok, long x, long y);

}  // namespace velkaro
