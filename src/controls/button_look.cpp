#include "controls/button_look.h"

namespace velkaro {

ButtonLook LookOf(const ButtonControl& control, std::int32_t width, std::int32_t height) {
  const SystemColors& system = control.SystemColourTable();
  ButtonLook look;
  look.width = width;
  look.height = height;
  look.style = control.ButtonStyle();
  look.shape = control.ButtonShape();
  look.enabled = control.Enabled();
  look.design_mode = control.DesignMode();
  look.show_focus_rect = control.ShowFocusRect();
  look.hovering = control.Hovering();
  look.state_flags = control.StateFlags();
  look.gradient_mode = control.GradientMode();
  look.gradient_rgb = SystemColorToRgb(control.GradientColor(), system);
  look.gradient_is_hover_back = control.GradientColor() == control.HoverBackColor();
  look.colours = control.Colours();
  look.fore_rgb = SystemColorToRgb(control.ForeColor(), system);
  look.hover_fore_rgb = SystemColorToRgb(control.HoverForeColor(), system);
  look.caption = control.Caption();
  look.caption_align = control.CaptionAlign();
  look.caption_style = control.CaptionStyle();
  look.image_width = control.ImageWidth();
  look.image_height = control.ImageHeight();
  // Summed wide: a picture's stated size may be anything a store held.
  look.has_image = std::int64_t{look.image_width} + look.image_height > 0;
  look.image_size = control.ImageSize() == 0 ? 16 : control.ImageSize();
  look.picture_align = control.PictureAlign();
  look.image_is_icon = control.ImageIsIcon();
  look.layout = control.Layout();
  return look;
}

}  // namespace velkaro
