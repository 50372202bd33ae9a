#include "saver/saver_window_win32.h"

#include <utility>

#include "common/newer_calls_win32.h"
#include "common/text_cp932.h"
#include "settings/window_titles.h"

namespace velkaro {
namespace {

constexpr char kClassName[] = "Velkaro_S";

bool IsKey(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

// The messages that go to the run: its input, its timers' ticks, the close
// request and the end of the session.
bool IsRunMessage(UINT message) {
  return IsUserInput(message) || message == WM_TIMER || message == WM_CLOSE ||
         message == WM_ENDSESSION;
}

void HandToRun(SaverInput& input, UINT message, WPARAM wparam) {
  if (IsKey(message)) return input.OnKeyDown(static_cast<int>(wparam));
  if (IsUserInput(message)) return input.OnMouseButtonDown();
  switch (message) {
    case WM_TIMER:
      if (wparam >= 1 && wparam <= 4) input.OnTimer(static_cast<SaverTimer>(wparam));
      break;
    case WM_CLOSE: input.OnCloseRequest(); break;
    case WM_ENDSESSION:
      if (wparam) input.OnSessionEnd();
      break;
    default: break;
  }
}

}  // namespace

bool IsUserInput(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN: return true;
    default: return false;
  }
}

SaverWindow::SaverWindow(MonitorSource monitors) : monitors_(std::move(monitors)) {
  QueryPerformanceFrequency(&counter_frequency_);
  static const bool registered =
      RegisterWindowClass({.name = kClassName,
                           .style = CS_DBLCLKS,
                           .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))});
  if (!registered) return;
  // The caption goes through the ANSI entry point with the same bytes that
  // the single-instance test looks for. The window covers the whole primary
  // screen from the start: presentation stretches each frame over it.
  Create(kClassName, 0, ToCp932(kSaverWindowTitle).c_str(), WS_POPUP, 0, 0,
         GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr);
  FollowDisplayLayout();
}

SaverWindow::~SaverWindow() { Unload(); }

void SaverWindow::ShowNormal() {
  ShowWindow(handle(), SW_SHOWNORMAL);
  shown_ = true;
  ShowCovers();
}

void SaverWindow::MakeTopmost() {
  constexpr UINT kKeepPlace = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;
  SetWindowPos(handle(), HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
  for (const auto& cover : covers_)
    SetWindowPos(cover->handle(), HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
}

void SaverWindow::ShowCovers() {
  for (const auto& cover : covers_) ShowWindow(cover->handle(), SW_SHOWNOACTIVATE);
}

std::vector<Rect> SaverWindow::CoveredMonitors() const {
  std::vector<Rect> areas;
  for (const auto& cover : covers_) areas.push_back(cover->area());
  return areas;
}

std::vector<HWND> SaverWindow::CoverWindows() const {
  std::vector<HWND> windows;
  for (const auto& cover : covers_) windows.push_back(cover->handle());
  return windows;
}

// Monitors come and go and change their resolution during a run: the
// window and the covers follow, and a cover whose monitor is unchanged is
// kept as it is.
void SaverWindow::FollowDisplayLayout() {
  if (!handle()) return;
  const Coverage coverage =
      PlanCoverage(monitors_(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const Rect& screen = coverage.saver_window;
  SetWindowPos(handle(), nullptr, screen.left, screen.top, screen.right - screen.left,
               screen.bottom - screen.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (CoveredMonitors() == coverage.covers) return;
  covers_.clear();
  for (const Rect& area : coverage.covers)
    covers_.push_back(std::make_unique<MonitorCover>(handle(), area));
  if (shown_) ShowCovers();
}

void SaverWindow::ArmTimer(SaverTimer timer, std::uint32_t interval_ms) {
  if (!handle()) return;
  ::SetTimer(handle(), static_cast<UINT_PTR>(timer), interval_ms, nullptr);
  timer_enabled_[static_cast<int>(timer)] = true;
}

void SaverWindow::DisableTimer(SaverTimer timer) {
  if (handle()) ::KillTimer(handle(), static_cast<UINT_PTR>(timer));
  timer_enabled_[static_cast<int>(timer)] = false;
}

bool SaverWindow::TimerEnabled(SaverTimer timer) const {
  return timer_enabled_[static_cast<int>(timer)];
}

void SaverWindow::Unload() {
  for (bool& enabled : timer_enabled_) enabled = false;
  covers_.clear();
  if (handle()) DestroyWindow(handle());
}

void SaverWindow::DispatchPending(SaverInput& input) {
  const InputRoute route(*this, input);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

double SaverWindow::NowMs() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) * 1000.0 / double(counter_frequency_.QuadPart);
}

bool SaverWindow::WaitForNextFrame() {
  const double wait_ms = pacer_.MsUntilNextFrame(NowMs());
  if (wait_ms <= 0) {
    pacer_.FrameStarts(NowMs());
    return true;
  }
  WaitForMessage(FramePacer::WholeMs(wait_ms));
  return false;
}

// The run's messages are never left to the system's handling, which would
// destroy the window at WM_CLOSE and act on Alt keys, whether or not a run
// is routed in to receive them.
LRESULT SaverWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DISPLAYCHANGE: FollowDisplayLayout(); return 0;
    case WM_QUERYENDSESSION: return TRUE;  // a screen saver never holds a session up
    default: break;
  }
  if (!IsRunMessage(message)) return Window::OnMessage(message, wparam, lparam);
  if (input_) HandToRun(*input_, message, wparam);
  return 0;
}

}  // namespace velkaro
