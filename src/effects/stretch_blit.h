#pragma once
// The stretch of the 320 × 240 picture over a window of any size, pixel for
// pixel as the saver's DirectDraw blit samples it: each window pixel shows
// the picture pixel under its centre. The GDI presentation of the saver and
// the Linux hack stretch with it, so every way of showing the frame puts the
// same picture pixel on the same window pixel. Measured under Wine's
// DirectDraw, window pixel x of a W-wide window samples the picture at
// (x + 0.5) × 320 / W; Wine blends the two nearest picture pixels there, and
// the one under the centre is the one that weighs most in that blend.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "effects/presentation.h"

namespace velkaro {

// For each of `to` window pixels along one axis, the picture pixel (of
// `from`) under its centre: floor((2i + 1) × from / (2 × to)). Windows
// smaller than the picture skip picture pixels; an axis of 0 pixels maps
// nothing.
std::vector<std::int32_t> SourceIndexes(std::int32_t from, std::int32_t to);

// Rows of pixels in memory, laid out as a locked surface's are. Their size
// is the StretchBlit's.
using PixelRows = LockedPixels;

// The stretch from a picture of one size to a window of another, with the
// column and row maps worked out once per window size.
class StretchBlit {
 public:
  StretchBlit(std::int32_t from_width, std::int32_t from_height, std::int32_t to_width,
              std::int32_t to_height);

  // Copies `from` stretched over `to`; both must have the sizes given at
  // construction and the same bytes per pixel. A window row that shows the
  // same picture row as the row above it is a copy of that row.
  void Copy(const PixelRows& from, const PixelRows& to) const;

  std::int32_t to_width() const { return std::int32_t(columns_.size()); }
  std::int32_t to_height() const { return std::int32_t(rows_.size()); }

 private:
  std::vector<std::int32_t> columns_;
  std::vector<std::int32_t> rows_;
};

}  // namespace velkaro
