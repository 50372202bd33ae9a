#include "effects/stretch_blit.h"

#include <cstring>

namespace velkaro {
namespace {

template <int Bytes>
void StretchRow(const std::uint8_t* from, std::uint8_t* to,
                const std::vector<std::int32_t>& columns) {
  for (const std::int32_t column : columns) {
    std::memcpy(to, from + std::ptrdiff_t(column) * Bytes, Bytes);
    to += Bytes;
  }
}

void StretchRowOf(int bytes_per_pixel, const std::uint8_t* from, std::uint8_t* to,
                  const std::vector<std::int32_t>& columns) {
  switch (bytes_per_pixel) {
    case 1: return StretchRow<1>(from, to, columns);
    case 2: return StretchRow<2>(from, to, columns);
    case 3: return StretchRow<3>(from, to, columns);
    default: return StretchRow<4>(from, to, columns);
  }
}

}  // namespace

std::vector<std::int32_t> SourceIndexes(std::int32_t from, std::int32_t to) {
  std::vector<std::int32_t> indexes(std::size_t(to > 0 ? to : 0));
  for (std::size_t i = 0; i < indexes.size(); ++i) {
    indexes[i] = std::int32_t((2 * std::int64_t(i) + 1) * from / (2 * std::int64_t(to)));
  }
  return indexes;
}

StretchBlit::StretchBlit(std::int32_t from_width, std::int32_t from_height, std::int32_t to_width,
                         std::int32_t to_height)
    : columns_(SourceIndexes(from_width, to_width)), rows_(SourceIndexes(from_height, to_height)) {}

void StretchBlit::Copy(const PixelRows& from, const PixelRows& to) const {
  const std::size_t row_bytes = columns_.size() * std::size_t(to.bytes_per_pixel);
  for (std::size_t y = 0; y < rows_.size(); ++y) {
    std::uint8_t* out = to.bits + std::ptrdiff_t(y) * to.pitch;
    if (y > 0 && rows_[y] == rows_[y - 1]) {
      std::memcpy(out, out - to.pitch, row_bytes);
    } else {
      StretchRowOf(to.bytes_per_pixel, from.bits + std::ptrdiff_t(rows_[y]) * from.pitch, out,
                   columns_);
    }
  }
}

}  // namespace velkaro
