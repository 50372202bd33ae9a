#include "effects/filters.h"

#include <array>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velkaro {
namespace {

bool FitsShape(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf) {
  if (w < 0 || h < 0) return false;
  const auto bytes = (std::uint64_t(w) + 1) * (std::uint64_t(h) + 1);
  return bytes <= buf.size();
}

// A sum of nine bytes is at most 2295; for every such sum s, s / 9 equals
// (s × 7282) >> 16, a multiply that SSE2 does on eight sums at once. (7281
// is one short: it gives 0 instead of 1 for s = 9.)
constexpr std::uint32_t kNinthMultiplier = 7282;

constexpr std::uint32_t DivideByNine(std::uint32_t s) { return (s * kNinthMultiplier) >> 16; }

// The widest row the blur handles with its column-sum buffer on the stack;
// wider rows take the running-sum loop.
constexpr std::size_t kMaxBufferedRow = 2048;
using ColumnSums = std::array<std::uint16_t, kMaxBufferedRow>;

// The three bytes of column x from the row above to the row below, given a
// pointer to the current row and the row length.
int ColumnSum(const std::uint8_t* row, std::ptrdiff_t stride, std::int32_t x) {
  return row[x - stride] + row[x] + row[x + stride];
}

// One row with two running column sums, each output costing one new column
// sum of three reads: for rows too wide for the buffer.
void BlurRowRunning(std::uint8_t* row, std::ptrdiff_t stride, std::int32_t w) {
  // c and d carry the column sums of x - 2 and x - 1 as they were before
  // this row was written; each step reads one new column sum, ahead of the
  // byte it writes.
  int c = ColumnSum(row, stride, 0);
  int d = ColumnSum(row, stride, 1);
  for (std::int32_t x = 2; x <= w; ++x) {
    const int e = ColumnSum(row, stride, x);
    row[x - 1] = static_cast<std::uint8_t>((c + d + e) / 9);
    c = d;
    d = e;
  }
}

// Column sums of columns 0..n - 1: the row above (already filtered in this
// pass), the row itself and the row below (both not yet). Taking them all
// before the row is written is what lets the row be written in place.
void SumColumns(const std::uint8_t* row, std::ptrdiff_t stride, std::size_t n,
                std::uint16_t* sums) {
  const std::uint8_t* above = row - stride;
  const std::uint8_t* below = row + stride;
  std::size_t x = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const auto sum16 = [&](std::size_t at) {
    const auto load = [at](const std::uint8_t* p) {
      return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
    };
    const __m128i a = load(above), b = load(row), c = load(below);
    const __m128i low =
        _mm_add_epi16(_mm_add_epi16(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero)),
                      _mm_unpacklo_epi8(c, zero));
    const __m128i high =
        _mm_add_epi16(_mm_add_epi16(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero)),
                      _mm_unpackhi_epi8(c, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + at), low);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + at + 8), high);
  };
  for (; x + 16 <= n; x += 16) sum16(x);
  // The last columns as one more vector ending at the row's end; the
  // columns it repeats get the same sums again.
  if (x < n && n >= 16) {
    sum16(n - 16);
    x = n;
  }
#endif
  for (; x < n; ++x) sums[x] = std::uint16_t(above[x] + row[x] + below[x]);
}

// Bytes 1..n - 2 of the row from the column sums 0..n - 1.
void WriteNinths(const std::uint16_t* sums, std::size_t n, std::uint8_t* row) {
  std::size_t x = 1;
#if defined(__SSE2__)
  const __m128i multiplier = _mm_set1_epi16(std::int16_t(kNinthMultiplier));
  const auto ninths = [&](std::size_t at) {
    const auto load = [](const std::uint16_t* p) {
      return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    };
    const __m128i s =
        _mm_add_epi16(_mm_add_epi16(load(sums + at - 1), load(sums + at)), load(sums + at + 1));
    return _mm_mulhi_epu16(s, multiplier);
  };
  const auto write16 = [&](std::size_t at) {
    const __m128i bytes = _mm_packus_epi16(ninths(at), ninths(at + 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + at), bytes);
  };
  for (; x + 17 <= n; x += 16) write16(x);
  // The same for the last bytes: the sums come from the buffer, not from
  // the row being written, so bytes written twice get the same value.
  if (x + 1 < n && n >= 18) {
    write16(n - 17);
    x = n - 1;
  }
#endif
  for (; x + 1 < n; ++x) row[x] = std::uint8_t(DivideByNine(sums[x - 1] + sums[x] + sums[x + 1]));
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
  const auto n = std::size_t(stride);
  ColumnSums sums;
  for (std::int32_t y = 1; y < h; ++y) {
    std::uint8_t* row = buf.data() + y * stride;
    if (n > sums.size()) {
      BlurRowRunning(row, stride, w);
      continue;
    }
    SumColumns(row, stride, n, sums.data());
    WriteNinths(sums.data(), n, row);
  }
  return true;
}

}  // namespace velkaro
