#pragma once
// How hbButtons_H reacts to the mouse, the keyboard and focus changes, and
// how it notices that the mouse has left it. The logic works on the
// control's shared state (state flags, hovering flag, last mouse button,
// DelayDrawing) and raises the control's events; everything the platform
// does (capture, timers, the cursor, window properties, keystrokes) goes
// through ButtonInteractionHost, so the whole state machine runs on the
// host against fakes.
#include <cstdint>
#include <string_view>

#include "common/geometry.h"
#include "controls/button_control.h"

namespace velkaro {

// Mouse buttons and shift keys as the events report them.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;
// After a left double click, so that a stray click notification is ignored.
inline constexpr std::int16_t kAfterDoubleClick = -1;

inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

// Key codes the button treats itself (the platform's virtual-key codes).
inline constexpr std::int16_t kKeyShift = 16;
inline constexpr std::int16_t kKeySpace = 32;
inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyUp = 38;
inline constexpr std::int16_t kKeyRight = 39;
inline constexpr std::int16_t kKeyDown = 40;

// The hover timer polls the window under the cursor while the mouse is over
// the button.
inline constexpr std::uint32_t kHoverTimerId = 237;
inline constexpr std::uint32_t kHoverIntervalMs = 50;
// How long the access key shows each step of the pressed look.
inline constexpr std::uint32_t kAccessKeyFlashMs = 100;

// The window properties through which the timer callback finds the control.
inline constexpr std::string_view kClassIdProperty = "hb_ClassID";
inline constexpr std::string_view kTimerIdProperty = "hb_TimerID";

// What the interaction asks of the platform. Windows are opaque integers
// (HWND values on Windows); 0 is no window.
class ButtonInteractionHost {
 public:
  virtual ~ButtonInteractionHost() = default;

  // The client area in pixels (the extent mouse moves are tested against).
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;

  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  // Gives the control's window the keyboard focus. The platform reports the
  // gain through OnGotFocus, possibly before this returns.
  virtual void TakeFocus() = 0;
  // Sends the keystroke Tab, or Shift+Tab when backwards, to move the focus
  // the way the container moves it.
  virtual void SendTabKeystroke(bool backwards) = 0;

  // The cursor in client pixels, and in screen pixels.
  virtual Point CursorInClient() const = 0;
  virtual Point CursorOnScreen() const = 0;
  virtual std::uintptr_t WindowAt(Point on_screen) const = 0;
  virtual std::uintptr_t OwnWindow() const = 0;

  // What the timer callback turns back into the control: a plain pointer
  // value, not an owner.
  virtual std::uintptr_t ControlReference() const = 0;
  // A property on the control's window.
  virtual void SetWindowProperty(std::string_view name, std::uintptr_t value) = 0;
  virtual void StartHoverTimer(std::uint32_t timer_id, std::uint32_t interval_ms) = 0;
  virtual void KillHoverTimer(std::uint32_t timer_id) = 0;

  // Blocks for ms milliseconds; only the access-key flash waits.
  virtual void Wait(std::uint32_t ms) = 0;
};

// The button's reactions, one entry per platform notification. The control
// and the host must outlive it.
class ButtonInteraction {
 public:
  ButtonInteraction(ButtonControl& control, ButtonInteractionHost& host)
      : control_(control), host_(host) {}
  ButtonInteraction(const ButtonInteraction&) = delete;
  ButtonInteraction& operator=(const ButtonInteraction&) = delete;

  void OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
  void OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  // The platform's click: a press and release over the button.
  void OnClick();
  void OnDoubleClick();

  void OnKeyDown(std::int16_t key_code, std::int16_t shift);
  void OnKeyUp(std::int16_t key_code, std::int16_t shift);
  void OnKeyPress(std::int16_t key_ascii);
  // The caption's access key, or Enter/Esc for a default or cancel button.
  void OnAccessKey();

  void OnGotFocus();
  void OnLostFocus();
  void OnPaintRequest();

  // A tick of the hover timer: ends hovering once the cursor is over any
  // other window.
  void CheckMouseLeft(std::uint32_t timer_id);

  // Before the control goes: no tick may reach it afterwards.
  void OnTeardown();

 private:
  void StartHovering();
  void PressedLookForAccessKey();
  bool HasFlag(std::int16_t flag) const { return (control_.StateFlags() & flag) != 0; }
  void SetFlag(std::int16_t flag);
  void ClearFlag(std::int16_t flag);
  // Clears DelayDrawing first, so the change is drawn even in the middle of
  // a deferred property update.
  void RedrawNow();
  void Redraw() { control_.Redraw(true); }

  ButtonControl& control_;
  ButtonInteractionHost& host_;
};

}  // namespace velkaro
