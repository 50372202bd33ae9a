#include "settings_dialog/dialog_button_win32.h"

#include <string>

namespace velkaro {

DialogButton::DialogButton(std::function<void()> on_click) : on_click_(std::move(on_click)) {}

std::unique_ptr<DialogButton> DialogButton::Create(HWND parent, const DialogRect& rect,
                                                   std::string_view caption, bool bold,
                                                   std::function<void()> on_click) {
  std::unique_ptr<DialogButton> button(new DialogButton(std::move(on_click)));
  const RECT bounds{rect.left, rect.top, rect.right(), rect.bottom()};
  button->window_ = CreateButtonWindow(parent, 0, bounds, button->ambient_);
  if (!button->window_) return nullptr;
  button->input_ = std::make_unique<ButtonInput>(*button->window_);
  ButtonControl& control = button->window_->Control();
  control.ReadProperties(DialogButtonValues(std::string(caption), bold));
  control.SetEvents(button.get());
  return button;
}

DialogButton::~DialogButton() {
  if (window_) window_->Control().SetEvents(nullptr);
  // The input detaches itself and stops its timer while the window, if the
  // dialog has not destroyed it yet, still exists.
  input_.reset();
  window_.reset();
}

void DialogButton::Click() {
  // The handler may close the dialog; nothing of this object is used after it.
  if (on_click_) on_click_();
}

void DialogButton::Enable(bool enabled) { window_->Control().SetEnabled(enabled); }

void DialogButton::Show(bool visible) {
  if (HWND handle = window()) ShowWindow(handle, visible ? SW_SHOW : SW_HIDE);
}

void DialogButton::SetFontFace(std::string_view face) {
  ButtonControl& control = window_->Control();
  ButtonFont font = control.Font();
  font.face = std::string(face);
  control.SetFont(std::move(font));
}

HWND DialogButton::window() const { return window_->Handle(); }

}  // namespace velkaro
