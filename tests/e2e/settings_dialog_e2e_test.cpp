// The settings dialog of the real executable, driven with real input under
// Wine: what it shows, and what it leaves in Velkaro.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/text_cp932.h"
#include "controls/button_colors.h"
#include "controls/button_look.h"
#include "controls/button_paint_plan.h"
#include "settings_dialog/dialog_geometry.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/settings_file_bytes.h"

namespace velkaro::testing {
namespace {

constexpr DWORD kShowMs = 20000;
constexpr DWORD kCloseMs = 15000;

// The file as the system's profile functions write it; Wine drops the space
// before each number.
std::string WrittenIni(int random, int pattern, int kind, int repeat, const std::string& file) {
  return "[Section]\r\n" + IniLine(kRandomKey, std::to_string(random)) +
         IniLine(kPatternKey, std::to_string(pattern)) +
         IniLine(kKindKey, std::to_string(kind)) + IniLine(kRepeatKey, std::to_string(repeat)) +
         IniLine(kFileKey, file);
}

void PressAt(POINT at, DWORD down, DWORD up) {
  SetCursorPos(at.x, at.y);
  Sleep(50);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = down;
  inputs[1].mi.dwFlags = up;
  SendInput(2, inputs, sizeof inputs[0]);
  Sleep(300);  // let the dialog handle it before the next step
}

struct ChildSearch {
  const char* class_name;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChildClass(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, search->class_name) != 0) return TRUE;
  search->found = child;
  return FALSE;
}

// The first window of this class among the children of parent, at any depth.
HWND FindChild(HWND parent, const char* class_name) {
  ChildSearch search{class_name};
  EnumChildWindows(parent, MatchChildClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class SettingsDialogE2e : public ::testing::Test {
 protected:
  // Starts the dialog and waits for it; false when it did not show.
  bool Open() {
    process_.emplace(folder_, "/c");
    dialog_ = process_->WaitForWindow(ToCp932(kSettingsWindowTitle), kShowMs);
    if (!dialog_) return false;
    Sleep(1500);  // the opening zoom
    POINT origin{0, 0};
    ClientToScreen(dialog_, &origin);
    client_ = origin;
    return true;
  }
  // The screen point at the middle of rect, given in the background panel or
  // in one of the two panels in it.
  POINT At(const DialogRect& rect, const DialogRect& panel = {0, 0, 0, 0}) const {
    return {client_.x + panel.left + rect.left + rect.width / 2,
            client_.y + panel.top + rect.top + rect.height / 2};
  }
  void Click(POINT at) { PressAt(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }
  void ClickThumbnail(int i) { Click(At(ThumbnailRect(i), kPatternPanel)); }
  void ClickRandomLabel() { Click(At({164, 12, 83, 13}, kPatternPanel)); }
  void PressMusicKind(int kind, DWORD down, DWORD up) {
    const int top[] = {28, 12, 44};
    PressAt(At({124, top[kind], 13, 13}, kMusicPanel), down, up);
  }
  void ClickSetting() { Click(At({400, 412, 89, 33})); }
  void ClickCancel() { Click(At({492, 412, 89, 33})); }
  bool Closes() { return process_->WaitForExit(kCloseMs); }

  SaverFolder folder_;
  std::optional<SaverProcess> process_;
  HWND dialog_ = nullptr;
  POINT client_{};
};

TEST_F(SettingsDialogE2e, ShowsWithItsCaptionCentredAcrossAndAThirdDown) {
  ASSERT_TRUE(Open());
  RECT r{};
  GetWindowRect(dialog_, &r);
  const DialogRect expected =
      DialogWindowRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(r.left, expected.left);
  EXPECT_EQ(r.top, expected.top);
  EXPECT_EQ(r.right - r.left, 611);
  EXPECT_EQ(r.bottom - r.top, 494);
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), nullptr);
  ClickCancel();
  EXPECT_TRUE(Closes());
}

TEST_F(SettingsDialogE2e, AThumbnailThenSettingStoresThePatternWithRandomOff) {
  folder_.WriteIni("[Section]\r\n" + kRandomKey + "= 1\r\n");
  ASSERT_TRUE(Open());
  ClickThumbnail(19);
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(0, 19, 0, 0, ""));
}

TEST_F(SettingsDialogE2e, OneToggleTicksRandomAndASecondUnticksIt) {
  ASSERT_TRUE(Open());
  ClickRandomLabel();
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(1, 0, 0, 0, ""));

  ASSERT_TRUE(Open());
  ClickRandomLabel();
  ClickRandomLabel();
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(1, 0, 0, 0, ""));
}

TEST_F(SettingsDialogE2e, TheRightButtonChoosesTheCdAndEnablesTheTrackList) {
  ASSERT_TRUE(Open());
  HWND track_list = FindChild(dialog_, "ComboBox");
  ASSERT_NE(track_list, nullptr);
  EXPECT_FALSE(IsWindowEnabled(track_list));
  PressMusicKind(1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(IsWindowEnabled(track_list));
  SetWindowTextA(track_list, "5");
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(0, 0, 1, 5, ""));
}

TEST_F(SettingsDialogE2e, AMusicFileChoiceWithoutAFileStoresAnEmptyPath) {
  ASSERT_TRUE(Open());
  PressMusicKind(2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(0, 0, 2, 0, ""));
}

TEST_F(SettingsDialogE2e, AFileChosenInTheOpenDialogIsStored) {
  const std::string song = folder_.path() + "\\song.mp3";
  CloseHandle(CreateFileA(song.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(Open());
  PressMusicKind(2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  Click(At({208, 40, 41, 25}, kMusicPanel));
  HWND chooser = process_->WaitForWindow(ToCp932("ﾌｧｲﾙを開く"), kShowMs);
  ASSERT_NE(chooser, nullptr);
  HWND name = FindChild(chooser, "Edit");
  ASSERT_NE(name, nullptr);
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(song.c_str()));
  PostMessageA(chooser, WM_COMMAND, IDOK, 0);
  Sleep(1500);
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(0, 0, 2, 0, song));
}

TEST_F(SettingsDialogE2e, CancelAfterSeveralChangesLeavesTheFileAsItWas) {
  const std::string bytes = "[Section]\r\n" + kPatternKey + "= 4\r\n; hand-written\r\n";
  folder_.WriteIni(bytes);
  ASSERT_TRUE(Open());
  ClickThumbnail(7);
  ClickRandomLabel();
  PressMusicKind(1, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  ClickCancel();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), bytes);
}

TEST_F(SettingsDialogE2e, TheCloseCommandWritesNothing) {
  ASSERT_TRUE(Open());
  ClickThumbnail(3);
  PostMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), "");
}

struct OtherWindowSearch {
  DWORD process_id;
  HWND known;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectOtherWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<OtherWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process_id && window != search.known && IsWindowVisible(window) &&
      std::find(search.found->begin(), search.found->end(), window) == search.found->end())
    search.found->push_back(window);
  return TRUE;
}

// Clears a file's read-only attribute when the test ends, however it ends,
// so that the folder can be removed.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(std::string path) : path_(std::move(path)) {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  ~ReadOnlyFile() { SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

 private:
  std::string path_;
};

TEST_F(SettingsDialogE2e, SettingOnAReadOnlyFileClosesQuietlyAndLeavesTheFileAsItWas) {
  const std::string bytes =
      "[Section]\r\n" + kPatternKey + "= 4\r\n" + kRandomKey + "= 1\r\n; kept by hand\r\n";
  folder_.WriteIni(bytes);
  const ReadOnlyFile read_only(folder_.ini());
  ASSERT_TRUE(Open());
  ClickThumbnail(11);
  ClickSetting();
  // Until the process ends, no window but the dialog may show: no message
  // box, no second window.
  std::vector<HWND> others;
  OtherWindowSearch search{process_->process_id(), dialog_, &others};
  bool ended = false;
  for (const DWORD start = GetTickCount(); !ended && GetTickCount() - start < kCloseMs;) {
    EnumWindows(CollectOtherWindow, reinterpret_cast<LPARAM>(&search));
    ended = process_->WaitForExit(20);
  }
  ASSERT_TRUE(ended);
  EXPECT_EQ(process_->exit_code(), 0u);
  EXPECT_TRUE(others.empty()) << others.size() << " other window(s) showed";
  EXPECT_EQ(folder_.ReadIni(), bytes);
  EXPECT_NE(GetFileAttributesA(folder_.ini().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(GetFileAttributesA((folder_.ini() + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES)
      << "a staging copy was left behind";
}

TEST_F(SettingsDialogE2e, ASecondStartWhileItIsOpenEndsAtOnce) {
  ASSERT_TRUE(Open());
  for (const char* line : {"/p 1234", "/s", "/c"}) {
    SaverFolder other;
    const SaverRun run = RunSaver(other, line, 8000);
    EXPECT_TRUE(run.ended) << line;
    EXPECT_TRUE(run.window_titles.empty()) << line;
  }
  ClickCancel();
  EXPECT_TRUE(Closes());
}

// --- The looks of the dialog's buttons, read from the screen -----------------

// Screen pixels of a window's rectangle as colour references (0x00BBGGRR),
// rows top to bottom.
struct ScreenBlock {
  int width = 0, height = 0;
  std::vector<COLORREF> values;
  COLORREF at(int x, int y) const { return values[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
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
          const ButtonPoint a = op.points[i], b = op.points[i + 1];
          const bool on_vertical = a.x == b.x && x == a.x && y >= std::min(a.y, b.y) &&
                                   y <= std::max(a.y, b.y) && y != b.y;
          const bool on_horizontal = a.y == b.y && y == a.y && x >= std::min(a.x, b.x) &&
                                     x <= std::max(a.x, b.x) && x != b.x;
          if (on_vertical || on_horizontal) colour = op.colour;
        }
        break;
      default:
        break;
    }
  }
  return colour;
}

// Points on the face beside the caption and on each side of the two inner
// rings, where nothing but the face and edges is drawn.
std::vector<POINT> LookProbes(int w, int h) {
  return {{5, h / 2}, {5, 4}, {5, h - 5}, {2, h / 2}, {1, h / 2}, {w / 2, 2}, {w / 2, 1},
          {w - 3, h / 2}, {w - 2, h / 2}, {w / 2, h - 3}, {w / 2, h - 2}};
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
    for (DWORD start = GetTickCount(); GetTickCount() - start < 3000; Sleep(50)) {
      block = ReadScreen(rect);
      mismatches = LookMismatches(block, look);
      if (mismatches.empty()) break;
    }
    if (seen) *seen = block;
    return mismatches;
  }
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
  ASSERT_NE(ButtonAt(At({492, 412, 89, 33}), rect), nullptr);
  MoveTo(Backdrop());
  const ButtonLook normal = StoredLook(rect, 0), hover = StoredLook(rect, kStateOver);
  EXPECT_EQ(WaitForLook(rect, normal), "");
  // The test would prove nothing if both looks were the same on every probe.
  const auto probes = LookProbes(normal.width, normal.height);
  EXPECT_TRUE(std::any_of(probes.begin(), probes.end(), [&](POINT p) {
    return PlannedColour(normal, p.x, p.y) != PlannedColour(hover, p.x, p.y);
  }));

  MoveTo(At({492, 412, 89, 33}));
  EXPECT_EQ(WaitForLook(rect, hover), "") << "over the button";
  MoveTo(Backdrop());
  EXPECT_EQ(WaitForLook(rect, normal), "") << "after the mouse left";
  ClickCancel();
  EXPECT_TRUE(Closes());
}

TEST_F(DialogButtonLooks, HoldingTheLeftButtonShowsThePressedLookAndShiftsTheCaption) {
  folder_.WriteIni("[Section]\r\n" + kPatternKey + "= 4\r\n");
  ASSERT_TRUE(Open());
  const POINT centre = At({492, 412, 89, 33});
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

TEST_F(DialogButtonLooks, TabAndTheArrowKeysMoveTheFocusLookBetweenTheButtons) {
  ASSERT_TRUE(Open());
  RECT setting{}, cancel{};
  ASSERT_NE(ButtonAt(At({400, 412, 89, 33}), setting), nullptr);
  ASSERT_NE(ButtonAt(At({492, 412, 89, 33}), cancel), nullptr);
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
  ASSERT_NE(ButtonAt(At({208, 40, 41, 25}, kMusicPanel), rect), nullptr);
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
