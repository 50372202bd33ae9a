#pragma once
// What a control asks its container (the hosting form): the ambient values.
// A change of one of them reaches the control through
// ButtonControl::OnAmbientChanged with the value's name.
#include <string>

#include "controls/button_properties.h"

namespace velkaro {

class AmbientValues {
 public:
  virtual ~AmbientValues() = default;
  // False while the form is being edited in a designer.
  virtual bool UserMode() const = 0;
  // True when the control is the container's default button.
  virtual bool DisplayAsDefault() const = 0;
  // The container's background colour (a colour reference).
  virtual ColorRef BackColor() const = 0;
  // The control's name on the form.
  virtual std::string DisplayName() const = 0;
};

// Ambient values that are simply held: the settings dialog (always user
// mode) and tests use it.
struct FixedAmbientValues final : AmbientValues {
  bool user_mode = true;
  bool display_as_default = false;
  ColorRef back_color = kButtonFaceColor;
  std::string display_name;

  bool UserMode() const override { return user_mode; }
  bool DisplayAsDefault() const override { return display_as_default; }
  ColorRef BackColor() const override { return back_color; }
  std::string DisplayName() const override { return display_name; }
};

}  // namespace velkaro
