#pragma once
// Which windows a run puts over a desktop of several monitors. The saver
// window keeps the primary screen at 0,0, exactly as on a desktop of one
// monitor; DirectDraw draws there. Every other monitor gets a cover window
// of its own, which shows the same frame stretched over it through GDI, or
// at least black, so that no part of the desktop stays visible.
#include <cstdint>
#include <span>
#include <vector>

#include "common/geometry.h"

namespace velkaro {

struct Coverage {
  Rect saver_window;         // the primary screen
  std::vector<Rect> covers;  // in screen coordinates
};

// `monitors` are the monitors' rectangles in screen coordinates, which are
// negative left of and above the primary monitor. The saver window takes the
// primary screen, screen_width × screen_height
// at 0,0. A monitor gets a cover unless it lies wholly inside the primary
// screen or inside a monitor already covered: mirrored displays and a
// primary monitor reported again share the picture they show anyway. Empty
// rectangles are ignored.
Coverage PlanCoverage(std::span<const Rect> monitors, std::int32_t screen_width,
                      std::int32_t screen_height);

// Where the frame is stretched within a cover window: all of its client
// area, so every monitor shows the whole picture with its own aspect.
Rect CoverFrameRect(const Rect& cover);

}  // namespace velkaro
