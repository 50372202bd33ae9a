#include "controls/button_control.h"

#include <optional>
#include <utility>

#include "controls/button_property_table.h"

namespace velkaro {
namespace {

// The back colour is tied to its normal colour when the "back free" bit is
// clear, the fore colour when the "fore free" bit is clear. Only the four
// documented values count; any other value leaves both colours free.
bool BackTied(std::int32_t locks) { return locks == 0 || locks == 2; }
bool ForeTied(std::int32_t locks) { return locks == 0 || locks == 1; }

// The colour a tied hover back colour follows: the gradient's second colour
// while a gradient is drawn, BackColor otherwise.
ColorRef TiedHoverBack(GradientModeKind gradient_mode, ColorRef gradient, ColorRef back) {
  return gradient_mode != GradientModeKind::None ? gradient : back;
}

bool ImageAboveOrBelow(PictureAlignKind align) {
  return align == PictureAlignKind::TopCentre || align == PictureAlignKind::BottomCentre;
}

// The access key is the character after the last "&" that does not belong
// to a "&&" pair. Scanning backwards, a run of ampersands is pairs from its
// start, so a run of odd length ends in a single marker.
std::optional<std::string> FindAccessKey(const std::string& caption) {
  std::size_t end = caption.size();
  while (end > 0) {
    const std::size_t last = caption.rfind('&', end - 1);
    if (last == std::string::npos) return std::nullopt;
    std::size_t first = last;
    while (first > 0 && caption[first - 1] == '&') --first;
    if ((last - first + 1) % 2 == 1) {
      // One UTF-8 character follows: a lead byte and its continuation bytes.
      std::size_t next = last + 1;
      if (next >= caption.size()) return std::string();
      std::size_t stop = next + 1;
      while (stop < caption.size() && (static_cast<unsigned char>(caption[stop]) & 0xC0) == 0x80)
        ++stop;
      return caption.substr(next, stop - next);
    }
    end = first;
  }
  return std::nullopt;
}

constexpr std::string_view kRefusedAlignText =
    "When button images are aligned top/bottom center, \r\n"
    "button captions can only be center aligned";
constexpr std::string_view kFocusRectText =
    "The focus rectangle may appear on default buttons ONLY while in design mode, \r\n"
    "but will not appear when the form is running.";
constexpr std::string_view kMouseIconTitle = "Select .ico Or .cur Files Only";
constexpr std::string_view kInvalidPictureText = "Invalid picture";

}  // namespace

ButtonControl::ButtonControl(const AmbientValues& ambient, const SystemColors& system_colors)
    : ambient_(ambient), system_colors_(system_colors), caption_(kNewControlMarker) {
  // The hover back colour starts equal to BackColor, so no lock is released.
  SetHoverBackColor(kButtonFaceColor);
  RecomputeColours();
}

void ButtonControl::SetView(ButtonView* view) {
  view_ = view;
  if (!view_) return;
  // A window attached to the control starts from its current properties.
  RefreshContainerColour();
  view_->PrepareDrawingResources(DrawingTopic::Font);
  view_->PrepareDrawingResources(DrawingTopic::Picture);
  RecomputeColours();
}

void ButtonControl::SetEvents(ButtonEvents* events) { events_ = events; }

void ButtonControl::Notify(std::string_view key) {
  if (changes_) changes_->PropertyChanged(key);
}

void ButtonControl::RecomputeLayout() {
  if (View()) View()->LayoutContent();
}

void ButtonControl::RecomputeColours() {
  if (View()) View()->PrepareDrawingResources(DrawingTopic::BackColor);
}

void ButtonControl::RefreshContainerColour() {
  colours_.container = SystemColorToRgb(ambient_.BackColor(), system_colors_);
}

void ButtonControl::ShowDesignMessage(std::string_view text, std::string_view title) {
  if (design_mode_ && View()) View()->ShowInformation(text, title);
}

void ButtonControl::Redraw(bool rebuild) {
  if (delay_drawing_ || !View()) return;
  View()->Redraw(rebuild);
}

void ButtonControl::SetDelayDrawing(bool delay) {
  delay_drawing_ = delay;
  if (!delay) Redraw(true);
}

std::uintptr_t ButtonControl::hWnd() const { return View() ? View()->WindowHandle() : 0; }
std::uintptr_t ButtonControl::hDC() const { return View() ? View()->DeviceContextHandle() : 0; }

// --- Caption and layout properties -----------------------------------------

void ButtonControl::SetCaption(std::string caption) {
  if (auto key = FindAccessKey(caption)) access_key_ = std::move(*key);
  caption_ = std::move(caption);
  Notify(stored::kCaption.key);
  RecomputeLayout();
  Redraw(true);
}

void ButtonControl::SetCaptionAlign(CaptionAlignKind align) {
  if (!IsKnown(align)) return;
  if (align != CaptionAlignKind::Centre && ImageAboveOrBelow(picture_align_) && picture_) {
    ShowDesignMessage(kRefusedAlignText, "");
    return;
  }
  caption_align_ = align;
  Notify(stored::kCaptionAlign.key);
  RecomputeLayout();
  Redraw(true);
}

void ButtonControl::SetCaptionStyle(CaptionStyleKind style) {
  if (!IsKnown(style)) return;
  caption_style_ = style;
  Notify(stored::kCaptionStyle.key);
  if (caption_.empty()) return;
  RecomputeLayout();
  Redraw(true);
}

void ButtonControl::SetButtonStyle(ButtonStyleKind style) {
  if (!IsKnown(style)) return;
  button_style_ = style;
  Notify(stored::kButtonStyle.key);
  if (View()) View()->BuildShapeRegion();
  RecomputeLayout();
  RecomputeColours();
  Redraw(true);
}

void ButtonControl::SetButtonShape(ButtonShapeKind shape) {
  if (!IsKnown(shape)) return;
  button_shape_ = shape;
  Notify(stored::kButtonShape.key);
  if (View()) View()->BuildShapeRegion();
  delay_drawing_ = true;
  // A parallelogram has no straight side to align a caption against.
  if (shape == ButtonShapeKind::Parallelogram && caption_align_ != CaptionAlignKind::Centre)
    SetCaptionAlign(CaptionAlignKind::Centre);
  else
    RecomputeLayout();
  SetDelayDrawing(false);
}

// --- Picture ------------------------------------------------------------------

void ButtonControl::ReadPictureFacts() {
  image_width_ = picture_ ? picture_.width : 0;
  image_height_ = picture_ ? picture_.height : 0;
  image_is_icon_ = picture_ && picture_.IsIconLike();
  if (View()) View()->PrepareDrawingResources(DrawingTopic::Picture);
}

void ButtonControl::SetPicture(ButtonPicture picture) {
  picture_ = std::move(picture);
  Notify(stored::kPicture.key);
  EnsureImageSize();
  ReadPictureFacts();
  RecomputeLayout();
  Redraw(true);
}

void ButtonControl::SetPictureAlign(PictureAlignKind align) {
  if (!IsKnown(align)) return;
  picture_align_ = align;
  Notify(stored::kPictureAlign.key);
  if (ImageAboveOrBelow(align)) SetCaptionAlign(CaptionAlignKind::Centre);
  RecomputeLayout();
  Redraw(true);
}

std::int16_t ButtonControl::EnsureImageSize() {
  if (image_size_ == 0) image_size_ = 16;
  return image_size_;
}

std::int32_t ButtonControl::PictureSize() { return EnsureImageSize() / 8 - 2; }

void ButtonControl::SetPictureSize(std::int32_t size) {
  if (size < 0 || size > 4) return;
  image_size_ = static_cast<std::int16_t>((size + 2) * 8);
  Notify(stored::kImageSize.key);
  RecomputeLayout();
  Redraw(true);
}

// --- Window properties ------------------------------------------------------

void ButtonControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (View()) View()->ApplyEnabled(enabled);
  Notify(stored::kEnabled.key);
  if (button_style_ != ButtonStyleKind::GreyEtched) {
    Redraw(true);
    return;
  }
  // The grey etched style cuts a corner pixel only while enabled, so the
  // region changes.
  delay_drawing_ = true;
  if (View()) View()->BuildShapeRegion();
  RecomputeLayout();
  SetDelayDrawing(false);
}

void ButtonControl::SetShowFocusRect(bool show) {
  show_focus_rect_ = show;
  Notify(stored::kShowFocusRect.key);
  if (!(state_flags_ & kStateFocus)) return;
  if (design_mode_) {
    // In a designer flag 1 means "default button"; its outline stays.
    ShowDesignMessage(kFocusRectText, "");
    return;
  }
  state_flags_ = static_cast<std::int16_t>(state_flags_ & ~kStateFocus);
  Redraw(true);
}

void ButtonControl::SetMousePointer(MousePointerKind pointer) {
  if (!IsKnown(pointer)) return;
  mouse_pointer_ = pointer;
  Notify(stored::kMousePointer.key);
  if (View()) View()->ApplyMousePointer(mouse_pointer_, mouse_icon_);
}

void ButtonControl::SetMouseIcon(ButtonPicture icon) {
  if (icon && !icon.IsIconLike()) {
    ShowDesignMessage(kInvalidPictureText, kMouseIconTitle);
    return;
  }
  mouse_icon_ = std::move(icon);
  Notify(stored::kMouseIcon.key);
  if (View()) View()->ApplyMousePointer(mouse_pointer_, mouse_icon_);
  if (mouse_icon_) SetMousePointer(MousePointerKind::Custom);
}

void ButtonControl::SetFont(ButtonFont font) {
  font_ = std::move(font);
  Notify(stored::kFont.key);
  if (View()) View()->PrepareDrawingResources(DrawingTopic::Font);
  RecomputeLayout();
  Redraw(true);
}

std::int32_t ButtonControl::FontStyle() const {
  return (font_.Bold() ? 2 : 0) | (font_.italic ? 4 : 0) | (font_.underline ? 8 : 0);
}

void ButtonControl::SetFontStyle(std::int32_t style) {
  font_.SetBold((style & 2) != 0);
  font_.italic = (style & 4) != 0;
  font_.underline = (style & 8) != 0;
  if (View()) View()->PrepareDrawingResources(DrawingTopic::Font);
  RecomputeLayout();
  Notify(stored::kFont.key);
  Redraw(true);
}

// --- Colours ----------------------------------------------------------------

void ButtonControl::SetForeColor(ColorRef color) {
  if (color == fore_color_) return;
  fore_color_ = color;
  Notify(stored::kForeColor.key);
  if (ForeTied(hover_color_locks_)) SetHoverForeColor(color);
  delay_drawing_ = false;
  Redraw(true);
}

void ButtonControl::SetBackColor(ColorRef color) {
  if (color == back_color_) return;
  back_color_ = color;
  Notify(stored::kBackColor.key);
  if (BackTied(hover_color_locks_))
    SetHoverBackColor(TiedHoverBack(gradient_mode_, gradient_color_, color));
  RecomputeColours();
  Redraw(true);
}

void ButtonControl::SetGradientColor(ColorRef color) {
  if (BackTied(hover_color_locks_) && gradient_mode_ != GradientModeKind::None) {
    hover_back_color_ = color;
    Notify(stored::kHoverBackColor.key);
  }
  gradient_color_ = color;
  Notify(stored::kGradientColor.key);
  RecomputeColours();
  if (gradient_mode_ != GradientModeKind::None) Redraw(true);
}

void ButtonControl::SetGradientMode(GradientModeKind mode) {
  if (!IsKnown(mode)) return;
  gradient_mode_ = mode;
  Notify(stored::kGradientMode.key);
  if (BackTied(hover_color_locks_)) {
    hover_back_color_ = TiedHoverBack(mode, gradient_color_, back_color_);
    Notify(stored::kHoverBackColor.key);
    RecomputeColours();
  }
  Redraw(true);
}

void ButtonControl::ApplyHoverLocks() {
  if (BackTied(hover_color_locks_)) {
    hover_back_color_ = TiedHoverBack(gradient_mode_, gradient_color_, back_color_);
    Notify(stored::kHoverBackColor.key);
  }
  if (ForeTied(hover_color_locks_)) {
    hover_fore_color_ = fore_color_;
    Notify(stored::kHoverForeColor.key);
  }
}

void ButtonControl::SetHoverColorLocks(std::int32_t locks) {
  hover_color_locks_ = locks;
  ApplyHoverLocks();
  RecomputeColours();
  Notify(stored::kHoverColorLocks.key);
}

void ButtonControl::SetHoverForeColor(ColorRef color) {
  if (color == hover_fore_color_) return;
  hover_fore_color_ = color;
  Notify(stored::kHoverForeColor.key);
  // A hover colour of its own releases a tie.
  if (color == fore_color_ || !ForeTied(hover_color_locks_)) return;
  hover_color_locks_ |= kHoverForeFree;
  Notify(stored::kHoverColorLocks.key);
}

void ButtonControl::SetHoverBackColor(ColorRef color) {
  if (color == hover_back_color_) return;
  hover_back_color_ = color;
  Notify(stored::kHoverBackColor.key);
  if (color != back_color_ && BackTied(hover_color_locks_)) {
    hover_color_locks_ |= kHoverBackFree;
    Notify(stored::kHoverColorLocks.key);
  }
  RecomputeColours();
}

void ButtonControl::SetResetDefaultColors(bool reset) {
  if (!reset || !design_mode_) return;
  delay_drawing_ = true;
  back_color_ = kButtonFaceColor;
  SetForeColor(kButtonTextColor);
  SetGradientColor(kButtonFaceColor);
  SetGradientMode(GradientModeKind::None);
  SetHoverColorLocks(0);
  RecomputeColours();
  SetDelayDrawing(false);
  Notify(stored::kGradientColor.key);
  Notify(stored::kBackColor.key);
}

// --- Container ----------------------------------------------------------------

void ButtonControl::OnShow() {
  design_mode_ = !ambient_.UserMode();
  if (!design_mode_) return;
  state_flags_ = ambient_.DisplayAsDefault() ? kStateFocus : 0;
  if (state_flags_ != 0) Redraw(true);
}

void ButtonControl::OnAmbientChanged(std::string_view name) {
  if (SameKey(name, "DisplayAsDefault")) {
    if (!design_mode_) return;
    state_flags_ = ambient_.DisplayAsDefault() ? kStateFocus : 0;
    Redraw(true);
  } else if (SameKey(name, "BackColor")) {
    RefreshContainerColour();
    // The flat-until-hover style lets the container show through its
    // caption layer; the elliptic shapes paint their rim from the container
    // colour.
    if (design_mode_ && button_style_ == ButtonStyleKind::FlatUntilHover) Redraw(false);
    if (IsElliptic(button_shape_)) Redraw(true);
  }
}

void ButtonControl::OnResize() {
  if (SameKey(caption_, kNewControlMarker)) {
    caption_ = ambient_.DisplayName();
    Notify(stored::kCaption.key);
  }
  RefreshContainerColour();
  if (View()) {
    View()->RecreateOffscreenImage();
    View()->BuildShapeRegion();
  }
  RecomputeLayout();
  Redraw(true);
}

}  // namespace velkaro
