// Presentation through the system's DirectDraw on the test display: the
// frame reaches the window stretched, in the right colours, and goes on
// reaching it after its surfaces were lost.
#include <windows.h>

#include <ddraw.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "effects/directdraw_win32.h"
#include "effects/palette.h"
#include "support/one_primary_direct_draw_win32.h"

namespace velkaro {
namespace {

constexpr int W = 324;
constexpr int H = 244;

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// A top-level pop-up window over the whole test display, as the saver's.
class ScreenWindow {
 public:
  ScreenWindow() {
    static const ATOM window_class = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "VelkaroDirectDrawTest";
      wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
      return RegisterClassA(&wc);
    }();
    (void)window_class;
    handle_ = CreateWindowExA(WS_EX_TOPMOST, "VelkaroDirectDrawTest", "Velkaro test",
                              WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                              GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
  }
  ~ScreenWindow() {
    DestroyWindow(handle_);
    PumpMessages();
  }
  ScreenWindow(const ScreenWindow&) = delete;
  ScreenWindow& operator=(const ScreenWindow&) = delete;
  HWND handle() const { return handle_; }

 private:
  HWND handle_ = nullptr;
};

// A frame buffer whose shown part (columns 4..323, rows 0..239) has four
// quadrants of indexes 1 to 4, and index 9 everywhere that is not shown.
std::vector<std::uint8_t> QuadrantFrame(std::uint8_t offset = 0) {
  std::vector<std::uint8_t> frame((W + 1) * (H + 1), 9);
  for (int y = 0; y < 240; ++y) {
    for (int x = 4; x < 324; ++x) {
      const int right = x >= 164 ? 1 : 0, lower = y >= 120 ? 2 : 0;
      frame[y * (W + 1) + x] = std::uint8_t(1 + right + lower + offset);
    }
  }
  return frame;
}

COLORREF WindowPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

class DirectDrawTest : public ::testing::Test {
 protected:
  // Wine takes two seconds to destroy a top-level window, so the tests share
  // one.
  static void SetUpTestSuite() { shared_window = std::make_unique<ScreenWindow>(); }
  static void TearDownTestSuite() { shared_window.reset(); }

  void SetUp() override {
    ASSERT_TRUE(window.handle());
    ShowWindow(window.handle(), SW_RESTORE);
    PumpMessages();
    ASSERT_TRUE(Init());
    palette.fill(0);
    palette[1] = 0xFF0000;  // red, green, blue in the display's layout
    palette[2] = 0x00FF00;
    palette[3] = 0x0000FF;
    palette[4] = 0xFFFFFF;
    palette[9] = 0x808080;
  }

  virtual bool Init() { return presentation.DDInit(window.handle()); }

  // The centre of each quadrant of the window, in window coordinates.
  POINT QuadrantCentre(int quadrant) const {
    RECT r;
    GetClientRect(window.handle(), &r);
    return {(quadrant % 2 == 0 ? 1 : 3) * r.right / 4, (quadrant < 2 ? 1 : 3) * r.bottom / 4};
  }
  COLORREF QuadrantColour(int quadrant) const {
    const POINT p = QuadrantCentre(quadrant);
    return WindowPixel(window.handle(), p.x, p.y);
  }
  // A colour as the display holds it: a 16-bit display keeps 5, 6 and 5
  // bits of red, green and blue.
  COLORREF AtDepth(COLORREF colour) const {
    return presentation.rgb_bit_count() == 16 ? colour & 0xF8FCF8 : colour;
  }
  // The palette goes to the presentation as a run gives it: once, and again
  // only where a test changes it.
  bool Present(const std::vector<std::uint8_t>& frame) {
    GivePalette();
    const bool shown = presentation.render({frame.data(), W, H});
    PumpMessages();
    return shown;
  }

  void GivePalette() {
    if (given_palette && *given_palette == palette) return;
    presentation.SetPalette(palette);
    given_palette = palette;
  }

  inline static std::unique_ptr<ScreenWindow> shared_window;
  const ScreenWindow& window = *shared_window;
  DirectDrawPresentation presentation;
  PaletteTable palette{};
  std::optional<PaletteTable> given_palette;
};

TEST_F(DirectDrawTest, TheFrameIsStretchedOverTheWindow) {
  EXPECT_GE(presentation.rgb_bit_count(), 16u);
  ASSERT_TRUE(Present(QuadrantFrame()));
  EXPECT_EQ(QuadrantColour(0), RGB(255, 0, 0));
  EXPECT_EQ(QuadrantColour(1), RGB(0, 255, 0));
  EXPECT_EQ(QuadrantColour(2), RGB(0, 0, 255));
  EXPECT_EQ(QuadrantColour(3), RGB(255, 255, 255));
  // The corners show the shown part's corners, never the grey outside it.
  RECT r;
  GetClientRect(window.handle(), &r);
  EXPECT_EQ(WindowPixel(window.handle(), 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(WindowPixel(window.handle(), r.right - 1, r.bottom - 1), RGB(255, 255, 255));
}

// The computed palettes pack their first component into the low byte, which
// this display shows as blue: mode 1's index 0 is an orange-red pack(255,
// 64, 0) that appears blue-violet on screen.
TEST_F(DirectDrawTest, ComputedPalettesShowTheirFirstComponentAsBlue) {
  palette = *initpal(1);
  ASSERT_TRUE(Present(std::vector<std::uint8_t>((W + 1) * (H + 1), 0)));
  EXPECT_EQ(AtDepth(QuadrantColour(0)), AtDepth(RGB(0, 64, 255)));
  palette = *initpal(0);
  ASSERT_TRUE(Present(std::vector<std::uint8_t>((W + 1) * (H + 1), 63)));
  EXPECT_EQ(QuadrantColour(3), RGB(255, 0, 0));
}

TEST_F(DirectDrawTest, PresentingGoesOnAfterTheSurfacesAreLost) {
  ASSERT_TRUE(Present(QuadrantFrame()));
  // Another program taking the display: the application loses and regains
  // activation, which costs an exclusive-mode program its surfaces.
  SendMessageA(window.handle(), WM_ACTIVATEAPP, FALSE, 0);
  PumpMessages();
  SendMessageA(window.handle(), WM_ACTIVATEAPP, TRUE, 0);
  PumpMessages();
  const bool lost = presentation.primary_surface()->IsLost() == DDERR_SURFACELOST ||
                    presentation.back_surface()->IsLost() == DDERR_SURFACELOST;
  EXPECT_TRUE(lost);
  // DirectDraw minimised the window when it lost the display; the user
  // brings it back.
  ShowWindow(window.handle(), SW_RESTORE);
  PumpMessages();

  palette[5] = 0x00FFFF;  // cyan, red, green, blue
  palette[6] = 0xFF0000;
  palette[7] = 0x00FF00;
  palette[8] = 0x0000FF;
  bool shown = false;
  for (int frame = 0; frame < 10 && !shown; ++frame) shown = Present(QuadrantFrame(4));
  ASSERT_TRUE(shown);
  EXPECT_EQ(QuadrantColour(0), RGB(0, 255, 255));
  EXPECT_EQ(QuadrantColour(3), RGB(0, 0, 255));
}

// A change of display depth loses the surfaces for good: they are made anew
// in the new format, and the palette goes to 5-6-5 for the 16-bit mode.
TEST_F(DirectDrawTest, ADisplayChangeTo16BitsRemakesTheSurfaces) {
  ASSERT_TRUE(Present(QuadrantFrame()));
  const std::uint32_t first_bits = presentation.rgb_bit_count();
  if (FAILED(presentation.direct_draw()->SetDisplayMode(GetSystemMetrics(SM_CXSCREEN),
                                                        GetSystemMetrics(SM_CYSCREEN), 16, 0, 0))) {
    GTEST_SKIP() << "this display offers no 16-bit mode";
  }
  PumpMessages();
  bool shown = false;
  for (int frame = 0; frame < 10 && !shown; ++frame) shown = Present(QuadrantFrame());
  EXPECT_TRUE(shown);
  EXPECT_EQ(presentation.rgb_bit_count(), 16u);
  // 5-6-5 keeps the top bits of each component.
  EXPECT_EQ(AtDepth(QuadrantColour(0)), RGB(0xF8, 0, 0));
  EXPECT_EQ(AtDepth(QuadrantColour(1)), RGB(0, 0xFC, 0));
  EXPECT_EQ(AtDepth(QuadrantColour(2)), RGB(0, 0, 0xF8));

  presentation.direct_draw()->RestoreDisplayMode();
  PumpMessages();
  shown = false;
  for (int frame = 0; frame < 10 && !shown; ++frame) shown = Present(QuadrantFrame());
  EXPECT_TRUE(shown);
  EXPECT_EQ(presentation.rgb_bit_count(), first_bits);
  EXPECT_EQ(QuadrantColour(3), RGB(255, 255, 255));
}

// Presentation through a DirectDraw object that refuses a second primary
// surface while the first is held, as Windows' does and Wine's does not.
class DirectDrawWithOnePrimary : public DirectDrawTest {
 protected:
  bool Init() override {
    ComOwner<IDirectDraw7> direct_draw = testing::OnePrimaryDirectDraw::Create();
    stand_in = static_cast<testing::OnePrimaryDirectDraw*>(direct_draw.get());
    return stand_in && presentation.DDInit(std::move(direct_draw), window.handle());
  }
  testing::OnePrimaryDirectDraw* stand_in = nullptr;  // owned by the presentation
};

// After a change of mode the surfaces cannot be restored; the first frame
// after it makes them anew and shows, with no frame lost: the old primary
// surface is let go before the new one is asked for.
TEST_F(DirectDrawWithOnePrimary, TheFirstFrameAfterADisplayChangeShows) {
  ASSERT_TRUE(Present(QuadrantFrame()));
  const std::uint32_t first_bits = presentation.rgb_bit_count();
  const DWORD other_bits = first_bits == 16 ? 32 : 16;
  ASSERT_EQ(presentation.direct_draw()->SetDisplayMode(
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), other_bits, 0, 0),
            DD_OK);
  PumpMessages();
  EXPECT_TRUE(Present(QuadrantFrame())) << "the first frame in the new mode";
  EXPECT_EQ(presentation.rgb_bit_count(), other_bits);
  EXPECT_EQ(AtDepth(QuadrantColour(3)), AtDepth(RGB(255, 255, 255)));

  presentation.direct_draw()->RestoreDisplayMode();
  PumpMessages();
  EXPECT_TRUE(Present(QuadrantFrame())) << "the first frame back in the old mode";
  EXPECT_EQ(presentation.rgb_bit_count(), first_bits);
  EXPECT_EQ(QuadrantColour(0), RGB(255, 0, 0));
  EXPECT_EQ(stand_in->refused(), 0) << "primary surfaces asked for while one was held";
}

// How far DirectDraw comes, which decides between it and GDI for a run.
class DirectDrawStartTest : public DirectDrawTest {
 protected:
  bool Init() override { return true; }
};

TEST_F(DirectDrawStartTest, TheSystemsDirectDrawIsReady) {
  EXPECT_EQ(presentation.start(), DirectDrawStart::kUnavailable) << "before DDInit";
  EXPECT_TRUE(presentation.DDInit(window.handle()));
  EXPECT_EQ(presentation.start(), DirectDrawStart::kReady);
}

// Windows NT 4 and Windows 95 without DirectX 7: the library is missing, or
// it lacks DirectDrawCreateEx.
TEST_F(DirectDrawStartTest, WithoutTheLibraryOrItsEntryThereIsNoDirectDraw) {
  for (const char* library : {"velkaro_no_such_ddraw.dll", "kernel32.dll"}) {
    EXPECT_FALSE(presentation.DDInitFrom(library, window.handle())) << library;
    EXPECT_EQ(presentation.start(), DirectDrawStart::kUnavailable) << library;
    EXPECT_EQ(presentation.direct_draw(), nullptr) << library;
    GivePalette();
    EXPECT_FALSE(presentation.render({QuadrantFrame().data(), W, H})) << library;
  }
}

// Exclusive mode without full screen is refused, as every exclusive mode is
// in a remote session.
TEST_F(DirectDrawStartTest, ARefusedCooperativeLevelIsTold) {
  constexpr std::uint32_t kExclusiveAlone = 16;  // DDSCL_EXCLUSIVE
  EXPECT_FALSE(presentation.DDInit(window.handle(), kExclusiveAlone));
  EXPECT_EQ(presentation.start(), DirectDrawStart::kRefused);
}

}  // namespace
}  // namespace velkaro
