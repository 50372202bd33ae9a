// Draws every ButtonStyle in every ButtonShape in every state, plain and
// with gradient and picture, into one PNG (button_contact_sheet.png in the
// working directory) for a person to look at, and checks that no cell
// stayed empty.
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

struct State {
  const char* name;
  std::int16_t flags;
  bool hovering;
  bool enabled;
};
constexpr std::array<State, 5> kStates{{{"normal", 0, false, true},
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

void Chunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data) {
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

TEST(ButtonContactSheet, EveryStyleShapeAndStateHasItsCell) {
  constexpr int columns = int(kStates.size()) * 2;
  constexpr int rows = 8 * 7;
  const int sheet_width = columns * kCellWidth, sheet_height = rows * kCellHeight;
  FixedAmbientValues ambient;
  ambient.back_color = Rgb(212, 208, 200);
  ParentWindow parent(kButtonWidth + 40, kButtonHeight + 20);

  HDC screen = GetDC(nullptr);
  MemoryDc sheet(CreateCompatibleDC(screen));
  GdiBitmap sheet_bitmap(CreateCompatibleBitmap(screen, sheet_width, sheet_height));
  ReleaseDC(nullptr, screen);
  SelectedObject selected(sheet.get(), sheet_bitmap.get());
  {
    GdiBrush background(CreateSolidBrush(kSheetBackground));
    RECT all{0, 0, sheet_width, sheet_height};
    FillRect(sheet.get(), &all, background.get());
  }
  const ButtonPicture picture = PictureFromBitmap(MakeKeyedBitmap(16, 16, 0xFF00FF, 0x2060E0, 3));

  for (int style = 0; style < 8; ++style)
    for (int shape = 0; shape < 7; ++shape) {
      const int row = style * 7 + shape;
      auto button = MakeButton(parent, ambient, kButtonWidth, kButtonHeight, 10, 10);
      ASSERT_TRUE(button);
      ButtonControl& control = button->Control();
      for (int variant = 0; variant < 2; ++variant)
        for (std::size_t s = 0; s < kStates.size(); ++s) {
          const State& state = kStates[s];
          control.SetDelayDrawing(true);
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
          GetClientRect(button->Handle(), &client);
          const int x = int(s + std::size_t(variant) * kStates.size()) * kCellWidth + 4;
          const int y = row * kCellHeight + 4;
          // Only the pixels inside the window region are part of the button.
          GdiRegion region(CreateRectRgn(0, 0, 0, 0));
          if (GetWindowRgn(button->Handle(), region.get()) == ERROR)
            region.reset(CreateRectRgn(0, 0, client.right, client.bottom));
          OffsetRgn(region.get(), x, y);
          SelectClipRgn(sheet.get(), region.get());
          BitBlt(sheet.get(), x, y, std::min<int>(client.right, kCellWidth - 4), client.bottom,
                 button->OffscreenDc(), 0, 0, SRCCOPY);
          SelectClipRgn(sheet.get(), nullptr);
          control.SetEnabled(true);
        }
    }

  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), sheet_width, -sheet_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(std::size_t(sheet_width) * sheet_height);
  SelectObject(sheet.get(), GetStockObject(DEFAULT_GUI_FONT));  // GetDIBits wants it deselected
  {
    HBITMAP stock = CreateBitmap(1, 1, 1, 1, nullptr);
    HGDIOBJ out = SelectObject(sheet.get(), stock);
    ASSERT_TRUE(GetDIBits(sheet.get(), sheet_bitmap.get(), 0, UINT(sheet_height), pixels.data(), &info,
                          DIB_RGB_COLORS));
    SelectObject(sheet.get(), out);
    DeleteObject(stock);
  }
  // 0x00RRGGBB in a 32-bit DIB.
  const std::uint32_t background = (std::uint32_t(RedOf(kSheetBackground)) << 16) |
                                   (std::uint32_t(GreenOf(kSheetBackground)) << 8) |
                                   std::uint32_t(BlueOf(kSheetBackground));
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      int drawn = 0;
      for (int y = row * kCellHeight; y < (row + 1) * kCellHeight; ++y)
        for (int x = column * kCellWidth; x < (column + 1) * kCellWidth; ++x)
          drawn += (pixels[std::size_t(y) * sheet_width + x] & 0xFFFFFF) != background;
      EXPECT_GT(drawn, kButtonWidth * kButtonHeight / 2)
          << "style " << row / 7 << " shape " << row % 7 << " column " << column;
    }

  std::vector<std::uint8_t> rgb;
  rgb.reserve(pixels.size() * 3);
  for (std::uint32_t p : pixels) rgb.insert(rgb.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
  const std::vector<std::uint8_t> png = EncodePng(sheet_width, sheet_height, rgb);
  std::FILE* file = std::fopen("button_contact_sheet.png", "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(png.data(), 1, png.size(), file);
  std::fclose(file);
}

}  // namespace
}  // namespace velkaro
