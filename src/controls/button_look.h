#pragma once
// Everything drawing needs to know about one button, read from the control
// (and the window's size) in one place, so that the face, edge and caption
// rules are plain functions of it and can be checked without a window.
#include <cstdint>
#include <string>

#include "controls/button_control.h"
#include "controls/button_properties.h"

namespace velkaro {

struct ButtonLook {
  std::int32_t width = 0;   // W: client width in pixels
  std::int32_t height = 0;  // H: client height in pixels
  // The screen's extent decides the gradient's band width.
  std::int32_t screen_width = 1024;
  std::int32_t screen_height = 768;

  ButtonStyleKind style = ButtonStyleKind::ClassicBevel;
  ButtonShapeKind shape = ButtonShapeKind::Rectangle;
  bool enabled = true;
  bool design_mode = false;
  bool show_focus_rect = true;
  bool hovering = false;
  std::int16_t state_flags = 0;

  GradientModeKind gradient_mode = GradientModeKind::None;
  ColorRef gradient_rgb = 0;            // GradientColor as RGB
  bool gradient_is_hover_back = false;  // GradientColor == HoverBackColor (as references)
  DrawingColours colours;               // face, pressed, hover, container as RGB
  ColorRef fore_rgb = 0;
  ColorRef hover_fore_rgb = 0;

  std::string caption;
  CaptionAlignKind caption_align = CaptionAlignKind::Centre;
  CaptionStyleKind caption_style = CaptionStyleKind::Flat;

  bool has_image = false;  // the picture's natural width + height > 0
  std::int32_t image_size = 16;
  PictureAlignKind picture_align = PictureAlignKind::LeftEdge;
  std::int32_t image_width = 0;  // natural size of the picture
  std::int32_t image_height = 0;
  bool image_is_icon = false;

  ButtonLayout layout;

  bool Focused() const { return (state_flags & kStateFocus) != 0; }
  bool Held() const { return (state_flags & kStatePressed) != 0; }
  bool Over() const { return (state_flags & kStateOver) != 0; }
  // Pressed means held down with the mouse still over the button.
  bool Pressed() const { return Held() && Over(); }
  bool FocusShown() const { return Focused() && (show_focus_rect || design_mode); }
  bool Elliptic() const { return IsElliptic(shape); }
  bool LeftSlanted() const { return HasLeftSlant(shape); }
  bool RightSlanted() const { return HasRightSlant(shape); }
};

// The look of control at a client size of width × height. The system
// colours are resolved through the control's system-colour table.
ButtonLook LookOf(const ButtonControl& control, std::int32_t width, std::int32_t height);

}  // namespace velkaro
