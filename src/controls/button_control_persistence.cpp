// Saving a button's properties into its container's property store and
// loading them back, by the keys and defaults of the property table. The
// order of writing is what forms saved earlier hold, so it may not change.
#include "controls/button_control.h"
#include "controls/button_property_table.h"

namespace velkaro {
namespace {

// Colours are kept as signed 32-bit integers, as the store's integer type is.
std::int32_t StoredColor(ColorRef c) { return static_cast<std::int32_t>(c); }
ColorRef LoadedColor(std::int32_t v) { return static_cast<ColorRef>(v); }

ColorRef ReadColor(const PropertyStore& store, std::string_view key, ColorRef default_value) {
  return LoadedColor(ReadInt32(store, key, StoredColor(default_value)));
}
ColorRef ReadColor(const PropertyStore& store, const stored::Property<ColorRef>& property) {
  return ReadColor(store, property.key, property.default_value);
}

// A stored choice outside its range (a damaged or foreign store) gives the
// default instead, as a missing key does, so that drawing never meets a
// value it has no table entry for.
template <typename Kind>
Kind ReadChoice(const PropertyStore& store, const stored::Property<Kind>& property) {
  const auto value =
      static_cast<Kind>(ReadInt32(store, property.key, NumberOf(property.default_value)));
  return IsKnown(value) ? value : property.default_value;
}

// The image side is 0 (not yet chosen) or one of the five sizes.
std::int16_t ReadImageSize(const PropertyStore& store) {
  const auto& property = stored::kImageSize;
  const std::int16_t value = ReadInt16(store, property.key, property.default_value);
  const bool known = value == 0 || (value >= 16 && value <= 48 && value % 8 == 0);
  return known ? value : property.default_value;
}

class PropertyWriter {
 public:
  explicit PropertyWriter(PropertyStore& store) : store_(store) {}

  template <typename T>
  void Write(std::string_view key, const T& value, const T& default_value) {
    if (!(value == default_value)) store_.Write(key, value);
  }
  template <typename T>
  void Write(const stored::Property<T>& property, const T& value) {
    Write(property.key, value, property.default_value);
  }
  void Write(const stored::Property<std::string_view>& property, const std::string& value) {
    Write(property.key, value, std::string(property.default_value));
  }
  void WriteColor(std::string_view key, ColorRef value, ColorRef default_value) {
    Write(key, StoredColor(value), StoredColor(default_value));
  }
  void WriteColor(const stored::Property<ColorRef>& property, ColorRef value) {
    WriteColor(property.key, value, property.default_value);
  }
  // A choice is stored as its number, in the width of its set.
  template <typename Kind>
  void WriteChoice(const stored::Property<Kind>& property, Kind value) {
    Write(property.key, NumberOf(value), NumberOf(property.default_value));
  }
  void WritePicture(stored::Key key, const ButtonPicture& picture) {
    if (picture) store_.Write(key.key, picture);
  }
  template <typename T>
  void WriteAlways(stored::Key key, const T& value) {
    store_.Write(key.key, value);
  }

 private:
  PropertyStore& store_;
};

}  // namespace

void ButtonControl::WriteProperties(PropertyStore& store) const {
  PropertyWriter out(store);
  out.Write(stored::kCaption, caption_);
  out.WriteChoice(stored::kCaptionAlign, caption_align_);
  out.WriteChoice(stored::kButtonStyle, button_style_);
  out.WriteChoice(stored::kButtonShape, button_shape_);
  out.WriteAlways(stored::kFont, font_);
  out.WriteColor(stored::kForeColor, fore_color_);
  out.WriteColor(stored::kHoverForeColor, hover_fore_color_);
  out.WriteColor(stored::kHoverBackColor.key, hover_back_color_, back_color_);
  out.Write(stored::kShowFocusRect, show_focus_rect_);
  out.Write(stored::kHoverColorLocks, hover_color_locks_);
  out.WriteColor(stored::kGradientColor, gradient_color_);
  out.WriteChoice(stored::kGradientMode, gradient_mode_);
  out.WriteChoice(stored::kCaptionStyle, caption_style_);
  out.WriteChoice(stored::kPictureAlign, picture_align_);
  out.WritePicture(stored::kPicture, picture_);
  out.Write(stored::kImageSize, image_size_);
  out.Write(stored::kEnabled, enabled_);
  out.WriteAlways(stored::kBackColor, StoredColor(back_color_));
  out.WriteChoice(stored::kMousePointer, mouse_pointer_);
  out.WritePicture(stored::kMouseIcon, mouse_icon_);
}

void ButtonControl::ReadProperties(const PropertyStore& store) {
  delay_drawing_ = true;
  caption_ = ReadText(store, stored::kCaption.key, stored::kCaption.default_value);
  caption_align_ = ReadChoice(store, stored::kCaptionAlign);
  button_style_ = ReadChoice(store, stored::kButtonStyle);
  button_shape_ = ReadChoice(store, stored::kButtonShape);
  gradient_mode_ = ReadChoice(store, stored::kGradientMode);
  gradient_color_ = ReadColor(store, stored::kGradientColor);
  font_ = ReadFont(store, stored::kFont.key, font_);
  fore_color_ = ReadColor(store, stored::kForeColor);
  show_focus_rect_ =
      ReadBool(store, stored::kShowFocusRect.key, stored::kShowFocusRect.default_value);
  picture_ = ReadPicture(store, stored::kPicture.key, ButtonPicture{});
  image_size_ = ReadImageSize(store);
  picture_align_ = ReadChoice(store, stored::kPictureAlign);
  hover_fore_color_ = ReadColor(store, stored::kHoverForeColor);
  const bool enabled = ReadBool(store, stored::kEnabled.key, stored::kEnabled.default_value);
  if (enabled != enabled_) {
    enabled_ = enabled;
    if (View()) View()->ApplyEnabled(enabled);
  }
  back_color_ = ReadColor(store, stored::kBackColor.key, ambient_.BackColor());
  // A store without its own hover colour follows the BackColor just read.
  hover_back_color_ = ReadColor(store, stored::kHoverBackColor.key, back_color_);
  hover_color_locks_ =
      ReadInt32(store, stored::kHoverColorLocks.key, stored::kHoverColorLocks.default_value);
  caption_style_ = ReadChoice(store, stored::kCaptionStyle);
  SetMouseIcon(ReadPicture(store, stored::kMouseIcon.key, ButtonPicture{}));
  // The setter refuses a pointer the window does not know.
  SetMousePointer(static_cast<MousePointerKind>(
      ReadInt16(store, stored::kMousePointer.key, NumberOf(stored::kMousePointer.default_value))));

  ReadPictureFacts();
  if (View()) View()->PrepareDrawingResources(DrawingTopic::Font);
  RecomputeColours();
  SetCaption(caption_);
  delay_drawing_ = false;
  OnResize();
}

namespace {

// The settings dialog's buttons never ask for system colours.
class NoSystemColors final : public SystemColors {
 public:
  ColorRef Rgb(int) const override { return 0; }
};

}  // namespace

MemoryPropertyStore DialogButtonValues(std::string caption, bool bold) {
  const FixedAmbientValues ambient;
  const NoSystemColors system;
  ButtonControl button(ambient, system);
  button.SetCaption(std::move(caption));
  button.SetButtonStyle(ButtonStyleKind::ShadedFace);
  button.SetCaptionAlign(CaptionAlignKind::Centre);
  button.SetBackColor(0x00FFFFFF);
  button.SetForeColor(0);
  button.SetHoverForeColor(0);
  button.SetGradientColor(0);
  ButtonFont font = button.Font();
  font.SetBold(bold);
  button.SetFont(font);
  MemoryPropertyStore store;
  button.WriteProperties(store);
  return store;
}

}  // namespace velkaro
