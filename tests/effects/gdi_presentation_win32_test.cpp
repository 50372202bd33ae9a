// Presentation through GDI on the test display: the frame reaches a window
// of an odd size with every window pixel showing the picture pixel that the
// DirectDraw blit shows there, read back from the window.
#include "effects/gdi_presentation_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "effects/stretch_blit.h"
#include "support/screen_pixels_win32.h"

namespace velkaro {
namespace {

constexpr int W = 324;
constexpr int H = 244;
// Neither a multiple nor a divisor of 320 and 240, so that the stretch
// repeats some picture pixels more often than others.
constexpr int kWidth = 333;
constexpr int kHeight = 217;

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

class OddWindow {
 public:
  OddWindow() {
    static const ATOM window_class = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "VelkaroGdiPresentationTest";
      wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
      return RegisterClassA(&wc);
    }();
    (void)window_class;
    handle_ = CreateWindowExA(WS_EX_TOPMOST, "VelkaroGdiPresentationTest", "Velkaro GDI test",
                              WS_POPUP | WS_VISIBLE, 37, 29, kWidth, kHeight, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
  }
  ~OddWindow() { DestroyWindow(handle_); }
  OddWindow(const OddWindow&) = delete;
  OddWindow& operator=(const OddWindow&) = delete;
  HWND handle() const { return handle_; }

 private:
  HWND handle_ = nullptr;
};

// A frame buffer whose picture pixel (x, y), buffer byte (x + 4, y), holds
// index(x, y); the table shows index i as grey i.
std::vector<std::uint8_t> FrameOf(const std::function<int(int, int)>& index) {
  std::vector<std::uint8_t> frame((W + 1) * (H + 1), 0);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x)
      frame[std::size_t(y * (W + 1) + x + 4)] = std::uint8_t(index(x, y));
  return frame;
}

PaletteTable Greys() {
  PaletteTable table{};
  for (std::uint32_t i = 0; i < 256; ++i) table[i] = i * 0x010101u;
  return table;
}

// What the window shows after presenting the frame: the index of each
// window pixel's grey.
std::vector<int> Shown(GdiPresentation& gdi, HWND window, const std::vector<std::uint8_t>& frame) {
  gdi.SetPalette(Greys());
  gdi.NewFrame({frame.data(), W, H});
  HDC dc = GetDC(window);
  EXPECT_TRUE(gdi.StretchFrameTo(dc, {0, 0, kWidth, kHeight}));
  const testing::Pixels pixels = testing::ReadPixels(dc, 0, 0, kWidth, kHeight);
  ReleaseDC(window, dc);
  std::vector<int> indexes;
  for (std::uint32_t value : pixels.values) {
    EXPECT_EQ(value, (value & 0xFF) * 0x010101u) << "not a grey of the table";
    indexes.push_back(int(value & 0xFF));
  }
  return indexes;
}

// Three frames tell each window pixel's picture column (its low byte, then
// its high bit) and its picture row.
TEST(GdiPresentation, EachWindowPixelShowsThePicturePixelUnderItsCentre) {
  OddWindow window;
  ASSERT_TRUE(window.handle());
  GdiPresentation gdi;
  const auto low = Shown(gdi, window.handle(), FrameOf([](int x, int) { return x & 0xFF; }));
  const auto high = Shown(gdi, window.handle(), FrameOf([](int x, int) { return x >> 8; }));
  const auto rows = Shown(gdi, window.handle(), FrameOf([](int, int y) { return y; }));
  const std::vector<std::int32_t> columns = SourceIndexes(320, kWidth);
  const std::vector<std::int32_t> lines = SourceIndexes(240, kHeight);
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const std::size_t i = std::size_t(y * kWidth + x);
      const int column = low[i] + 256 * high[i];
      if (column != columns[std::size_t(x)] || rows[i] != lines[std::size_t(y)]) {
        if (++wrong <= 5)
          ADD_FAILURE() << "window pixel " << x << "," << y << " shows " << column << "," << rows[i]
                        << ", not " << columns[std::size_t(x)] << "," << lines[std::size_t(y)];
      }
    }
  EXPECT_EQ(wrong, 0);
}

// A cover's frame rectangle starts at its corner, but the copy honours any
// other place too and leaves the rest of the window alone.
TEST(GdiPresentation, DrawsOnlyIntoItsRectangle) {
  OddWindow window;
  ASSERT_TRUE(window.handle());
  GdiPresentation gdi;
  const auto frame = FrameOf([](int, int) { return 200; });
  gdi.SetPalette(Greys());
  gdi.NewFrame({frame.data(), W, H});
  HDC dc = GetDC(window.handle());
  PatBlt(dc, 0, 0, kWidth, kHeight, BLACKNESS);
  EXPECT_TRUE(gdi.StretchFrameTo(dc, {50, 40, 151, 117}));
  EXPECT_FALSE(gdi.StretchFrameTo(dc, {50, 40, 50, 117})) << "an empty rectangle";
  const testing::Pixels pixels = testing::ReadPixels(dc, 0, 0, kWidth, kHeight);
  ReleaseDC(window.handle(), dc);
  EXPECT_EQ(pixels.at(50, 40), 0xC8C8C8u);
  EXPECT_EQ(pixels.at(150, 116), 0xC8C8C8u);
  EXPECT_EQ(pixels.at(49, 40), 0u);
  EXPECT_EQ(pixels.at(151, 116), 0u);
  EXPECT_EQ(pixels.at(150, 117), 0u);
}

}  // namespace
}  // namespace velkaro
