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
template <typename Kind>
Kind ReadChoice(const PropertyStore& store, std::string_view key, Kind default_value) {
  const auto value = static_cast<Kind>(ReadInt32(store, key, NumberOf(default_value)));
  return IsKnown(value) ? value : default_value;
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
  // A choice is stored as its number, in the width of its set.
  template <typename Kind>
  void WriteChoice(std::string_view key, Kind value, Kind default_value) {
    Write(key, NumberOf(value), NumberOf(default_value));
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
  out.WriteChoice("CapAlign", caption_align_, CaptionAlignKind::Centre);
  out.WriteChoice("BackStyle", button_style_, ButtonStyleKind::ClassicBevel);
  out.WriteChoice("Shape", button_shape_, ButtonShapeKind::Rectangle);
  out.WriteAlways("Font", font_);
  out.WriteColor("cFore", fore_color_, kButtonTextColor);
  out.WriteColor("cFHover", hover_fore_color_, kButtonTextColor);
  out.WriteColor("cBHover", hover_back_color_, back_color_);
  out.Write("Focus", show_focus_rect_, true);
  out.Write("LockHover", hover_color_locks_, 0);
  out.WriteColor("cGradient", gradient_color_, kButtonFaceColor);
  out.WriteChoice("Gradient", gradient_mode_, GradientModeKind::None);
  out.WriteChoice("CapStyle", caption_style_, CaptionStyleKind::Flat);
  out.WriteChoice("ImgAlign", picture_align_, PictureAlignKind::LeftEdge);
  out.WritePicture("Image", picture_);
  out.Write("ImgSize", image_size_, std::int16_t{16});
  out.Write("Enabled", enabled_, true);
  out.WriteAlways("cBack", StoredColor(back_color_));
  out.WriteChoice("mPointer", mouse_pointer_, MousePointerKind::Default);
  out.WritePicture("mIcon", mouse_icon_);
}

void ButtonControl::ReadProperties(const PropertyStore& store) {
  delay_drawing_ = true;
  caption_ = ReadText(store, "Caption", "");
  caption_align_ = ReadChoice(store, "CapAlign", CaptionAlignKind::Centre);
  button_style_ = ReadChoice(store, "BackStyle", ButtonStyleKind::ClassicBevel);
  button_shape_ = ReadChoice(store, "Shape", ButtonShapeKind::Rectangle);
  gradient_mode_ = ReadChoice(store, "Gradient", GradientModeKind::None);
  gradient_color_ = ReadColor(store, "cGradient", kButtonFaceColor);
  font_ = ReadFont(store, "Font", font_);
  fore_color_ = ReadColor(store, "cFore", kButtonTextColor);
  show_focus_rect_ = ReadBool(store, "Focus", true);
  picture_ = ReadPicture(store, "Image", ButtonPicture{});
  image_size_ = ReadImageSize(store);
  picture_align_ = ReadChoice(store, "ImgAlign", PictureAlignKind::LeftEdge);
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
  caption_style_ = ReadChoice(store, "CapStyle", CaptionStyleKind::Flat);
  SetMouseIcon(ReadPicture(store, "mIcon", ButtonPicture{}));
  // The setter refuses a pointer the window does not know.
  SetMousePointer(static_cast<MousePointerKind>(ReadInt16(store, "mPointer", 0)));

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
