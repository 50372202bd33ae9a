#pragma once
// The button's stored properties, each written once: the key it has in the
// container's property store and in the change notifications, and the value
// a store without it gives. The keys and defaults are what forms saved
// earlier hold, so none of them may change. A property whose default
// depends on the control (the ambient BackColor, the BackColor just read,
// the current font, no picture) has a key and no constant default.
#include <array>
#include <cstdint>
#include <string_view>

#include "controls/button_properties.h"

namespace velkaro::stored {

template <typename T>
struct Property {
  std::string_view key;
  T default_value;
};

struct Key {
  std::string_view key;
};

// In the order a control writes them.
inline constexpr Property<std::string_view> kCaption{"Caption", ""};
inline constexpr Property<CaptionAlignKind> kCaptionAlign{"CapAlign", CaptionAlignKind::Centre};
inline constexpr Property<ButtonStyleKind> kButtonStyle{"BackStyle", ButtonStyleKind::ClassicBevel};
inline constexpr Property<ButtonShapeKind> kButtonShape{"Shape", ButtonShapeKind::Rectangle};
inline constexpr Key kFont{"Font"};  // always written; a store without it keeps the font
inline constexpr Property<ColorRef> kForeColor{"cFore", kButtonTextColor};
inline constexpr Property<ColorRef> kHoverForeColor{"cFHover", kButtonTextColor};
inline constexpr Key kHoverBackColor{"cBHover"};  // the BackColor by default
inline constexpr Property<bool> kShowFocusRect{"Focus", true};
inline constexpr Property<std::int32_t> kHoverColorLocks{"LockHover", 0};
inline constexpr Property<ColorRef> kGradientColor{"cGradient", kButtonFaceColor};
inline constexpr Property<GradientModeKind> kGradientMode{"Gradient", GradientModeKind::None};
inline constexpr Property<CaptionStyleKind> kCaptionStyle{"CapStyle", CaptionStyleKind::Flat};
inline constexpr Property<PictureAlignKind> kPictureAlign{"ImgAlign", PictureAlignKind::LeftEdge};
inline constexpr Key kPicture{"Image"};  // none by default
inline constexpr Property<std::int16_t> kImageSize{"ImgSize", 16};
inline constexpr Property<bool> kEnabled{"Enabled", true};
inline constexpr Key kBackColor{"cBack"};  // always written; the ambient BackColor by default
inline constexpr Property<MousePointerKind> kMousePointer{"mPointer", MousePointerKind::Default};
inline constexpr Key kMouseIcon{"mIcon"};  // none by default

inline constexpr std::array<std::string_view, 20> kAllKeys{
    kCaption.key,       kCaptionAlign.key,    kButtonStyle.key,    kButtonShape.key,
    kFont.key,          kForeColor.key,       kHoverForeColor.key, kHoverBackColor.key,
    kShowFocusRect.key, kHoverColorLocks.key, kGradientColor.key,  kGradientMode.key,
    kCaptionStyle.key,  kPictureAlign.key,    kPicture.key,        kImageSize.key,
    kEnabled.key,       kBackColor.key,       kMousePointer.key,   kMouseIcon.key};

}  // namespace velkaro::stored
