#include "controls/button_input_win32.h"

#include <windowsx.h>

#include <string>

#include "common/newer_calls_win32.h"

namespace velkaro {
namespace {

// Shift bits of a mouse message: MK_SHIFT and MK_CONTROL come with it, Alt
// only from the key state.
std::int16_t MouseShift(WPARAM wparam) {
  std::int16_t shift = 0;
  if (wparam & MK_SHIFT) shift |= kShiftMask;
  if (wparam & MK_CONTROL) shift |= kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
  return shift;
}

std::int16_t KeyShift() {
  std::int16_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
  return shift;
}

// The buttons held during a move, as a bit set 1 left, 2 right, 4 middle.
std::int16_t HeldButtons(WPARAM wparam) {
  std::int16_t buttons = 0;
  if (wparam & MK_LBUTTON) buttons |= kLeftButton;
  if (wparam & MK_RBUTTON) buttons |= kRightButton;
  if (wparam & MK_MBUTTON) buttons |= kMiddleButton;
  return buttons;
}

// Client coordinates are signed: while the mouse is captured they can lie
// left of or above the window.
float X(LPARAM lparam) { return float(GET_X_LPARAM(lparam)); }
float Y(LPARAM lparam) { return float(GET_Y_LPARAM(lparam)); }

}  // namespace

void CALLBACK HoverTimerProc(HWND window, UINT /*message*/, UINT_PTR timer_id, DWORD /*time*/) {
  // A plain pointer: the input kills this timer before it goes, so the
  // pointer is valid whenever a tick arrives.
  auto* input = static_cast<ButtonInput*>(GetPropA(window, kClassIdProperty.data()));
  const auto stored_id = reinterpret_cast<UINT_PTR>(GetPropA(window, kTimerIdProperty.data()));
  if (!input) {
    // Nobody to ask any more: stop ticking rather than poll for nothing.
    KillTimer(window, timer_id);
    return;
  }
  input->CheckMouseLeft(stored_id ? stored_id : timer_id);
}

void SendTabKeystroke(bool backwards) {
  KeyStroke keys[4];
  std::size_t count = 0;
  if (backwards) keys[count++] = {VK_SHIFT, false};
  keys[count++] = {VK_TAB, false};
  keys[count++] = {VK_TAB, true};
  if (backwards) keys[count++] = {VK_SHIFT, true};
  SendKeyStrokes(std::span(keys, count));
}

ButtonInput::ButtonInput(ButtonWindow& window)
    : button_(window), window_(window.Handle()), interaction_(window.Control(), *this) {
  button_.AttachInput(this);
}

ButtonInput::~ButtonInput() {
  Teardown();
  button_.AttachInput(nullptr);
}

void ButtonInput::Teardown() {
  if (torn_down_) return;
  torn_down_ = true;
  interaction_.OnTeardown();
  // The platform wants a window's properties gone before the window is.
  if (IsWindow(window_)) {
    RemovePropA(window_, kClassIdProperty.data());
    RemovePropA(window_, kTimerIdProperty.data());
  }
}

void ButtonInput::CheckMouseLeft(UINT_PTR timer_id) {
  if (!torn_down_) interaction_.CheckMouseLeft(static_cast<std::uint32_t>(timer_id));
}

std::optional<LRESULT> ButtonInput::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (torn_down_) return std::nullopt;
  switch (message) {
    case WM_LBUTTONDOWN: OnButtonDown(kLeftButton, wparam, lparam); return 0;
    case WM_RBUTTONDOWN: OnButtonDown(kRightButton, wparam, lparam); return 0;
    case WM_MBUTTONDOWN: OnButtonDown(kMiddleButton, wparam, lparam); return 0;
    case WM_LBUTTONUP: OnButtonUp(kLeftButton, wparam, lparam); return 0;
    case WM_RBUTTONUP: OnButtonUp(kRightButton, wparam, lparam); return 0;
    case WM_MBUTTONUP: OnButtonUp(kMiddleButton, wparam, lparam); return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      // The second press of a double click: its release is no click.
      interaction_.OnDoubleClick();
      return 0;
    case WM_MOUSEMOVE:
      interaction_.OnMouseMove(HeldButtons(wparam), MouseShift(wparam), X(lparam), Y(lparam));
      return 0;
    case WM_KEYDOWN:
      interaction_.OnKeyDown(static_cast<std::int16_t>(wparam), KeyShift());
      return 0;
    case WM_KEYUP: interaction_.OnKeyUp(static_cast<std::int16_t>(wparam), KeyShift()); return 0;
    case WM_CHAR: interaction_.OnKeyPress(static_cast<std::int16_t>(wparam & 0xFF)); return 0;
    case BM_CLICK: interaction_.OnAccessKey(); return 0;
    case WM_GETDLGCODE:
      // The button takes arrows and characters itself; DLGC_BUTTON lets the
      // container's dialog manager deliver its access key as BM_CLICK.
      return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_BUTTON;
    case WM_SETFOCUS: interaction_.OnGotFocus(); return 0;
    case WM_KILLFOCUS: interaction_.OnLostFocus(); return 0;
    case WM_PAINT:
      // The window procedure still validates and copies the frame; this
      // only settles the state and draws the frame it shows.
      interaction_.OnPaintRequest();
      return std::nullopt;
    case WM_DESTROY: Teardown(); return std::nullopt;
    default: return std::nullopt;
  }
}

void ButtonInput::OnButtonDown(std::int16_t button, WPARAM wparam, LPARAM lparam) {
  // A left press gives the button the keyboard focus, as a push button
  // takes it; the focus look comes with it.
  if (button == kLeftButton && GetFocus() != window_) SetFocus(window_);
  click_candidates_ |= button;
  interaction_.OnMouseDown(button, MouseShift(wparam), X(lparam), Y(lparam));
}

void ButtonInput::OnButtonUp(std::int16_t button, WPARAM wparam, LPARAM lparam) {
  const bool was_candidate = (click_candidates_ & button) != 0;
  click_candidates_ &= static_cast<std::int16_t>(~button);
  interaction_.OnMouseUp(button, MouseShift(wparam), X(lparam), Y(lparam));
  // A click is a press and a release on the button; a release elsewhere
  // (seen only through the capture) is none.
  if (was_candidate && PointIsOverWindow(lparam)) interaction_.OnClick();
}

bool ButtonInput::PointIsOverWindow(LPARAM lparam) const {
  // Asking for the window under the point respects the button's shaped
  // region and any window lying over it.
  POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  ClientToScreen(window_, &point);
  return WindowFromPoint(point) == window_;
}

// --- ButtonInteractionHost ---------------------------------------------------

float ButtonInput::ScaleWidth() const {
  RECT client{};
  GetClientRect(window_, &client);
  return float(client.right);
}

float ButtonInput::ScaleHeight() const {
  RECT client{};
  GetClientRect(window_, &client);
  return float(client.bottom);
}

void ButtonInput::CaptureMouse() { SetCapture(window_); }

void ButtonInput::ReleaseMouse() {
  if (GetCapture() == window_) ReleaseCapture();
}

void ButtonInput::TakeFocus() { SetFocus(window_); }

void ButtonInput::SendTabKeystroke(bool backwards) { velkaro::SendTabKeystroke(backwards); }

Point ButtonInput::CursorInClient() const {
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(window_, &point);
  return {point.x, point.y};
}

Point ButtonInput::CursorOnScreen() const {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

std::uintptr_t ButtonInput::WindowAt(Point on_screen) const {
  return reinterpret_cast<std::uintptr_t>(WindowFromPoint(POINT{on_screen.x, on_screen.y}));
}

std::uintptr_t ButtonInput::OwnWindow() const { return reinterpret_cast<std::uintptr_t>(window_); }

std::uintptr_t ButtonInput::ControlReference() const {
  return reinterpret_cast<std::uintptr_t>(this);
}

void ButtonInput::SetWindowProperty(std::string_view name, std::uintptr_t value) {
  SetPropA(window_, std::string(name).c_str(), reinterpret_cast<HANDLE>(value));
}

void ButtonInput::StartHoverTimer(std::uint32_t timer_id, std::uint32_t interval_ms) {
  SetTimer(window_, timer_id, interval_ms, &HoverTimerProc);
}

void ButtonInput::KillHoverTimer(std::uint32_t timer_id) { KillTimer(window_, timer_id); }

void ButtonInput::Wait(std::uint32_t ms) {
  // The pressed look was drawn straight to the window; make sure it reached
  // the screen before the thread sleeps.
  GdiFlush();
  Sleep(ms);
}

}  // namespace velkaro
