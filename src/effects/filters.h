#pragma once
// The two filters the frame loop runs over the frame buffer after the
// particles are plotted. Both take the buffer's upper indexes w and h and its
// (w + 1) × (h + 1) bytes, x varying fastest.
#include <cstdint>
#include <span>

namespace velkaro {

// Sets every byte of row 0, row h, column 0 and column w to 0, so that the
// blur, which never writes the border, reads zeros there. Returns false, and
// touches nothing, when the buffer is smaller than (w + 1) × (h + 1) bytes or
// w or h is negative.
bool vbClearEdge(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf);

// One 3 × 3 box-blur pass in place, row by row from the top: each interior
// byte becomes the sum of its nine neighbours divided by 9, rounding down.
// The row above is already filtered in this pass when a row is computed; the
// row itself and the row below are not. Row 0, row h, column 0 and column w
// are read but never written. Returns false, touching nothing, on the same
// bad shapes as vbClearEdge.
bool vbBlurImg(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf);

}  // namespace velkaro
