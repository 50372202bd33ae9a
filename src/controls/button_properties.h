#pragma once
// The value types of the button control's properties: the closed sets of
// its choices, colour references, the system-colour seam, and portable
// descriptions of fonts and pictures. The window side turns these into GDI
// objects; nothing here needs the platform headers.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

namespace velkaro {

// A colour as the control keeps it: an RGB value 0x00BBGGRR, or a reference
// 0x800000nn to the system colour with index nn. System colours are turned
// into RGB only when drawing, so a button follows a change of the system
// scheme.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kButtonFaceColor = 0x8000000F;  // COLOR_BTNFACE
inline constexpr ColorRef kButtonTextColor = 0x80000012;  // COLOR_BTNTEXT

// A reference is a system colour when it is negative as a signed 32-bit value.
constexpr bool IsSystemColor(ColorRef c) { return static_cast<std::int32_t>(c) < 0; }

// What the system reports for its colour indices (GetSysColor on Windows).
class SystemColors {
 public:
  virtual ~SystemColors() = default;
  // The RGB value 0x00BBGGRR of system colour index (0..255).
  virtual ColorRef Rgb(int index) const = 0;
};

// The RGB value of c: the system colour with index c AND 0xFF for a
// system-colour reference, c itself otherwise.
ColorRef SystemColorToRgb(ColorRef c, const SystemColors& system);

// The closed sets among the button's properties. Each keeps the number the
// property store holds for it, so a saved form reads back the same value;
// a number outside the set (cast from a setter's argument or read from a
// damaged store) is refused where it enters, see IsKnown.

// ButtonStyle: how the face, the edges and the focus mark are drawn.
enum class ButtonStyleKind : std::int32_t {
  ClassicBevel = 0,       // three grey rings; focus darkens the outer one
  BlackFrame = 1,         // white and grey bevel in a black frame, corner pixels cut
  ShadedFace = 2,         // face darkening downwards, rings coloured by state, blue frame
  GreyEtched = 3,         // grey etching, lilac focus outline; content stays put when pressed
  ThinBevel = 4,          // one white and grey ring on the outermost pixels
  FlatUntilHover = 5,     // no edges until the mouse is over the button
  LightDoubleBevel = 6,   // two rings of light grey and grey
  RoundedBlackFrame = 7,  // brightened face bevelled from itself, black rounded frame
};

// ButtonShape: the outline of the window.
enum class ButtonShapeKind : std::int32_t {
  Rectangle = 0,
  LeftSlanted = 1,
  RightSlanted = 2,
  Parallelogram = 3,              // both side edges slanted
  EllipseShadedRim = 4,           // rim shaded from the container colour, sunk while held
  EllipseRimHiddenWhileHeld = 5,  // the same rim, left out while the button is held
  EllipseBlackRim = 6,            // a black rim 2 pixels wide
};

// CaptionAlign.
enum class CaptionAlignKind : std::int32_t { Left = 0, Right = 1, Centre = 2 };

// CaptionStyle: the caption flat, or drawn over a light and a dark copy.
enum class CaptionStyleKind : std::int32_t { Flat = 0, Embossed = 1, Engraved = 2 };

// PictureAlign: where the image sits.
enum class PictureAlignKind : std::int32_t {
  LeftEdge = 0,
  LeftOfCaption = 1,
  RightEdge = 2,
  RightOfCaption = 3,
  TopCentre = 4,
  BottomCentre = 5,
};

// GradientMode: no gradient, or the direction from BackColor to GradientColor.
enum class GradientModeKind : std::int32_t {
  None = 0,
  LeftToRight = 1,
  RightToLeft = 2,
  TopToBottom = 3,
  BottomToTop = 4,
};

// MousePointer: the window's standard pointers, or the MouseIcon.
enum class MousePointerKind : std::int16_t {
  Default = 0,
  Arrow = 1,
  Cross = 2,
  IBeam = 3,
  Icon = 4,
  Size = 5,
  SizeNeSw = 6,
  SizeNs = 7,
  SizeNwSe = 8,
  SizeWe = 9,
  UpArrow = 10,
  Hourglass = 11,
  NoDrop = 12,
  ArrowHourglass = 13,
  ArrowQuestion = 14,
  SizeAll = 15,
  Custom = 99,
};

// The number a choice is stored as.
template <typename Kind>
constexpr auto NumberOf(Kind kind) {
  return static_cast<std::underlying_type_t<Kind>>(kind);
}

// The last value of each set that runs from 0 without gaps.
constexpr ButtonStyleKind LastOf(ButtonStyleKind) { return ButtonStyleKind::RoundedBlackFrame; }
constexpr ButtonShapeKind LastOf(ButtonShapeKind) { return ButtonShapeKind::EllipseBlackRim; }
constexpr CaptionAlignKind LastOf(CaptionAlignKind) { return CaptionAlignKind::Centre; }
constexpr CaptionStyleKind LastOf(CaptionStyleKind) { return CaptionStyleKind::Engraved; }
constexpr PictureAlignKind LastOf(PictureAlignKind) { return PictureAlignKind::BottomCentre; }
constexpr GradientModeKind LastOf(GradientModeKind) { return GradientModeKind::BottomToTop; }

// How many values a gapless set has: the size of a table indexed by it.
template <typename Kind>
inline constexpr std::size_t kCountOf = std::size_t(NumberOf(LastOf(Kind{}))) + 1;

// Whether kind is one of its set's values rather than a stray number.
template <typename Kind>
constexpr bool IsKnown(Kind kind) {
  return NumberOf(kind) >= 0 && NumberOf(kind) <= NumberOf(LastOf(kind));
}
// The standard pointers run from 0 to 15; the custom one is apart.
constexpr bool IsKnown(MousePointerKind pointer) {
  return (NumberOf(pointer) >= 0 && pointer <= MousePointerKind::SizeAll) ||
         pointer == MousePointerKind::Custom;
}

// Facts of a shape that drawing and layout ask for.
constexpr bool IsElliptic(ButtonShapeKind shape) {
  return NumberOf(shape) >= NumberOf(ButtonShapeKind::EllipseShadedRim);
}
constexpr bool HasLeftSlant(ButtonShapeKind shape) {
  return shape == ButtonShapeKind::LeftSlanted || shape == ButtonShapeKind::Parallelogram;
}
constexpr bool HasRightSlant(ButtonShapeKind shape) {
  return shape == ButtonShapeKind::RightSlanted || shape == ButtonShapeKind::Parallelogram;
}
constexpr bool IsSlanted(ButtonShapeKind shape) {
  return HasLeftSlant(shape) || HasRightSlant(shape);
}

// A font as the control's window keeps it. Weight is the authority for
// boldness (700 bold, 400 normal), as with the platform's font objects.
struct ButtonFont {
  std::string face = "ＭＳ Ｐゴシック";
  double size_points = 9.0;
  std::int16_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  std::int16_t charset = 128;  // SHIFTJIS_CHARSET

  bool Bold() const { return weight >= 600; }
  void SetBold(bool bold) { weight = bold ? 700 : 400; }

  friend bool operator==(const ButtonFont&, const ButtonFont&) = default;
};

// The platform object behind a picture (a bitmap, icon or cursor handle).
// The window side derives from it; the control only shares it.
class PlatformPicture {
 public:
  virtual ~PlatformPicture() = default;
};

enum class PictureKind : std::int16_t { Bitmap = 1, Icon = 3, Cursor = 4 };

// A picture or none. Two pictures are the same picture when they share the
// platform object; copying a picture never copies the image.
struct ButtonPicture {
  std::shared_ptr<const PlatformPicture> handle;
  PictureKind kind = PictureKind::Bitmap;
  std::int32_t width = 0;  // natural size in pixels
  std::int32_t height = 0;

  explicit operator bool() const { return handle != nullptr; }
  bool IsIconLike() const { return kind == PictureKind::Icon || kind == PictureKind::Cursor; }
  friend bool operator==(const ButtonPicture& a, const ButtonPicture& b) {
    return a.handle == b.handle;
  }
};

}  // namespace velkaro
