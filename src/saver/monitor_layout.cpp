#include "saver/monitor_layout.h"

#include <algorithm>

namespace velkaro {
namespace {

bool IsEmpty(const PixelRect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool Contains(const PixelRect& outer, const PixelRect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

Coverage PlanCoverage(std::span<const PixelRect> monitors, std::int32_t screen_width,
                      std::int32_t screen_height) {
  Coverage coverage{.saver_window = {0, 0, screen_width, screen_height}, .covers = {}};
  for (const PixelRect& area : monitors) {
    const auto shown_already = [&](const PixelRect& other) { return Contains(other, area); };
    if (IsEmpty(area) || shown_already(coverage.saver_window) ||
        std::any_of(coverage.covers.begin(), coverage.covers.end(), shown_already)) {
      continue;
    }
    coverage.covers.push_back(area);
  }
  return coverage;
}

PixelRect CoverFrameRect(const PixelRect& cover) {
  return {0, 0, cover.right - cover.left, cover.bottom - cover.top};
}

}  // namespace velkaro
