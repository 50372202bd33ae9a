#include "saver/monitor_cover_win32.h"

#include "common/geometry_win32.h"
#include "common/newer_calls_win32.h"
#include "saver/saver_window_win32.h"

namespace velkaro {
namespace {

constexpr char kCoverClassName[] = "Velkaro_Cover";

// EnumDisplayMonitors (Windows 98 and 2000 on).
using EnumMonitorsFunction = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
  reinterpret_cast<std::vector<Rect>*>(list)->push_back(FromRECT(*area));
  return TRUE;
}

}  // namespace

std::vector<Rect> DisplayMonitors() {
  const auto enumerate =
      LoadedSystemFunction<EnumMonitorsFunction>("user32.dll", "EnumDisplayMonitors");
  std::vector<Rect> monitors;
  if (enumerate) enumerate(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

MonitorCover::MonitorCover(HWND owner, const Rect& area) : owner_(owner), area_(area) {
  static const bool registered = RegisterWindowClass(
      {.name = kCoverClassName, .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))});
  if (!registered) return;
  Create(kCoverClassName, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "", WS_POPUP,
         area.left, area.top, area.right - area.left, area.bottom - area.top, owner);
}

LRESULT MonitorCover::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  if (IsUserInput(message)) return SendMessageA(owner_, message, wparam, lparam);
  return Window::OnMessage(message, wparam, lparam);
}

}  // namespace velkaro
