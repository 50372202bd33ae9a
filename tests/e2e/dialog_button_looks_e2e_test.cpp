// The looks of the dialog's buttons on the screen of the real executable
// under Wine: hover, pressed, focus and disabled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/button_colors.h"
#include "controls/button_look.h"
#include "controls/button_paint_plan.h"
#include "e2e/settings_dialog_driver.h"

namespace velkaro::testing {
namespace {

// --- The looks of the dialog's buttons, read from the screen -----------------

// Screen pixels of a window's rectangle as colour references (0x00BBGGRR),
// rows top to bottom.
struct ScreenBlock {
  int width = 0, height = 0;
  std::vector<COLORREF> values;
  COLORREF at(int x, int y) const {
    return values[std::size_t(y) * std::size_t(width) + std::size_t(x)];
  }
};

ScreenBlock ReadScreen(const RECT& rect) {
  ScreenBlock block{rect.right - rect.left, rect.bottom - rect.top, {}};
  block.values.resize(std::size_t(block.width) * std::size_t(block.height));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = block.width;
  info.bmiHeader.biHeight = -block.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP target = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, target);
  BitBlt(memory, 0, 0, block.width, block.height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* words = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < block.values.size(); ++i) {
    const std::uint32_t v = words[i];  // 0x00RRGGBB in a DIB
    block.values[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  SelectObject(memory, old);
  DeleteObject(target);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return block;
}

// The look the dialog's buttons are meant to have in a state: the shaded face,
// rectangular, a white face (and hover face) and black captions.
ButtonLook StoredLook(const RECT& rect, std::int16_t state_flags, bool enabled = true) {
  ButtonLook look;
  look.width = rect.right - rect.left;
  look.height = rect.bottom - rect.top;
  look.style = ButtonStyleKind::ShadedFace;
  look.enabled = enabled;
  look.state_flags = state_flags;
  look.hovering = (state_flags & kStateOver) != 0;
  look.colours = ComputeDrawingColours(0xFFFFFF, 0xFFFFFF, ButtonStyleKind::ShadedFace, 0);
  look.fore_rgb = look.hover_fore_rgb = 0;
  look.layout.right_slant_position = look.width;
  return look;
}

// The colour the face and edge plans leave at (x, y), replaying boxes,
// straight lines (without their end points, as GDI draws them) and pixels.
std::optional<ColorRef> PlannedColour(const ButtonLook& look, int x, int y) {
  PaintPlan plan = PlanFace(look).ops;
  const PaintPlan edges = PlanEdges(look);
  plan.insert(plan.end(), edges.begin(), edges.end());
  std::optional<ColorRef> colour;
  for (const DrawOp& op : plan) {
    switch (op.kind) {
      case DrawOp::Kind::Box:
        if (x >= op.rect.left && x < op.rect.right && y >= op.rect.top && y < op.rect.bottom)
          colour = op.colour;
        break;
      case DrawOp::Kind::Pixel:
        if (op.points[0].x == x && op.points[0].y == y) colour = op.colour;
        break;
      case DrawOp::Kind::Polyline:
        for (std::size_t i = 0; i + 1 < op.points.size(); ++i) {
          const Point a = op.points[i], b = op.points[i + 1];
          const bool on_vertical = a.x == b.x && x == a.x && y >= std::min(a.y, b.y) &&
                                   y <= std::max(a.y, b.y) && y != b.y;
          const bool on_horizontal = a.y == b.y && y == a.y && x >= std::min(a.x, b.x) &&
                                     x <= std::max(a.x, b.x) && x != b.x;
          if (on_vertical || on_horizontal) colour = op.colour;
        }
        break;
      default: break;
    }
  }
  return colour;
}

// Points on the face beside the caption and on each side of the two inner
// rings, where nothing but the face and edges is drawn.
std::vector<POINT> LookProbes(int w, int h) {
  return {{5, h / 2}, {5, 4},         {5, h - 5},     {2, h / 2},     {1, h / 2},    {w / 2, 2},
          {w / 2, 1}, {w - 3, h / 2}, {w - 2, h / 2}, {w / 2, h - 3}, {w / 2, h - 2}};
}

// Every probe whose pixel on the screen is not what the look plans, as text.
std::string LookMismatches(const ScreenBlock& seen, const ButtonLook& look) {
  std::string mismatches;
  for (const POINT p : LookProbes(look.width, look.height)) {
    const auto planned = PlannedColour(look, p.x, p.y);
    if (planned && seen.at(p.x, p.y) != *planned) {
      char line[96];
      snprintf(line, sizeof line, " (%ld,%ld) seen %06lX planned %06lX", p.x, p.y,
               static_cast<unsigned long>(seen.at(p.x, p.y)), static_cast<unsigned long>(*planned));
      mismatches += line;
    }
  }
  return mismatches;
}

// The box around the caption's dark pixels inside the rings.
RECT CaptionInk(const ScreenBlock& seen) {
  RECT ink{seen.width, seen.height, -1, -1};
  for (int y = 3; y < seen.height - 3; ++y)
    for (int x = 3; x < seen.width - 3; ++x) {
      const COLORREF c = seen.at(x, y);
      if (GetRValue(c) >= 128 && GetGValue(c) >= 128 && GetBValue(c) >= 128) continue;
      ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
             std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
    }
  return ink;
}

struct ButtonSearch {
  POINT at;
  HWND found = nullptr;
};

BOOL CALLBACK MatchButtonAt(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ButtonSearch*>(data);
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  RECT rect{};
  GetWindowRect(child, &rect);
  if (lstrcmpA(name, "Velkaro_hbButtons_H") != 0 || !PtInRect(&rect, search->at)) return TRUE;
  search->found = child;
  return FALSE;
}

// --- The colours of the "Setting" button, worked out by hand ------------------

// A pixel of the button, in its own coordinates, and the colour it must have.
struct HandPixel {
  int x, y;
  COLORREF colour;
  const char* what;
};

// The dialog's buttons are 89 x 33 with a white face: shading white lighter
// keeps it white, so the face, the hover face and the rim colours are white
// darkened by some step, blue by step x 255 / 192 rounded toward zero.
// The face darkens by 25/33 per row, rounded to the nearest integer.
constexpr COLORREF kDarkBlueFrame = RGB(0, 60, 115);
const std::vector<HandPixel> kNormalPixels = {
    {5, 16, RGB(243, 243, 240), "face row 16: white darkened by 12 (blue by 15)"},
    {5, 28, RGB(234, 234, 228), "face row 28: white darkened by 21 (blue by 27)"},
    {2, 16, RGB(245, 245, 242), "inner left rim: white darkened by 10 (blue by 13)"},
    {44, 2, RGB(255, 255, 255), "inner top rim: white lightened, still white"},
    {86, 16, RGB(231, 231, 224), "inner right rim: white darkened by 24 (blue by 31)"},
    {44, 30, RGB(223, 223, 213), "inner bottom rim: white darkened by 32 (blue by 42)"},
    {1, 16, RGB(250, 250, 249), "middle left rim: white darkened by 5 (blue by 6)"},
    {44, 1, RGB(255, 255, 255), "middle top rim: white lightened, still white"},
    {87, 16, RGB(219, 219, 208), "middle right rim: white darkened by 36 (blue by 47)"},
    {44, 31, RGB(207, 207, 192), "middle bottom rim: white darkened by 48 (blue by 63)"},
    {0, 16, kDarkBlueFrame, "outer frame"},
    {1, 1, kDarkBlueFrame, "corner pixel rounding the frame"},
    {87, 31, kDarkBlueFrame, "corner pixel rounding the frame"},
};
// Under the mouse the face stays (the hover colour is white too) and the rims
// turn to fixed warm oranges.
const std::vector<HandPixel> kHoverPixels = {
    {5, 16, RGB(243, 243, 240), "face row 16, as without the mouse"},
    {2, 16, RGB(255, 203, 107), "inner left rim: fixed orange"},
    {44, 2, RGB(255, 219, 140), "inner top rim: fixed light orange"},
    {86, 16, RGB(255, 203, 107), "inner right rim: fixed orange"},
    {44, 30, RGB(255, 178, 49), "inner bottom rim: fixed deep orange"},
    {1, 16, RGB(255, 178, 49), "middle left rim: fixed deep orange"},
    {44, 1, RGB(255, 233, 166), "middle top rim: fixed pale orange"},
    {87, 16, RGB(255, 178, 49), "middle right rim: fixed deep orange"},
    {44, 31, RGB(231, 150, 0), "middle bottom rim: fixed dark orange"},
    {0, 16, kDarkBlueFrame, "outer frame"},
};
// Held down, the face is the pressed colour, white darkened by 32 (blue by
// 42): (223, 223, 213); the rims shade that pressed colour, blue by
// step x 213 / 192 rounded toward zero, except the inner right one, which
// is the white face.
const std::vector<HandPixel> kPressedPixels = {
    {5, 16, RGB(211, 211, 200), "face row 16: pressed colour darkened by 12 (blue by 13)"},
    {5, 28, RGB(202, 202, 190), "face row 28: pressed colour darkened by 21 (blue by 23)"},
    {2, 16, RGB(201, 201, 189), "inner left rim: pressed colour darkened by 22 (blue by 24)"},
    {44, 2, RGB(199, 199, 187), "inner top rim: pressed colour darkened by 24 (blue by 26)"},
    {86, 16, RGB(255, 255, 255), "inner right rim: the white face"},
    {44, 30, RGB(233, 233, 224), "inner bottom rim: pressed colour lightened by 10 (blue by 11)"},
    {1, 16, RGB(191, 191, 178), "middle left rim: pressed colour darkened by 32 (blue by 35)"},
    {44, 1, RGB(191, 191, 178), "middle top rim: pressed colour darkened by 32 (blue by 35)"},
    {87, 16, RGB(228, 228, 218), "middle right rim: pressed colour lightened by 5 (blue by 5)"},
    {44, 31, RGB(239, 239, 230), "middle bottom rim: pressed colour lightened by 16 (blue by 17)"},
    {0, 16, kDarkBlueFrame, "outer frame"},
};

// Every hand-computed pixel the screen does not show, as text, and whether
// the caption is drawn in black.
std::string HandMismatches(const ScreenBlock& seen, const std::vector<HandPixel>& pixels) {
  std::string mismatches;
  for (const HandPixel& p : pixels)
    if (seen.at(p.x, p.y) != p.colour) {
      char line[160];
      snprintf(line, sizeof line, " (%d,%d) %s: seen %06lX expected %06lX", p.x, p.y, p.what,
               static_cast<unsigned long>(seen.at(p.x, p.y)), static_cast<unsigned long>(p.colour));
      mismatches += line;
    }
  const RECT ink = CaptionInk(seen);
  bool black = false;
  for (int y = ink.top; y < ink.bottom; ++y)
    for (int x = ink.left; x < ink.right; ++x) black = black || seen.at(x, y) == RGB(0, 0, 0);
  if (!black) mismatches += " caption: no black pixel";
  return mismatches;
}

class DialogButtonLooks : public SettingsDialogE2e {
 protected:
  // The button control of the dialog under a screen point, enabled or not,
  // with its screen rectangle; null when there is none.
  HWND ButtonAt(POINT centre, RECT& rect) const {
    ButtonSearch search{centre};
    EnumChildWindows(dialog_, MatchButtonAt, reinterpret_cast<LPARAM>(&search));
    if (search.found) GetWindowRect(search.found, &rect);
    return search.found;
  }
  // The button's pixels once they show look (or the last ones seen), and
  // what still differs.
  std::string WaitForLook(const RECT& rect, const ButtonLook& look, ScreenBlock* seen = nullptr) {
    std::string mismatches;
    ScreenBlock block;
    WaitUntil(
        [&] {
          block = ReadScreen(rect);
          mismatches = LookMismatches(block, look);
          return mismatches.empty();
        },
        3000, 50);
    if (seen) *seen = block;
    return mismatches;
  }
  // What still differs from the hand-computed pixels once they show (or
  // after a while).
  std::string WaitForPixels(const RECT& rect, const std::vector<HandPixel>& pixels) {
    std::string mismatches;
    WaitUntil(
        [&] {
          mismatches = HandMismatches(ReadScreen(rect), pixels);
          return mismatches.empty();
        },
        3000, 50);
    return mismatches;
  }
  // The dialog, another process, gives no sign that it has taken the input:
  // each step keeps a fixed pause before the next, and the looks are then
  // waited for.
  void MoveTo(POINT at) {
    SetCursorPos(at.x - 1, at.y);
    MoveMouseBy(1, 0);  // a move through the input queue, as a hand gives it
    Sleep(200);
  }
  void SendButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
    Sleep(300);
  }
  void Key(WORD virtual_key) {
    PressKey(virtual_key);
    Sleep(300);
  }
  // A point on the dialog's background, away from every control.
  POINT Backdrop() const { return At({300, 420, 10, 10}); }
};

TEST_F(DialogButtonLooks, TheMouseOverCancelShowsTheHoverLookAndLeavingRestoresIt) {
  ASSERT_TRUE(Open());
  RECT rect{};
  ASSERT_NE(ButtonAt(At(kCancelButtonRect), rect), nullptr);
  MoveTo(Backdrop());
  const ButtonLook normal = StoredLook(rect, 0), hover = StoredLook(rect, kStateOver);
  EXPECT_EQ(WaitForLook(rect, normal), "");
  // The test would prove nothing if both looks were the same on every probe.
  const auto probes = LookProbes(normal.width, normal.height);
  EXPECT_TRUE(std::any_of(probes.begin(), probes.end(), [&](POINT p) {
    return PlannedColour(normal, p.x, p.y) != PlannedColour(hover, p.x, p.y);
  }));

  MoveTo(At(kCancelButtonRect));
  EXPECT_EQ(WaitForLook(rect, hover), "") << "over the button";
  MoveTo(Backdrop());
  EXPECT_EQ(WaitForLook(rect, normal), "") << "after the mouse left";
  ClickCancel();
  EXPECT_TRUE(Closes());
}

TEST_F(DialogButtonLooks, HoldingTheLeftButtonShowsThePressedLookAndShiftsTheCaption) {
  folder_.WriteIni("[Section]\r\n" + kPatternKey + "= 4\r\n");
  ASSERT_TRUE(Open());
  const POINT centre = At(kCancelButtonRect);
  RECT rect{};
  ASSERT_NE(ButtonAt(centre, rect), nullptr);
  MoveTo(centre);
  ScreenBlock before, during;
  EXPECT_EQ(WaitForLook(rect, StoredLook(rect, kStateOver), &before), "");

  SendButton(MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(WaitForLook(rect, StoredLook(rect, kStateFocus | kStatePressed | kStateOver), &during),
            "")
      << "held down";
  const RECT up = CaptionInk(before), down = CaptionInk(during);
  ASSERT_GT(up.right, up.left) << "no caption seen";
  EXPECT_EQ(down.left, up.left + 1);
  EXPECT_EQ(down.top, up.top + 1);
  EXPECT_EQ(down.right, up.right + 1);
  EXPECT_EQ(down.bottom, up.bottom + 1);

  // Released elsewhere it is no click: the dialog stays, with the focus on
  // the button that was pressed.
  MoveTo(Backdrop());
  SendButton(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(WaitForLook(rect, StoredLook(rect, kStateFocus)), "") << "focused after the press";
  EXPECT_FALSE(process_->WaitForExit(500));
  ClickCancel();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), "[Section]\r\n" + kPatternKey + "= 4\r\n");
}

TEST_F(DialogButtonLooks, SettingShowsItsFaceRimAndCaptionColoursNormalUnderTheMouseAndHeld) {
  ASSERT_TRUE(Open());
  const POINT centre = At(kSaveButtonRect);
  RECT rect{};
  ASSERT_NE(ButtonAt(centre, rect), nullptr);
  ASSERT_EQ(rect.right - rect.left, 89);
  ASSERT_EQ(rect.bottom - rect.top, 33);
  MoveTo(Backdrop());
  EXPECT_EQ(WaitForPixels(rect, kNormalPixels), "") << "normal";
  MoveTo(centre);
  EXPECT_EQ(WaitForPixels(rect, kHoverPixels), "") << "under the mouse";
  SendButton(MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(WaitForPixels(rect, kPressedPixels), "") << "held down";
  // Released away from the button it is no click: nothing is saved.
  MoveTo(Backdrop());
  SendButton(MOUSEEVENTF_LEFTUP);
  EXPECT_FALSE(process_->WaitForExit(500));
  ClickCancel();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), "");
}

TEST_F(DialogButtonLooks, TabAndTheArrowKeysMoveTheFocusLookBetweenTheButtons) {
  ASSERT_TRUE(Open());
  RECT setting{}, cancel{};
  ASSERT_NE(ButtonAt(At(kSaveButtonRect), setting), nullptr);
  ASSERT_NE(ButtonAt(At(kCancelButtonRect), cancel), nullptr);
  MoveTo(Backdrop());
  // With no music chosen the track list and "..." are disabled, so the first
  // tab stop is "Setting".
  Key(VK_TAB);
  EXPECT_EQ(WaitForLook(setting, StoredLook(setting, kStateFocus)), "") << "Tab";
  EXPECT_EQ(WaitForLook(cancel, StoredLook(cancel, 0)), "") << "Tab";
  Key(VK_RIGHT);
  EXPECT_EQ(WaitForLook(cancel, StoredLook(cancel, kStateFocus)), "") << "right arrow";
  EXPECT_EQ(WaitForLook(setting, StoredLook(setting, 0)), "") << "right arrow";
  Key(VK_LEFT);
  EXPECT_EQ(WaitForLook(setting, StoredLook(setting, kStateFocus)), "") << "left arrow";
  EXPECT_EQ(WaitForLook(cancel, StoredLook(cancel, 0)), "") << "left arrow";
  // The keys only moved the focus: nothing was clicked.
  EXPECT_FALSE(process_->WaitForExit(500));
  ClickCancel();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), "");
}

TEST_F(DialogButtonLooks, TheFileButtonLooksDisabledUntilTheMusicFileChoice) {
  ASSERT_TRUE(Open());
  RECT rect{};
  ASSERT_NE(ButtonAt(At(kFileButtonRect, kMusicPanel), rect), nullptr);
  MoveTo(Backdrop());
  EXPECT_EQ(WaitForLook(rect, StoredLook(rect, 0, false)), "") << "no music";
  PressMusicKind(2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  MoveTo(Backdrop());
  EXPECT_EQ(WaitForLook(rect, StoredLook(rect, 0, true)), "") << "music file";
  PressMusicKind(1, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  MoveTo(Backdrop());
  EXPECT_EQ(WaitForLook(rect, StoredLook(rect, 0, false)), "") << "audio CD";
  ClickCancel();
  EXPECT_TRUE(Closes());
}

}  // namespace
}  // namespace velkaro::testing
