#include "controls/button_interaction.h"

namespace velkaro {

void ButtonInteraction::SetFlag(std::int16_t flag) {
  control_.SetStateFlags(static_cast<std::int16_t>(control_.StateFlags() | flag));
}

void ButtonInteraction::ClearFlag(std::int16_t flag) {
  control_.SetStateFlags(static_cast<std::int16_t>(control_.StateFlags() & ~flag));
}

void ButtonInteraction::RedrawNow() {
  control_.ClearDelayDrawing();
  Redraw();
}

// --- Mouse ------------------------------------------------------------------

void ButtonInteraction::OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  control_.SetLastMouseButton(button);
  if (button == kLeftButton) {
    SetFlag(kStatePressed);
    RedrawNow();
    // Moves keep arriving while the button is held outside, so the pressed
    // look can follow the mouse and the release is seen wherever it happens.
    host_.CaptureMouse();
  }
  control_.Events().MouseDown(button, shift, x, y);
}

void ButtonInteraction::OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  // While captured, moves outside the button arrive too; only a move inside
  // starts hovering.
  const bool inside = x >= 0 && x <= host_.ScaleWidth() && y >= 0 && y <= host_.ScaleHeight();
  if (!control_.Hovering() && inside) StartHovering();
  control_.Events().MouseMove(button, shift, x, y);
}

void ButtonInteraction::OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  if (button == kLeftButton) {
    host_.ReleaseMouse();
    ClearFlag(kStatePressed);
    RedrawNow();
  }
  control_.Events().MouseUp(button, shift, x, y);
  control_.SetLastMouseButton(button);
}

void ButtonInteraction::OnClick() {
  if (control_.LastMouseButton() == kLeftButton) control_.Events().Click();
}

void ButtonInteraction::OnDoubleClick() {
  const std::int16_t last = control_.LastMouseButton();
  control_.Events().DoubleClick(last);
  // The events report positions as the container's scale does: in floats.
  const Point cursor = host_.CursorInClient();
  const float x = float(cursor.x), y = float(cursor.y);
  if (last == kLeftButton) {
    // The second press of a double click arrives as this notification
    // instead of a mouse down; handle it as one so the button shows pressed.
    SetFlag(kStateFocus);
    OnMouseDown(kLeftButton, 0, x, y);
    control_.SetLastMouseButton(kAfterDoubleClick);
  } else {
    control_.Events().MouseDown(kLeftButton, 0, x, y);
  }
}

// --- Hover ------------------------------------------------------------------

void ButtonInteraction::StartHovering() {
  SetFlag(kStateOver);
  control_.Events().MouseOnButton(true);
  // There is no notification when the mouse leaves, so a timer polls the
  // window under the cursor; its callback finds the control through these.
  host_.SetWindowProperty(kClassIdProperty, host_.ControlReference());
  host_.SetWindowProperty(kTimerIdProperty, kHoverTimerId);
  host_.StartHoverTimer(kHoverTimerId, kHoverIntervalMs);
  control_.SetHovering(true);
  RedrawNow();
}

void ButtonInteraction::CheckMouseLeft(std::uint32_t timer_id) {
  if (host_.WindowAt(host_.CursorOnScreen()) == host_.OwnWindow()) return;
  host_.KillHoverTimer(timer_id);
  ClearFlag(kStateOver);
  control_.SetHovering(false);
  control_.ClearDelayDrawing();
  control_.Events().MouseOnButton(false);
  Redraw();
}

void ButtonInteraction::OnTeardown() {
  if (control_.Hovering()) host_.KillHoverTimer(kHoverTimerId);
}

// --- Keyboard ---------------------------------------------------------------

void ButtonInteraction::OnKeyDown(std::int16_t key_code, std::int16_t shift) {
  switch (key_code) {
    case kKeyShift:
      // Also the first half of the Shift+Tab the arrows send.
      key_code = 0;
      break;
    case kKeySpace:
      if (!HasFlag(kStatePressed)) {
        SetFlag(kStatePressed | kStateOver);
        Redraw();
        if (!control_.Hovering()) ClearFlag(kStateOver);
      }
      break;
    case kKeyLeft:
    case kKeyUp:
      key_code = 0;
      host_.SendTabKeystroke(true);
      break;
    case kKeyRight:
    case kKeyDown:
      key_code = 0;
      host_.SendTabKeystroke(false);
      break;
    default: break;
  }
  if (key_code != 0) control_.Events().KeyDown(key_code, shift);
}

void ButtonInteraction::OnKeyUp(std::int16_t key_code, std::int16_t shift) {
  if (key_code == kKeyShift || (key_code >= kKeyLeft && key_code <= kKeyDown)) {
    key_code = 0;
  } else if (key_code == kKeySpace && HasFlag(kStatePressed)) {
    ClearFlag(kStatePressed);
    control_.SetLastMouseButton(kLeftButton);
    Redraw();
    OnClick();
  }
  if (key_code != 0) control_.Events().KeyUp(key_code, shift);
}

void ButtonInteraction::OnKeyPress(std::int16_t key_ascii) {
  control_.Events().KeyPress(key_ascii);
}

void ButtonInteraction::PressedLookForAccessKey() {
  control_.SetStateFlags(kStatePressed | kStateOver);
  host_.TakeFocus();
  Redraw();
  host_.Wait(kAccessKeyFlashMs);
  if (!control_.Hovering()) ClearFlag(kStateOver);
}

void ButtonInteraction::OnAccessKey() {
  // A button the user is not already touching shows that it was pressed.
  if (control_.StateFlags() == 0) PressedLookForAccessKey();
  if (HasFlag(kStatePressed)) {
    host_.Wait(kAccessKeyFlashMs);
    ClearFlag(kStatePressed);
    Redraw();
  }
  control_.SetLastMouseButton(kLeftButton);
  OnClick();
}

// --- Focus and painting -----------------------------------------------------

void ButtonInteraction::OnGotFocus() {
  SetFlag(kStateFocus);
  Redraw();
}

void ButtonInteraction::OnLostFocus() {
  // The hovering flag stays: the hover colours go when the timer sees the
  // mouse leave.
  control_.SetStateFlags(0);
  Redraw();
}

void ButtonInteraction::OnPaintRequest() {
  if (control_.StateFlags() != 0) {
    // A pressed look must not survive being uncovered: the release it waits
    // for may have gone to another window meanwhile.
    if (HasFlag(kStateFocus)) {
      ClearFlag(kStatePressed);
    } else {
      control_.SetStateFlags(0);
    }
    Redraw();
  } else {
    control_.ClearDelayDrawing();
    control_.Redraw(false);
  }
}

}  // namespace velkaro
