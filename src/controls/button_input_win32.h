#pragma once
// The Windows side of the button's input: window messages become the
// interaction's notifications, and capture, focus, the hover timer, window
// properties and keystrokes are done with user32.
//
// The button's window procedure offers every message to HandleMessage
// first (ButtonWindowInput plugs it into a ButtonWindow). The window class needs CS_DBLCLKS for double clicks to arrive. The
// container's message loop should pass messages through IsDialogMessage
// with the container window: that is what moves the focus on the Tab and
// Shift+Tab the arrow keys send, and what delivers an access key (Alt plus
// the underlined letter of the window text) as BM_CLICK.
#include <windows.h>

#include <optional>

#include "controls/button_control.h"
#include "controls/button_interaction.h"
#include "controls/button_window_win32.h"

namespace velkaro {

// The hover timer's callback: finds the button's input through the window
// properties "hb_ClassID" and "hb_TimerID" and lets it check whether the
// mouse has left.
void CALLBACK HoverTimerProc(HWND window, UINT message, UINT_PTR timer_id, DWORD time);

// Sends Tab, or Shift+Tab, into the input queue as if typed.
void SendTabKeystroke(bool backwards);

class ButtonInput final : private ButtonInteractionHost {
 public:
  // The control and the window must outlive this object, or the window may
  // go first: its WM_DESTROY tears the input down.
  ButtonInput(ButtonControl& control, HWND window);
  // Kills the hover timer and removes the window properties, so no tick can
  // reach this object once it is gone.
  ~ButtonInput() override;
  ButtonInput(const ButtonInput&) = delete;
  ButtonInput& operator=(const ButtonInput&) = delete;

  // True when the message was handled; result is then the window
  // procedure's answer.
  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

  ButtonInteraction& Interaction() { return interaction_; }
  // A tick of the hover timer.
  void CheckMouseLeft(UINT_PTR timer_id);

 private:
  void OnButtonDown(std::int16_t button, WPARAM wparam, LPARAM lparam);
  void OnButtonUp(std::int16_t button, WPARAM wparam, LPARAM lparam);
  bool PointIsOverWindow(LPARAM lparam) const;
  void Teardown();

  // ButtonInteractionHost
  float ScaleWidth() const override;
  float ScaleHeight() const override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  void TakeFocus() override;
  void SendTabKeystroke(bool backwards) override;
  ClientPoint CursorInClient() const override;
  ScreenPoint CursorOnScreen() const override;
  std::uintptr_t WindowAt(ScreenPoint point) const override;
  std::uintptr_t OwnWindow() const override;
  std::uintptr_t ControlReference() const override;
  void SetWindowProperty(std::string_view name, std::uintptr_t value) override;
  void StartHoverTimer(std::uint32_t timer_id, std::uint32_t interval_ms) override;
  void KillHoverTimer(std::uint32_t timer_id) override;
  void Wait(std::uint32_t ms) override;

  HWND window_;
  ButtonInteraction interaction_;
  // The mouse buttons pressed on this window whose release may be a click.
  std::int16_t click_candidates_ = 0;
  bool torn_down_ = false;
};

// The input of one ButtonWindow, through the window's message hook.
// Declare it after the window it serves, so it goes first: it unhooks
// itself and stops the hover timer while the window still exists. Should
// the window be destroyed first, its WM_DESTROY tears the input down.
class ButtonWindowInput final : public ButtonMessageHook {
 public:
  explicit ButtonWindowInput(ButtonWindow& window);
  ~ButtonWindowInput() override;
  ButtonWindowInput(const ButtonWindowInput&) = delete;
  ButtonWindowInput& operator=(const ButtonWindowInput&) = delete;

  std::optional<LRESULT> HandleMessage(ButtonWindow& window, UINT message, WPARAM wparam,
                                       LPARAM lparam) override;
  ButtonInteraction& Interaction() { return input_.Interaction(); }

 private:
  ButtonWindow& window_;
  ButtonInput input_;
};

}  // namespace velkaro
