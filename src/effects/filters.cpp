#include "effects/filters.h"

#include <cstddef>

namespace velkaro {
namespace {

bool FitsShape(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf) {
  if (w < 0 || h < 0) return false;
  const auto bytes = (std::uint64_t(w) + 1) * (std::uint64_t(h) + 1);
  return bytes <= buf.size();
}

// The three bytes of column x from the row above to the row below, given a
// pointer to the current row and the row length.
int ColumnSum(const std::uint8_t* row, std::ptrdiff_t stride, std::int32_t x) {
  return row[x - stride] + row[x] + row[x + stride];
}

}  // namespace

bool vbClearEdge(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf) {
  if (!FitsShape(w, h, buf)) return false;
  const std::size_t stride = std::size_t(w) + 1;
  for (std::size_t y = 0; y <= std::size_t(h); ++y) {
    buf[y * stride] = 0;
    buf[y * stride + w] = 0;
  }
  for (std::size_t x = 0; x <= std::size_t(w); ++x) {
    buf[x] = 0;
    buf[std::size_t(h) * stride + x] = 0;
  }
  return true;
}

bool vbBlurImg(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf) {
  if (!FitsShape(w, h, buf)) return false;
  // Without an interior pixel there is nothing to write, and a column sum at
  // x = 1 would read past a one-column buffer.
  if (w < 2 || h < 2) return true;
  const std::ptrdiff_t stride = std::ptrdiff_t(w) + 1;
  for (std::int32_t y = 1; y < h; ++y) {
    std::uint8_t* row = buf.data() + y * stride;
    // c and d carry the column sums of x - 2 and x - 1 as they were before
    // this row was written; each step reads one new column sum, ahead of
    // the byte it writes.
    int c = ColumnSum(row, stride, 0);
    int d = ColumnSum(row, stride, 1);
    for (std::int32_t x = 2; x <= w; ++x) {
      const int e = ColumnSum(row, stride, x);
      row[x - 1] = static_cast<std::uint8_t>((c + d + e) / 9);
      c = d;
      d = e;
    }
  }
  return true;
}

}  // namespace velkaro
