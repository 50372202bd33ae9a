#include <gtest/gtest.h>

#include "button_draw_fixture_win32.h"
#include "controls/button_colors.h"

namespace velkaro {
namespace {

int Distance(COLORREF a, COLORREF b) {
  return std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) +
         std::abs(BlueOf(a) - BlueOf(b));
}

class ButtonPaint : public ::testing::Test {
 protected:
  FixedAmbientValues ambient_;
  ParentWindow parent_{400, 300};
};

TEST_F(ButtonPaint, GradientMode2RunsFromGradientColourOnTheLeft) {
  auto button = MakeButton(parent_, ambient_, 100, 24);
  ASSERT_TRUE(button);
  ButtonControl& control = button->Control();
  control.SetDelayDrawing(true);
  control.SetCaption("");
  control.SetButtonStyle(ButtonStyleKind::ThinBevel);  // edges only on the outermost pixels
  control.SetBackColor(Rgb(255, 0, 0));
  control.SetGradientColor(Rgb(0, 0, 255));
  control.SetGradientMode(GradientModeKind::RightToLeft);
  control.SetDelayDrawing(false);
  HDC dc = button->OffscreenDc();
  EXPECT_LE(Distance(GetPixel(dc, 1, 12), Rgb(0, 0, 255)), 12);
  EXPECT_LE(Distance(GetPixel(dc, 98, 12), Rgb(255, 0, 0)), 12);
}

TEST_F(ButtonPaint, KeyedBitmapLeavesNoMagenta) {
  auto button = MakeButton(parent_, ambient_, 80, 40);
  ASSERT_TRUE(button);
  ButtonControl& control = button->Control();
  control.SetCaption("");
  for (int size : {0, 2, 3, 4}) {  // 16, 32, 40 (stretched) and 48 (fitted)
    for (bool enabled : {true, false}) {
      control.SetDelayDrawing(true);
      control.SetPicture(PictureFromBitmap(MakeKeyedBitmap(16, 16, 0xFF00FF, 0x00C000, 4)));
      control.SetPictureSize(size);
      control.SetEnabled(enabled);
      control.SetDelayDrawing(false);
      HDC dc = button->OffscreenDc();
      int magenta = 0, green = 0;
      for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) {
          const COLORREF c = GetPixel(dc, x, y);
          magenta += c == 0xFF00FF;
          green += c == 0x00C000;
        }
      EXPECT_EQ(magenta, 0) << "size " << size << " enabled " << enabled;
      if (enabled) {
        EXPECT_GT(green, 0) << "size " << size;
      }
    }
  }
}

// A disabled picture is a flat embossed shape, whatever its colours: a
// picture of mid-tones leaves only the two emboss colours and the face.
TEST_F(ButtonPaint, ADisabledPictureOfMidTonesShowsOnlyTheEmbossColours) {
  auto button = MakeButton(parent_, ambient_, 80, 40);
  ASSERT_TRUE(button);
  ButtonControl& control = button->Control();
  control.SetDelayDrawing(true);
  control.SetCaption("");
  control.SetButtonStyle(ButtonStyleKind::ThinBevel);  // edges only on the outermost pixels
  control.SetBackColor(Rgb(255, 255, 255));
  // Keyed on its top-left grey, with a square of a grey whose bits alternate,
  // which a colour source would mix with the brush bit by bit.
  control.SetPicture(PictureFromBitmap(MakeKeyedBitmap(24, 24, 0x606060, 0x555555, 3)));
  control.SetEnabled(false);
  control.SetDelayDrawing(false);
  const COLORREF light = ShadeColor(0xC0C0C0, 36), dark = ShadeColor(0xC0C0C0, -36);
  HDC dc = button->OffscreenDc();
  int lights = 0, darks = 0, others = 0;
  for (int y = 2; y < 38; ++y)
    for (int x = 2; x < 78; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      lights += c == light;
      darks += c == dark;
      others += c != light && c != dark && c != 0xFFFFFF;
    }
  EXPECT_EQ(others, 0) << "colours besides the emboss colours and the face";
  EXPECT_GT(darks, 0);
  EXPECT_GT(lights, 0);
}

TEST_F(ButtonPaint, DisabledCaptionIsEtchedWhiteUnderGrey) {
  auto button = MakeButton(parent_, ambient_, 90, 30);
  ASSERT_TRUE(button);
  ButtonControl& control = button->Control();
  control.SetDelayDrawing(true);
  control.SetBackColor(Rgb(0, 0, 160));
  control.SetCaption("HHHH");
  control.SetEnabled(false);
  control.SetDelayDrawing(false);
  HDC dc = button->OffscreenDc();
  const Rect c = control.Layout().caption;
  int grey_over_white = 0, grey = 0;
  for (int y = c.top; y < c.bottom; ++y)
    for (int x = c.left; x < c.right; ++x) {
      if (GetPixel(dc, x, y) != 0x808080) continue;
      ++grey;
      grey_over_white += GetPixel(dc, x + 1, y + 1) == 0xFFFFFF;
    }
  EXPECT_GT(grey, 0);
  EXPECT_GT(grey_over_white, 0);
  // No grey text one pixel up-left of the white: the white pass is the lower one.
  EXPECT_EQ(GetPixel(dc, c.left - 1, c.top - 1) == 0xFFFFFF, false);
}

bool Inside(HWND window, int x, int y) {
  GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, region.get()) == ERROR) return false;
  return PtInRegion(region.get(), x, y) != 0;
}

TEST_F(ButtonPaint, WindowRegionsFollowShapeAndStyle) {
  auto button = MakeButton(parent_, ambient_, 60, 20);
  ASSERT_TRUE(button);
  ButtonControl& control = button->Control();
  HWND w = button->Handle();

  control.SetButtonStyle(ButtonStyleKind::BlackFrame);  // corner pixels cut
  EXPECT_FALSE(Inside(w, 0, 0));
  EXPECT_TRUE(Inside(w, 1, 0));
  EXPECT_FALSE(Inside(w, 59, 19));
  EXPECT_TRUE(Inside(w, 59, 18));

  control.SetButtonStyle(ButtonStyleKind::ShadedFace);  // triangles cut
  EXPECT_FALSE(Inside(w, 1, 0));
  EXPECT_FALSE(Inside(w, 0, 18));
  EXPECT_TRUE(Inside(w, 3, 3));

  control.SetButtonStyle(ButtonStyleKind::ClassicBevel);
  control.SetButtonShape(ButtonShapeKind::LeftSlanted);  // left edge slanted by 21
  EXPECT_FALSE(Inside(w, 3, 17));
  EXPECT_TRUE(Inside(w, 19, 17));
  EXPECT_TRUE(Inside(w, 1, 0));
  EXPECT_TRUE(Inside(w, 59, 19));

  control.SetButtonShape(ButtonShapeKind::Parallelogram);
  EXPECT_FALSE(Inside(w, 57, 1));
  EXPECT_TRUE(Inside(w, 30, 10));

  control.SetButtonShape(ButtonShapeKind::EllipseShadedRim);
  EXPECT_FALSE(Inside(w, 0, 0));
  EXPECT_FALSE(Inside(w, 59, 19));
  EXPECT_TRUE(Inside(w, 30, 10));
  EXPECT_TRUE(Inside(w, 1, 10));
}

TEST_F(ButtonPaint, NarrowSlantedButtonGrows) {
  auto button = MakeButton(parent_, ambient_, 24, 20);
  ASSERT_TRUE(button);
  button->Control().SetButtonShape(ButtonShapeKind::LeftSlanted);
  RECT client{};
  GetClientRect(button->Handle(), &client);
  EXPECT_EQ(client.right, 29);
  EXPECT_EQ(button->Control().Layout().left_slant_offset, 21);
}

TEST_F(ButtonPaint, SystemFaceColourIsFollowed) {
  auto button = MakeButton(parent_, ambient_, 60, 30);
  ASSERT_TRUE(button);
  ButtonControl& control = button->Control();
  control.SetCaption("");
  ASSERT_EQ(control.BackColor(), kButtonFaceColor);
  EXPECT_EQ(GetPixel(button->OffscreenDc(), 30, 15), GetSysColor(COLOR_BTNFACE));

  const INT element = COLOR_BTNFACE;
  const COLORREF original = GetSysColor(COLOR_BTNFACE), changed = Rgb(10, 200, 30);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));
  button->PrepareDrawingResources(DrawingTopic::BackColor);
  control.Refresh();
  const COLORREF seen = GetPixel(button->OffscreenDc(), 30, 15);
  SetSysColors(1, &element, &original);
  EXPECT_EQ(seen, changed);
}

TEST_F(ButtonPaint, EveryGdiObjectIsReleased) {
  HANDLE process = GetCurrentProcess();
  auto cycle = [&] {
    auto button = MakeButton(parent_, ambient_, 70, 26);
    ButtonControl& control = button->Control();
    control.SetPicture(PictureFromBitmap(MakeKeyedBitmap(16, 16, 0xFF00FF, 0x0000FF, 3)));
    control.SetButtonShape(ButtonShapeKind::EllipseRimHiddenWhileHeld);
    control.SetGradientMode(GradientModeKind::TopToBottom);
    control.SetEnabled(false);
    control.SetCaption("&Go||on");
  };
  cycle();
  const DWORD before = GetGuiResources(process, GR_GDIOBJECTS);
  for (int i = 0; i < 20; ++i) cycle();
  const DWORD after = GetGuiResources(process, GR_GDIOBJECTS);
  // Wine may not count GDI objects; where it does, none may leak.
  if (before != 0) {
    EXPECT_LE(after, before + 2);
  }
}

}  // namespace
}  // namespace velkaro
