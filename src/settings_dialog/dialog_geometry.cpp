#include "settings_dialog/dialog_geometry.h"

#include <cmath>

#include "common/rounding.h"

namespace velkaro {

Rect DialogWindowRect(int screen_width, int screen_height, const DialogFrame& frame) {
  const int width = frame.left + kBackgroundPanel.width() + frame.right;
  const int height = frame.top + kBackgroundPanel.height() + frame.bottom;
  // Integer division truncates toward zero, as the layout asks, also on a
  // screen smaller than the window.
  return Rect::At({(screen_width - width) / 2, (screen_height - height) / 3}, {width, height});
}

namespace {
constexpr int kMusicKindTop[] = {28, 12, 44};
constexpr int kMusicKindLabelWidth[] = {23, 43, 60};
}  // namespace

Rect MusicKindMarkRect(int kind) { return Rect::At({124, kMusicKindTop[kind]}, {13, 13}); }

Rect MusicKindLabelRect(int kind) {
  return Rect::At({140, kMusicKindTop[kind]}, {kMusicKindLabelWidth[kind], 13});
}

Rect ThumbnailRect(int pattern) {
  const int row = pattern / kThumbnailsPerRow, column = pattern % kThumbnailsPerRow;
  return Rect::At({48 + 72 * column, 36 + 56 * row}, {60, 45});
}

Rect FrameRect(int pattern) {
  const int row = pattern / kThumbnailsPerRow, column = pattern % kThumbnailsPerRow;
  return Rect::At({44 + 72 * column, 32 + 56 * row}, {69, 53});
}

std::vector<Point> TileOrigins(int panel_width, int panel_height, int tile_width, int tile_height) {
  std::vector<Point> origins;
  // A missing bitmap has no size; stepping by zero would never end.
  if (tile_width <= 0 || tile_height <= 0) return origins;
  for (int x = 0; x <= panel_width; x += tile_width)
    for (int y = 0; y <= panel_height; y += tile_height) origins.push_back({x, y});
  return origins;
}

std::vector<std::uint8_t> GradientLevels(double inner_height) {
  std::vector<std::uint8_t> levels;
  const double k = inner_height / 3.142;
  const auto last_row = nearest_as<int>(inner_height);
  if (!last_row || *last_row < 0 || k <= 0) return levels;
  for (int y = 0; y <= *last_row; ++y) {
    const double c = std::fabs(220.0 * std::sin(y / k));
    levels.push_back(nearest_as<std::uint8_t>(c).value_or(0));
  }
  return levels;
}

std::uint32_t GradientColour(std::uint8_t level) {
  const std::uint32_t c = level;
  return c | (c << 8) | ((c + 30) << 16);
}

namespace {
Rect PointRect(Point p) { return Rect::At(p, {0, 0}); }
}  // namespace

ZoomRects ZoomOpenRects(Point pointer, Rect window) { return {PointRect(pointer), window}; }

ZoomRects ZoomCloseRects(Point pointer, Rect window) { return {window, PointRect(pointer)}; }

Point ZoomOrigin(bool read_ok, long x, long y) {
  if (!read_ok) return {0, 0};
  // Kept as 16-bit values; a position that does not fit fails the store.
  const auto x16 = nearest_as<std::int16_t>(double(x));
  const auto y16 = nearest_as<std::int16_t>(double(y));
  if (!x16 || !y16) return {0, 0};
  return {*x16, *y16};
}

}  // namespace velkaro
