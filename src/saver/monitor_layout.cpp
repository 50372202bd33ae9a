#include "saver/monitor_layout.h"

#include <algorithm>

namespace velkaro {

Coverage PlanCoverage(std::span<const Rect> monitors, std::int32_t screen_width,
                      std::int32_t screen_height) {
  Coverage coverage{.saver_window = {0, 0, screen_width, screen_height}, .covers = {}};
  for (const Rect& area : monitors) {
    const auto shown_already = [&](const Rect& other) { return other.Contains(area); };
    if (area.empty() || shown_already(coverage.saver_window) ||
        std::any_of(coverage.covers.begin(), coverage.covers.end(), shown_already)) {
      continue;
    }
    coverage.covers.push_back(area);
  }
  return coverage;
}

Rect CoverFrameRect(const Rect& cover) { return Rect::At({}, cover.size()); }

}  // namespace velkaro
