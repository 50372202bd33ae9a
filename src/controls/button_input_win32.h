#pragma once
// The Windows side of the button's input, the one layer between the
// portable interaction and the window: window messages become the
// interaction's notifications, and capture, focus, the hover timer, window
// properties and keystrokes are done with user32.
//
// The button's window offers every message to the input attached to it
// first. The window class needs CS_DBLCLKS for double clicks to arrive. The
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

// The input of one ButtonWindow. Declare it after the window it serves, so
// it goes first: it detaches itself, stops the hover timer and removes the
// window properties while the window still exists. Should the window be
// destroyed first, its WM_DESTROY tears the input down.
class ButtonInput final : private ButtonInteractionHost {
 public:
  explicit ButtonInput(ButtonWindow& window);
  ~ButtonInput() override;
  ButtonInput(const ButtonInput&) = delete;
  ButtonInput& operator=(const ButtonInput&) = delete;

  // The window procedure's answer when the input handled the message,
  // nothing when the window should go on with it.
  std::optional<LRESULT> HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

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
  Point CursorInClient() const override;
  Point CursorOnScreen() const override;
  std::uintptr_t WindowAt(Point on_screen) const override;
  std::uintptr_t OwnWindow() const override;
  std::uintptr_t ControlReference() const override;
  void SetWindowProperty(std::string_view name, std::uintptr_t value) override;
  void StartHoverTimer(std::uint32_t timer_id, std::uint32_t interval_ms) override;
  void KillHoverTimer(std::uint32_t timer_id) override;
  void Wait(std::uint32_t ms) override;

  ButtonWindow& button_;
  HWND window_;
  ButtonInteraction interaction_;
  // The mouse buttons pressed on this window whose release may be a click.
  std::int16_t click_candidates_ = 0;
  bool torn_down_ = false;
};

}  // namespace velkaro
