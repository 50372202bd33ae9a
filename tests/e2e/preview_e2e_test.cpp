// The preview as the Display Properties dialog sees it: a pane window of
// this test process, the real Velkaro.scr started with "/p <pane>", and what
// appears inside the pane.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "common/resource_ids.h"
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

// The form fills the pane of either size and lives as long as the pane. What
// it shows there is checked in-process (PreviewInPane, in the Wine tests):
// Wine does not put another process's child window on the screen, so the
// screen here would show the pane's own colour.
TEST(Preview, TheFormFillsAStandardOrALargerPaneAndLivesWithIt) {
  const auto still = EmbeddedStill();
  ASSERT_TRUE(still) << "Velkaro.scr carries no preview still";
  EXPECT_EQ(still->width, 152);
  EXPECT_EQ(still->height, 112);
  for (const auto& [width, height, separator] :
       {std::tuple{152, 112, " "}, std::tuple{200, 150, ":"}}) {
    Pane pane(width, height);
    SaverFolder folder;
    SaverProcess saver(folder, std::string("/p") + separator + pane.argument());
    ASSERT_TRUE(ExpectPreviewFillsPane(pane, saver)) << width << " x " << height;
    EXPECT_FALSE(saver.WaitForExit(500)) << "it lives on with the pane";
  }
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
    TitledWindow other(Wide(title));
    Pane pane(152, 112);
    SaverFolder folder;
    SaverProcess saver(folder, "/p " + pane.argument());
    EXPECT_TRUE(saver.WaitForExit(kAtOnceMs));
    EXPECT_EQ(GetWindow(pane.handle(), GW_CHILD), nullptr);
  }
}

}  // namespace
}  // namespace velkaro::testing
