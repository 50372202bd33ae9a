#include "scale.h"

#include <algorithm>
#include <array>

#include "common/rounding.h"

namespace velkaro::art_tool {
namespace {

// How much of source pixel `first + k` lies under target pixel t, in units
// of 1 / target_size of a source pixel; the weights of one target pixel add
// up to source_size.
struct Coverage {
  int first = 0;
  std::vector<int> weights;
};

Coverage CoverageOf(int t, int source_size, int target_size) {
  const int begin = t * source_size;  // target span, in the same units
  const int end = begin + source_size;
  Coverage coverage;
  coverage.first = begin / target_size;
  for (int s = coverage.first; s * target_size < end; ++s) {
    const int overlap = std::min(end, (s + 1) * target_size) - std::max(begin, s * target_size);
    coverage.weights.push_back(std::max(overlap, 0));
  }
  return coverage;
}

std::vector<Coverage> CoverageTable(int source_size, int target_size) {
  std::vector<Coverage> table;
  for (int t = 0; t < target_size; ++t) table.push_back(CoverageOf(t, source_size, target_size));
  return table;
}

std::uint8_t Mean(long long sum, long long total) {
  return nearest_as<std::uint8_t>(double(sum) / double(total)).value_or(255);
}

}  // namespace

RgbImage DownscaleByArea(const RgbImage& source, int width, int height) {
  const auto columns = CoverageTable(source.width(), width);
  const auto rows = CoverageTable(source.height(), height);
  const long long total = (long long)source.width() * source.height();
  RgbImage target(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::array<long long, 3> sum{};
      for (std::size_t j = 0; j < rows[y].weights.size(); ++j) {
        for (std::size_t i = 0; i < columns[x].weights.size(); ++i) {
          const long long weight = (long long)rows[y].weights[j] * columns[x].weights[i];
          const Rgb p = source.at(columns[x].first + int(i), rows[y].first + int(j));
          sum[0] += weight * p.r;
          sum[1] += weight * p.g;
          sum[2] += weight * p.b;
        }
      }
      target.set(x, y, {Mean(sum[0], total), Mean(sum[1], total), Mean(sum[2], total)});
    }
  }
  return target;
}

}  // namespace velkaro::art_tool
