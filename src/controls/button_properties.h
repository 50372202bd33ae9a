#pragma once
// The value types of the button control's properties: colour references,
// the system-colour seam, and portable descriptions of fonts and pictures.
// The window side turns these into GDI objects; nothing here needs the
// platform headers.
#include <cstdint>
#include <memory>
#include <string>

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
  std::int32_t width = 0;   // natural size in pixels
  std::int32_t height = 0;

  explicit operator bool() const { return handle != nullptr; }
  bool IsIconLike() const { return kind == PictureKind::Icon || kind == PictureKind::Cursor; }
  friend bool operator==(const ButtonPicture& a, const ButtonPicture& b) {
    return a.handle == b.handle;
  }
};

}  // namespace velkaro
