// The preview as the Display Properties dialog sees it: a pane window of
// this test process, the real Velkaro.scr started with "/p <pane>", and what
// appears inside the pane.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/resource_ids.h"
#include "common/text_cp932.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"

namespace velkaro::testing {
namespace {

constexpr DWORD kAtOnceMs = 8000;     // start and end of a Wine process, with room
constexpr DWORD kShowsWithinMs = 10000;
constexpr COLORREF kPaneColour = RGB(0, 0, 255);  // a colour the fire still never has

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// The preview pane: a plain top-level window painted blue, kept above
// everything so that the screen shows what is drawn into it.
class Pane {
 public:
  Pane(int width, int height) {
    static const bool registered = [] {
      static HBRUSH blue = CreateSolidBrush(kPaneColour);
      WNDCLASSA pane_class{};
      pane_class.lpfnWndProc = DefWindowProcA;
      pane_class.hInstance = GetModuleHandleA(nullptr);
      pane_class.hbrBackground = blue;
      pane_class.lpszClassName = "VelkaroTestPane";
      return RegisterClassA(&pane_class) != 0;
    }();
    (void)registered;
    window_ = CreateWindowExA(WS_EX_TOPMOST, "VelkaroTestPane", "pane", WS_POPUP | WS_VISIBLE, kLeft, kTop,
                              width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
  }
  ~Pane() { Destroy(); }
  Pane(const Pane&) = delete;
  Pane& operator=(const Pane&) = delete;

  HWND handle() const { return window_; }
  std::string argument() const { return std::to_string(reinterpret_cast<std::intptr_t>(window_)); }
  void Destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
  }

  // The first child window once it shows with the pane's size, or the
  // child seen last (null for none) when that does not happen in time.
  HWND WaitForShownChild(DWORD timeout_ms) const {
    const DWORD start = GetTickCount();
    HWND child = nullptr;
    do {
      child = GetWindow(window_, GW_CHILD);
      RECT pane{}, form{};
      GetWindowRect(window_, &pane);
      GetWindowRect(child, &form);
      if (child && IsWindowVisible(child) && EqualRect(&pane, &form)) return child;
      PumpMessages();
      Sleep(20);
    } while (GetTickCount() - start < timeout_ms);
    return child;
  }

  static constexpr int kLeft = 40;
  static constexpr int kTop = 40;

 private:
  HWND window_ = nullptr;
};

// The still as Velkaro.scr carries it, read from the file as data.
std::optional<Pixels> EmbeddedStill() {
  HMODULE saver = LoadLibraryExA(SaverUnderTest().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!saver) return std::nullopt;
  std::optional<Pixels> pixels = BitmapResourcePixels(saver, VELKARO_RES_PREVIEW_STILL);
  FreeLibrary(saver);
  return pixels;
}

// Wine (8) keeps what another process draws into a child of a window of
// ours off the screen: the pane then shows only its own colour, and what
// the preview draws cannot be read back.
bool ScreenShowsOnlyThePane(const Pixels& seen) {
  return std::all_of(seen.values.begin(), seen.values.end(), [](std::uint32_t v) { return v == 0x0000FF; });
}

// The pane's pixels once they match `expected`, or the last ones seen.
Pixels WaitForPanePixels(const RECT& pane, const Pixels& expected, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  Pixels seen = ScreenPixels(pane);
  while (CountDifferent(seen, expected) != 0 && GetTickCount() - start < timeout_ms) {
    PumpMessages();
    Sleep(50);
    seen = ScreenPixels(pane);
  }
  return seen;
}

RECT RectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// Starts a preview in `pane` and expects its form to fill the pane.
HWND ExpectPreviewFillsPane(const Pane& pane, SaverProcess& saver) {
  const HWND form = pane.WaitForShownChild(kShowsWithinMs);
  if (!form) {
    ADD_FAILURE() << "no preview window appeared in the pane";
    return nullptr;
  }
  DWORD owner = 0;
  GetWindowThreadProcessId(form, &owner);
  EXPECT_EQ(owner, saver.process_id());
  const RECT pane_rect = RectOf(pane.handle()), form_rect = RectOf(form);
  EXPECT_TRUE(EqualRect(&pane_rect, &form_rect));
  EXPECT_TRUE(GetWindowLongA(form, GWL_STYLE) & WS_CHILD);
  char caption[64] = {};
  GetWindowTextA(form, caption, sizeof caption);
  EXPECT_STREQ(caption, "Preview Window");
  return form;
}

TEST(Preview, AStandardPaneShowsTheEmbeddedStillExactly) {
  const auto still = EmbeddedStill();
  ASSERT_TRUE(still);
  ASSERT_EQ(still->width, 152);
  ASSERT_EQ(still->height, 112);

  Pane pane(152, 112);
  SaverFolder folder;
  SaverProcess saver(folder, "/p " + pane.argument());
  ASSERT_TRUE(ExpectPreviewFillsPane(pane, saver));
  EXPECT_FALSE(saver.WaitForExit(500));  // it lives on with the pane
  const Pixels seen = WaitForPanePixels(RectOf(pane.handle()), *still, 5000);
  if (ScreenShowsOnlyThePane(seen)) GTEST_SKIP() << "this system does not show another process's child window";
  EXPECT_EQ(CountDifferent(seen, *still), 0);
}

TEST(Preview, ALargerPaneShowsTheStillScaledToFillIt) {
  const auto still = EmbeddedStill();
  ASSERT_TRUE(still);
  Pane pane(200, 150);
  SaverFolder folder;
  SaverProcess saver(folder, "/p:" + pane.argument());
  ASSERT_TRUE(ExpectPreviewFillsPane(pane, saver));

  // No pane colour left anywhere once it is painted, and the scaled picture
  // keeps the still's overall colour.
  const RECT rect = RectOf(pane.handle());
  const DWORD start = GetTickCount();
  Pixels seen = ScreenPixels(rect);
  const auto blue_count = [](const Pixels& p) {
    return std::count(p.values.begin(), p.values.end(), std::uint32_t(0x0000FF));
  };
  while (blue_count(seen) > 0 && GetTickCount() - start < 5000) {
    PumpMessages();
    Sleep(50);
    seen = ScreenPixels(rect);
  }
  if (ScreenShowsOnlyThePane(seen)) GTEST_SKIP() << "this system does not show another process's child window";
  EXPECT_EQ(blue_count(seen), 0);
  const auto mean_red = [](const Pixels& p) {
    double sum = 0;
    for (auto v : p.values) sum += (v >> 16) & 0xFF;
    return sum / double(p.values.size());
  };
  EXPECT_NEAR(mean_red(seen), mean_red(*still), 8.0);
  // The corners show the still's corners, not a copy at the top left.
  EXPECT_EQ(seen.at(0, 0), still->at(0, 0));
}

TEST(Preview, EndsWithinASecondOfThePaneBeingDestroyed) {
  Pane pane(152, 112);
  SaverFolder folder;
  SaverProcess saver(folder, "/p " + pane.argument());
  ASSERT_TRUE(ExpectPreviewFillsPane(pane, saver));
  pane.Destroy();
  EXPECT_TRUE(saver.WaitForExit(1000));
  EXPECT_EQ(saver.exit_code(), 0u);
}

TEST(Preview, WithoutAPaneToShowInEndsAtOnce) {
  std::string gone;
  {
    Pane pane(10, 10);
    gone = pane.argument();
  }
  for (const std::string& line : {std::string("/p 0"), std::string("/p"), std::string("/p "),
                                  std::string("/p x12"), std::string("/p 99999999999"), "/p " + gone}) {
    SaverFolder folder;
    const SaverRun run = RunSaver(folder, line, kAtOnceMs);
    EXPECT_TRUE(run.ended) << line;
    EXPECT_EQ(run.exit_code, 0u) << line;
    EXPECT_THAT(run.window_titles, ::testing::IsEmpty()) << line;
  }
}

TEST(Preview, StartsWhateverTheSettingsFile) {
  SaverFolder missing;
  SaverFolder garbled;
  garbled.WriteIni(std::string("\0\xFF\xFE[Section\r\n=\x81\x82", 12) + std::string(5000, 'x'));
  SaverFolder locked;
  locked.WriteIni("[Section]\r\n");
  HANDLE lock = CreateFileA(locked.ini().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  for (const SaverFolder* folder : {&missing, &garbled, &locked}) {
    Pane pane(152, 112);
    SaverProcess saver(*folder, "/p " + pane.argument());
    EXPECT_TRUE(ExpectPreviewFillsPane(pane, saver)) << folder->path();
  }
  CloseHandle(lock);
}

TEST(Preview, AnOpenSaverOrSettingsWindowKeepsThePreviewFromStarting) {
  for (const auto title : {kSaverWindowTitle, kSettingsWindowTitle}) {
    TitledWindow other(ToCp932(title));
    Pane pane(152, 112);
    SaverFolder folder;
    SaverProcess saver(folder, "/p " + pane.argument());
    EXPECT_TRUE(saver.WaitForExit(kAtOnceMs));
    EXPECT_EQ(GetWindow(pane.handle(), GW_CHILD), nullptr);
  }
}

}  // namespace
}  // namespace velkaro::testing
