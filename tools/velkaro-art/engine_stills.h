#pragma once
// Stills of the effects engine: the dialog's thumbnails and the preview
// pane's picture are frames of the real patterns, rendered the way the
// saver runs them, on a fixed clock from the generator's fixed seed so that
// every build makes the same pictures.
#include <string>

#include "rgb_image.h"

namespace velkaro::art_tool {

inline constexpr int kThumbnailWidth = 60;
inline constexpr int kThumbnailHeight = 45;
inline constexpr int kPreviewWidth = 152;
inline constexpr int kPreviewHeight = 112;

// Pattern `pattern` as a 32-bit display shows it after `frames` frames at 60
// frames a second, its burst and motion timers firing on that clock.
RgbImage PatternFrame(int pattern, int frames);

// One line per pattern, "PATTERN FRAMES CLOCK", so that velkaro-render
// (--pattern PATTERN --frames FRAMES --clock CLOCK) renders the frame each
// thumbnail is made from.
std::string ThumbnailFrameTable();

// 60 × 45 still of pattern 0..27.
RgbImage Thumbnail(int pattern);

// 152 × 112 still of the rising flames, for the preview pane.
RgbImage PreviewStill();

}  // namespace velkaro::art_tool
