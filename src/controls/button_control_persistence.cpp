// Saving a button's properties into its container's property store and
// loading them back. The keys, their order and their defaults are what forms
// saved earlier hold, so none of them may change.
#include "controls/button_control.h"

namespace velkaro {
namespace {

// Colours are kept as signed 32-bit integers, as the store's integer type is.
std::int32_t StoredColor(ColorRef c) { return static_cast<std::int32_t>(c); }
ColorRef LoadedColor(std::int32_t v) { return static_cast<ColorRef>(v); }

ColorRef ReadColor(const PropertyStore& store, std::string_view key, ColorRef default_value) {
  return LoadedColor(ReadInt32(store, key, StoredColor(default_value)));
}

// A stored choice outside its range (a damaged or foreign store) gives the
// default instead, as a missing key does, so that drawing never meets a
// value it has no table entry for.
std::int32_t ReadChoice(const PropertyStore& store, std::string_view key,
                        std::int32_t default_value, std::int32_t high) {
  const std::int32_t value = ReadInt32(store, key, default_value);
  return (value >= 0 && value <= high) ? value : default_value;
}

// The image side is 0 (not yet chosen) or one of the five sizes.
std::int16_t ReadImageSize(const PropertyStore& store) {
  const std::int16_t value = ReadInt16(store, "ImgSize", 16);
  const bool known = value == 0 || (value >= 16 && value <= 48 && value % 8 == 0);
  return known ? value : 16;
}

class PropertyWriter {
 public:
  explicit PropertyWriter(PropertyStore& store) : store_(store) {}

  template <typename T>
  void Write(std::string_view key, const T& value, const T& default_value) {
    if (!(value == default_value)) store_.Write(key, value);
  }
  void WriteColor(std::string_view key, ColorRef value, ColorRef default_value) {
    Write(key, StoredColor(value), StoredColor(default_value));
  }
  void WritePicture(std::string_view key, const ButtonPicture& picture) {
    if (picture) store_.Write(key, picture);
  }
  template <typename T>
  void WriteAlways(std::string_view key, const T& value) {
    store_.Write(key, value);
  }

 private:
  PropertyStore& store_;
};

}  // namespace

void ButtonControl::WriteProperties(PropertyStore& store) const {
  PropertyWriter out(store);
  out.Write("Caption", caption_, std::string());
  out.Write("CapAlign", caption_align_, 2);
  out.Write("BackStyle", button_style_, 0);
  out.Write("Shape", button_shape_, 0);
  out.WriteAlways("Font", font_);
  out.WriteColor("cFore", fore_color_, kButtonTextColor);
  out.WriteColor("cFHover", hover_fore_color_, kButtonTextColor);
  out.WriteColor("cBHover", hover_back_color_, back_color_);
  out.Write("Focus", show_focus_rect_, true);
  out.Write("LockHover", hover_color_locks_, 0);
  out.WriteColor("cGradient", gradient_color_, kButtonFaceColor);
  out.Write("Gradient", gradient_mode_, 0);
  out.Write("CapStyle", caption_style_, 0);
  out.Write("ImgAlign", picture_align_, 0);
  out.WritePicture("Image", picture_);
  out.Write("ImgSize", image_size_, std::int16_t{16});
  out.Write("Enabled", enabled_, true);
  out.WriteAlways("cBack", StoredColor(back_color_));
  out.Write("mPointer", mouse_pointer_, std::int16_t{0});
  out.WritePicture("mIcon", mouse_icon_);
}

void ButtonControl::ReadProperties(const PropertyStore& store) {
  delay_drawing_ = true;
  caption_ = ReadText(store, "Caption", "");
  caption_align_ = ReadChoice(store, "CapAlign", 2, 2);
  button_style_ = ReadChoice(store, "BackStyle", 0, 7);
  button_shape_ = ReadChoice(store, "Shape", 0, 6);
  gradient_mode_ = ReadChoice(store, "Gradient", 0, 4);
  gradient_color_ = ReadColor(store, "cGradient", kButtonFaceColor);
  font_ = ReadFont(store, "Font", font_);
  fore_color_ = ReadColor(store, "cFore", kButtonTextColor);
  show_focus_rect_ = ReadBool(store, "Focus", true);
  picture_ = ReadPicture(store, "Image", ButtonPicture{});
  image_size_ = ReadImageSize(store);
  picture_align_ = ReadChoice(store, "ImgAlign", 0, 5);
  hover_fore_color_ = ReadColor(store, "cFHover", kButtonTextColor);
  const bool enabled = ReadBool(store, "Enabled", true);
  if (enabled != enabled_) {
    enabled_ = enabled;
    if (View()) View()->ApplyEnabled(enabled);
  }
  back_color_ = ReadColor(store, "cBack", ambient_.BackColor());
  // A store without its own hover colour follows the BackColor just read.
  hover_back_color_ = ReadColor(store, "cBHover", back_color_);
  hover_color_locks_ = ReadInt32(store, "LockHover", 0);
  caption_style_ = ReadChoice(store, "CapStyle", 0, 2);
  SetMouseIcon(ReadPicture(store, "mIcon", ButtonPicture{}));
  SetMousePointer(ReadInt16(store, "mPointer", 0));

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
  button.SetButtonStyle(2);
  button.SetCaptionAlign(2);
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
