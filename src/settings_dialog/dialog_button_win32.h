#pragma once
// The dialog's push buttons ("Setting", "Cancel", "...") as hbButtons_H
// controls: each is created, then loaded from the values the dialog keeps
// for it, as a form loads its controls, and reports its clicks to the
// dialog's handler.
#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "controls/ambient_values.h"
#include "controls/button_control.h"
#include "controls/button_input_win32.h"
#include "controls/button_window_win32.h"
#include "settings_dialog/dialog_geometry.h"

namespace velkaro {

class DialogButton final : private ButtonEvents {
 public:
  // A button at rect of parent (its client pixels). on_click runs on every
  // click and may destroy the dialog, the button's window included. Null
  // when the window cannot be created.
  static std::unique_ptr<DialogButton> Create(HWND parent, const DialogRect& rect,
                                              std::string_view caption, bool bold,
                                              std::function<void()> on_click);
  ~DialogButton() override;
  DialogButton(const DialogButton&) = delete;
  DialogButton& operator=(const DialogButton&) = delete;

  void Enable(bool enabled);
  void Show(bool visible);
  // The face in UTF-8; the size and weight stay.
  void SetFontFace(std::string_view face);
  // Null once the dialog has destroyed the window.
  HWND window() const;

 private:
  explicit DialogButton(std::function<void()> on_click);
  void Click() override;

  // The window keeps a reference to the ambient values, and the input
  // attaches itself to the window: declared in this order, they go in the
  // reverse one.
  FixedAmbientValues ambient_;
  std::unique_ptr<ButtonWindow> window_;
  std::unique_ptr<ButtonInput> input_;
  std::function<void()> on_click_;
};

}  // namespace velkaro
