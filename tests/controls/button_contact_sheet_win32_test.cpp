// Draws every ButtonStyle in every ButtonShape in every state, plain and
// with gradient and picture, into one PNG (button_contact_sheet.png in the
// working directory) for a person to look at, checks that no cell stayed
// empty, and checks exact face, rim and corner pixels of the plain
// rectangular cells.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "button_draw_fixture_win32.h"
#include "controls/button_colors.h"

namespace velkaro {
namespace {

constexpr int kCellWidth = 96, kCellHeight = 40;
constexpr int kButtonWidth = 86, kButtonHeight = 30;
constexpr COLORREF kSheetBackground = Rgb(0, 128, 128);
// A face colour with unequal channels, so that shading the blue channel in
// proportion to itself shows.
constexpr COLORREF kFace = Rgb(200, 180, 120);

struct State {
  const char* name;
  std::int16_t flags;
  bool hovering;
  bool enabled;
};
constexpr std::array<State, 5> kStates{
    {{"normal", 0, false, true},
     {"focused", kStateFocus, false, true},
     {"hover", kStateOver, true, true},
     {"pressed", kStateFocus | kStatePressed | kStateOver, true, true},
     {"disabled", 0, false, false}}};

// PNG with stored (uncompressed) deflate blocks: no compression library
// needed, and any viewer reads it.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

void Chunk(std::vector<std::uint8_t>& png, const char* type,
           const std::vector<std::uint8_t>& data) {
  PutBigEndian(png, std::uint32_t(data.size()));
  std::vector<std::uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  png.insert(png.end(), body.begin(), body.end());
  PutBigEndian(png, Crc32(body.data(), body.size()));
}

std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb) {
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    raw.insert(raw.end(), rgb.begin() + std::ptrdiff_t(y) * width * 3,
               rgb.begin() + std::ptrdiff_t(y + 1) * width * 3);
  }
  std::vector<std::uint8_t> z{0x78, 0x01};
  for (std::size_t at = 0; at < raw.size() || at == 0;) {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
    const bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(std::uint8_t(n));
    z.push_back(std::uint8_t(n >> 8));
    z.push_back(std::uint8_t(~n));
    z.push_back(std::uint8_t(~n >> 8));
    z.insert(z.end(), raw.begin() + std::ptrdiff_t(at), raw.begin() + std::ptrdiff_t(at + n));
    at += n;
    if (last) break;
  }
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian(z, (b << 16) | a);
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBigEndian(header, std::uint32_t(width));
  PutBigEndian(header, std::uint32_t(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", {});
  return png;
}

constexpr int kColumns = int(kStates.size()) * 2;
constexpr int kRows = 8 * 7;
constexpr int kSheetWidth = kColumns * kCellWidth, kSheetHeight = kRows * kCellHeight;

// Sets the button to one style, shape, variant (0 plain, 1 with gradient and
// picture) and state, and copies the pixels inside its window region into
// the cell at (x, y) of the sheet.
void DrawCell(HDC sheet, ButtonWindow& button, const ButtonPicture& picture, int style, int shape,
              int variant, const State& state, int x, int y) {
  ButtonControl& control = button.Control();
  control.SetDelayDrawing(true);
  control.SetBackColor(kFace);
  control.SetButtonStyle(static_cast<ButtonStyleKind>(style));
  control.SetButtonShape(static_cast<ButtonShapeKind>(shape));
  control.SetCaption("S" + std::to_string(style) + " &" + state.name);
  if (variant == 1) {
    control.SetGradientColor(Rgb(40, 90, 200));
    control.SetGradientMode(static_cast<GradientModeKind>(1 + style % 4));
    control.SetPicture(picture);
  } else {
    control.SetGradientMode(GradientModeKind::None);
    control.SetPicture({});
  }
  control.SetEnabled(state.enabled);
  control.SetStateFlags(state.flags);
  control.SetHovering(state.hovering);
  control.SetDelayDrawing(false);

  RECT client{};
  GetClientRect(button.Handle(), &client);
  // Only the pixels inside the window region are part of the button.
  GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(button.Handle(), region.get()) == ERROR)
    region.reset(CreateRectRgn(0, 0, client.right, client.bottom));
  OffsetRgn(region.get(), x, y);
  SelectClipRgn(sheet, region.get());
  BitBlt(sheet, x, y, std::min<int>(client.right, kCellWidth - 4), client.bottom,
         button.OffscreenDc(), 0, 0, SRCCOPY);
  SelectClipRgn(sheet, nullptr);
  control.SetEnabled(true);
}

// Every style in every shape, one row each, with a cell for each variant
// and state.
void DrawCells(HDC sheet) {
  FixedAmbientValues ambient;
  ambient.back_color = Rgb(212, 208, 200);
  ParentWindow parent(kButtonWidth + 40, kButtonHeight + 20);
  const ButtonPicture picture = PictureFromBitmap(MakeKeyedBitmap(16, 16, 0xFF00FF, 0x2060E0, 3));
  for (int style = 0; style < 8; ++style)
    for (int shape = 0; shape < 7; ++shape) {
      const int row = style * 7 + shape;
      auto button = MakeButton(parent, ambient, kButtonWidth, kButtonHeight, 10, 10);
      ASSERT_TRUE(button);
      for (int variant = 0; variant < 2; ++variant)
        for (std::size_t s = 0; s < kStates.size(); ++s) {
          const int x = int(s + std::size_t(variant) * kStates.size()) * kCellWidth + 4;
          const int y = row * kCellHeight + 4;
          DrawCell(sheet, *button, picture, style, shape, variant, kStates[s], x, y);
        }
    }
}

// The sheet's pixels as 0x00RRGGBB, row by row.
void DrawSheet(std::vector<std::uint32_t>& pixels) {
  HDC screen = GetDC(nullptr);
  MemoryDc sheet(CreateCompatibleDC(screen));
  GdiBitmap sheet_bitmap(CreateCompatibleBitmap(screen, kSheetWidth, kSheetHeight));
  ReleaseDC(nullptr, screen);
  SelectedObject selected(sheet.get(), sheet_bitmap.get());
  {
    GdiBrush background(CreateSolidBrush(kSheetBackground));
    RECT all{0, 0, kSheetWidth, kSheetHeight};
    FillRect(sheet.get(), &all, background.get());
  }
  ASSERT_NO_FATAL_FAILURE(DrawCells(sheet.get()));

  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof(BITMAPINFOHEADER), kSheetWidth, -kSheetHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  pixels.assign(std::size_t(kSheetWidth) * kSheetHeight, 0);
  SelectObject(sheet.get(), GetStockObject(DEFAULT_GUI_FONT));  // GetDIBits wants it deselected
  {
    HBITMAP stock = CreateBitmap(1, 1, 1, 1, nullptr);
    HGDIOBJ out = SelectObject(sheet.get(), stock);
    ASSERT_TRUE(GetDIBits(sheet.get(), sheet_bitmap.get(), 0, UINT(kSheetHeight), pixels.data(),
                          &info, DIB_RGB_COLORS));
    SelectObject(sheet.get(), out);
    DeleteObject(stock);
  }
}

class ButtonContactSheet : public ::testing::Test {
 protected:
  // Drawn once for all the checks: 560 cells take a while under Wine.
  void SetUp() override {
    if (Pixels().empty()) {
      ASSERT_NO_FATAL_FAILURE(DrawSheet(Pixels()));
    }
  }
  static std::vector<std::uint32_t>& Pixels() {
    static std::vector<std::uint32_t> pixels;
    return pixels;
  }
  static std::uint32_t At(int x, int y) {
    return Pixels()[std::size_t(y) * kSheetWidth + x] & 0xFFFFFF;
  }
};

TEST_F(ButtonContactSheet, EveryStyleShapeAndStateHasItsCell) {
  // 0x00RRGGBB in a 32-bit DIB.
  const std::uint32_t background = (std::uint32_t(RedOf(kSheetBackground)) << 16) |
                                   (std::uint32_t(GreenOf(kSheetBackground)) << 8) |
                                   std::uint32_t(BlueOf(kSheetBackground));
  for (int row = 0; row < kRows; ++row)
    for (int column = 0; column < kColumns; ++column) {
      int drawn = 0;
      for (int y = row * kCellHeight; y < (row + 1) * kCellHeight; ++y)
        for (int x = column * kCellWidth; x < (column + 1) * kCellWidth; ++x)
          drawn += At(x, y) != background;
      EXPECT_GT(drawn, kButtonWidth * kButtonHeight / 2)
          << "style " << row / 7 << " shape " << row % 7 << " column " << column;
    }
}

TEST_F(ButtonContactSheet, ThePlainRectanglesHaveTheirFaceRimAndCornerColours) {
  // Exact pixels of the plain (no gradient, no picture) rectangular cells,
  // (x, y) in the button's own coordinates; W = 86, H = 30.
  struct Expected {
    int style, state;
    int x, y;
    COLORREF colour;
    const char* what;
  };
  constexpr COLORREF kWhite = Rgb(255, 255, 255), kBlack = Rgb(0, 0, 0), kGrey = Rgb(128, 128, 128);
  constexpr COLORREF kOutside = kSheetBackground;  // cut out of the window region
  const Expected expected[] = {
      // 0: flat face, light grey then white top-left, grey then black bottom-right.
      {0, 0, 4, 4, kFace, "face"},
      {0, 0, 1, 15, Rgb(233, 233, 233), "inner left rim is light grey"},
      {0, 0, 84, 15, kGrey, "inner right rim is grey"},
      {0, 0, 0, 0, kWhite, "outer top-left corner is white, nothing cut"},
      {0, 0, 85, 29, kBlack, "outer bottom-right corner is black"},
      // 1: white/grey bevel inside a black frame whose four corner pixels are cut.
      {1, 0, 4, 4, kFace, "face"},
      {1, 0, 1, 15, kWhite, "inner left rim is white"},
      {1, 0, 84, 15, kGrey, "inner right rim is grey"},
      {1, 0, 0, 15, kBlack, "frame is black"},
      {1, 0, 0, 0, kOutside, "top-left corner pixel cut"},
      {1, 0, 85, 29, kOutside, "bottom-right corner pixel cut"},
      // 2: the face is the colour lightened by 48 (blue by 48 x 120 / 192 = 30):
      // (248, 228, 150), darkening downwards by 25/30 per row.
      {2, 0, 4, 4, Rgb(245, 225, 148), "face row 4: face darkened by 3 (blue by 2)"},
      {2, 0, 2, 15, Rgb(238, 218, 143), "inner left rim: face darkened by 10 (blue by 7)"},
      {2, 0, 1, 15, Rgb(243, 223, 147), "middle left rim: face darkened by 5 (blue by 3)"},
      {2, 0, 84, 15, Rgb(212, 192, 122), "middle right rim: face darkened by 36 (blue by 28)"},
      {2, 0, 0, 15, Rgb(0, 60, 115), "outer frame is dark blue"},
      {2, 0, 1, 1, Rgb(0, 60, 115), "top-left corner pixel rounds the frame"},
      {2, 0, 84, 28, Rgb(0, 60, 115), "bottom-right corner pixel rounds the frame"},
      {2, 0, 0, 0, kOutside, "top-left triangle cut"},
      {2, 0, 0, 29, kOutside, "bottom-left triangle cut"},
      // 3: flat face, white and dark grey (grey darkened by 26) rims; two
      // opposite corner pixels cut while enabled.
      {3, 0, 4, 4, kFace, "face"},
      {3, 0, 1, 15, kWhite, "inner left rim is white"},
      {3, 0, 84, 15, Rgb(102, 102, 102), "inner right rim is dark grey"},
      {3, 0, 0, 0, Rgb(102, 102, 102), "outer top-left corner is dark grey, not cut"},
      {3, 0, 0, 29, kOutside, "bottom-left corner pixel cut"},
      {3, 0, 85, 0, kOutside, "top-right corner pixel cut"},
      // 4: only the outermost white/grey bevel.
      {4, 0, 1, 15, kFace, "face reaches the second pixel"},
      {4, 0, 0, 0, kWhite, "outer top-left corner is white"},
      {4, 0, 85, 29, kGrey, "outer bottom-right corner is grey"},
      // 5: flat until the mouse is over it, then the outermost bevel.
      {5, 0, 0, 0, kFace, "no rim when the mouse is away"},
      {5, 0, 85, 29, kFace, "no rim when the mouse is away"},
      {5, 2, 0, 15, kWhite, "outer left rim is white under the mouse"},
      {5, 2, 85, 15, kGrey, "outer right rim is grey under the mouse"},
      // 6: light grey (0xDFDFDF lightened by 8) and grey, twice.
      {6, 0, 4, 4, kFace, "face"},
      {6, 0, 1, 15, Rgb(231, 231, 231), "inner left rim is light grey"},
      {6, 0, 84, 15, kGrey, "inner right rim is grey"},
      {6, 0, 0, 0, Rgb(231, 231, 231), "outer top-left corner is light grey"},
      {6, 0, 85, 29, kGrey, "outer bottom-right corner is grey"},
      // 7: the face is the colour lightened by 31: (231, 211, 151); light is
      // that lightened by 31 (blue by 24), dark darkened by 64 (blue by 50).
      {7, 0, 4, 4, Rgb(231, 211, 151), "face"},
      {7, 0, 1, 15, Rgb(255, 242, 175), "middle left rim is light"},
      {7, 0, 84, 15, Rgb(167, 147, 101), "middle right rim is dark"},
      {7, 0, 0, 15, kBlack, "frame is black"},
      {7, 0, 3, 3, kWhite, "corner pixel (3, 3) is white"},
      {7, 0, 2, 2, Rgb(255, 242, 175), "corner pixel (2, 2) is light"},
      {7, 0, 1, 27, Rgb(231, 211, 151), "corner pixel (1, H - 3) is the face"},
      {7, 0, 1, 1, kBlack, "corner pixel (1, 1) is black"},
      {7, 0, 83, 27, Rgb(167, 147, 101), "corner pixel (W - 3, H - 3) is dark"},
      {7, 0, 84, 1, kBlack, "corner pixel (W - 2, 1) is black"},
      {7, 0, 0, 0, kOutside, "top-left triangle cut"},
  };
  for (const Expected& e : expected) {
    const int x = e.state * kCellWidth + 4 + e.x, y = e.style * 7 * kCellHeight + 4 + e.y;
    const std::uint32_t seen = At(x, y);
    const std::uint32_t want = (std::uint32_t(RedOf(e.colour)) << 16) |
                               (std::uint32_t(GreenOf(e.colour)) << 8) | BlueOf(e.colour);
    EXPECT_EQ(seen, want) << "style " << e.style << " " << kStates[std::size_t(e.state)].name
                          << " (" << e.x << ", " << e.y << "): " << e.what << std::hex << " seen "
                          << seen << " want " << want;
  }
}

TEST_F(ButtonContactSheet, IsWrittenAsAPngForAPersonToLookAt) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(Pixels().size() * 3);
  for (std::uint32_t p : Pixels())
    rgb.insert(rgb.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
  const std::vector<std::uint8_t> png = EncodePng(kSheetWidth, kSheetHeight, rgb);
  std::FILE* file = std::fopen("button_contact_sheet.png", "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(png.data(), 1, png.size(), file);
  std::fclose(file);
}

}  // namespace
}  // namespace velkaro
