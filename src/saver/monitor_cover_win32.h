#pragma once
// The monitors of the desktop as the system lists them, and the cover
// window that a run puts over each monitor beyond the primary screen.
#include <windows.h>

#include <vector>

#include "common/geometry.h"
#include "common/window_win32.h"
#include "saver/monitor_layout.h"

namespace velkaro {

// The rectangle of every monitor of the desktop; empty where the system cannot list them
// (it predates multi-monitor support), which leaves the primary screen.
std::vector<Rect> DisplayMonitors();

// A black, borderless, topmost window over one monitor, owned by the saver
// window. It is never activated, so keys keep going to the saver window;
// a key or a button that reaches it anyway goes on to the saver window and
// ends the run there. The pointer stays hidden over it, as its class has
// none.
class MonitorCover final : public Window {
 public:
  MonitorCover(HWND owner, const Rect& area);

  const Rect& area() const { return area_; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  HWND owner_;
  Rect area_;
};

}  // namespace velkaro
