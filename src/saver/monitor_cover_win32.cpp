#include "saver/monitor_cover_win32.h"

#include "saver/saver_window_win32.h"

namespace velkaro {
namespace {

constexpr char kCoverClassName[] = "Velkaro_Cover";

using EnumMonitorsFunction = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
  reinterpret_cast<std::vector<PixelRect>*>(list)->push_back(
      {area->left, area->top, area->right, area->bottom});
  return TRUE;
}

}  // namespace

std::vector<PixelRect> DisplayMonitors() {
  // Looked up at run time: Windows 95 and NT 4 have no such function, and
  // importing it would keep the program from starting there at all.
  const auto enumerate = reinterpret_cast<EnumMonitorsFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "EnumDisplayMonitors")));
  std::vector<PixelRect> monitors;
  if (enumerate) enumerate(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

MonitorCover::MonitorCover(HWND owner, const PixelRect& area) : owner_(owner), area_(area) {
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
