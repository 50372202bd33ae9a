// The preview form inside a pane of this same process: Wine shows what a
// process draws into its own windows, so here the pixels can be read back.
// The pictures of Velkaro.scr are linked into this test program, so the
// form loads its still from here exactly as it does from the saver.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "common/resource_ids.h"
#include "preview/preview_win32.h"
#include "support/screen_pixels_win32.h"
#include "support/wait_win32.h"

namespace velkaro {
namespace {

constexpr COLORREF kPaneColour = RGB(0, 0, 255);
constexpr char kPaneClass[] = "VelkaroTest_PreviewPane";

using testing::BitmapResourcePixels;
using testing::CountDifferent;
using testing::Pixels;
using testing::WaitUntil;

// The still as this program carries it.
std::optional<Pixels> LinkedStill() {
  return BitmapResourcePixels(GetModuleHandleA(nullptr), VELKARO_RES_PREVIEW_STILL);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    DispatchMessageA(&message);
  }
}

// Takes the quit message the form posts when it goes; true if there was one.
bool TakeQuitMessage() {
  MSG message;
  bool quit = false;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT)
      quit = true;
    else
      DispatchMessageA(&message);
  }
  return quit;
}

void RegisterPaneClass() {
  static const bool registered = [] {
    WNDCLASSA pane{};
    pane.lpfnWndProc = DefWindowProcA;
    pane.hInstance = GetModuleHandleA(nullptr);
    pane.hbrBackground = CreateSolidBrush(kPaneColour);
    pane.lpszClassName = kPaneClass;
    return RegisterClassA(&pane) != 0;
  }();
  (void)registered;
}

// A borderless, topmost stand-in for the Display Properties preview pane:
// its window and client area are the same width × height.
class Pane {
 public:
  Pane(int width, int height) {
    RegisterPaneClass();
    window_ =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPaneClass, "", WS_POPUP | WS_VISIBLE, 40,
                        40, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window_);
  }
  ~Pane() { Destroy(); }
  Pane(const Pane&) = delete;
  Pane& operator=(const Pane&) = delete;

  HWND handle() const { return window_; }
  void Destroy() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
  }
  std::int32_t HandleValue() const {
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window_));
  }
  HWND Form() const { return FindWindowExA(window_, nullptr, "Velkaro_R", nullptr); }
  Pixels ScreenPixels() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return testing::ScreenPixels(rect);
  }

 private:
  HWND window_ = nullptr;
};

// The pane's pixels once done(pixels) holds, or the last ones seen.
template <typename Done>
Pixels WaitForPixels(const Pane& pane, Done done, DWORD timeout_ms = 5000) {
  Pixels seen = pane.ScreenPixels();
  WaitUntil(
      [&] {
        if (done(seen)) return true;
        PumpMessages();
        seen = pane.ScreenPixels();
        return false;
      },
      timeout_ms, 50);
  return seen;
}

class PreviewInPane : public ::testing::Test {
 protected:
  void SetUp() override {
    auto still = LinkedStill();
    ASSERT_TRUE(still) << "the pictures are not linked into the test program";
    still_ = *still;
    ASSERT_EQ(still_.width, 152);
    ASSERT_EQ(still_.height, 112);
  }
  // Nothing the form left in the queue may reach the next test.
  void TearDown() override { TakeQuitMessage(); }

  Pixels still_;
};

TEST_F(PreviewInPane, TheStandardPaneShowsTheStillExactly) {
  Pane pane(152, 112);
  ASSERT_TRUE(StartPreviewWindow(pane.HandleValue()));
  const Pixels seen =
      WaitForPixels(pane, [&](const Pixels& p) { return CountDifferent(p, still_) == 0; });
  EXPECT_EQ(CountDifferent(seen, still_), 0);
}

TEST_F(PreviewInPane, ALargerPaneIsFilledByTheScaledStill) {
  constexpr int kWidth = 200, kHeight = 150;
  Pane pane(kWidth, kHeight);
  ASSERT_TRUE(StartPreviewWindow(pane.HandleValue()));
  const auto covered = [](const Pixels& p) {
    for (std::uint32_t v : p.values)
      if (v == 0x0000FF) return false;  // the pane's own blue shows through
    return true;
  };
  const Pixels seen = WaitForPixels(pane, covered);
  EXPECT_TRUE(covered(seen));
  // Corners and centre: wherever the still is not black, neither is the pane.
  const POINT probes[] = {{0, 0},
                          {kWidth - 1, 0},
                          {0, kHeight - 1},
                          {kWidth - 1, kHeight - 1},
                          {kWidth / 2, kHeight / 2}};
  for (const POINT p : probes) {
    const int sx = p.x * still_.width / kWidth, sy = p.y * still_.height / kHeight;
    if (still_.at(sx, sy) == 0) continue;
    EXPECT_NE(seen.at(p.x, p.y), 0u) << "at " << p.x << ", " << p.y;
  }
}

TEST_F(PreviewInPane, DestroyingThePaneDestroysTheFormAndEndsTheLoop) {
  Pane pane(152, 112);
  ASSERT_TRUE(StartPreviewWindow(pane.HandleValue()));
  const HWND form = pane.Form();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(GetAncestor(form, GA_PARENT), pane.handle());
  EXPECT_FALSE(TakeQuitMessage());
  pane.Destroy();
  EXPECT_FALSE(IsWindow(form));
  EXPECT_TRUE(TakeQuitMessage());
}

TEST_F(PreviewInPane, NoFormStartsWithoutALivePane) {
  EXPECT_FALSE(StartPreviewWindow(std::nullopt));
  EXPECT_FALSE(StartPreviewWindow(0));
  HWND gone = nullptr;
  {
    Pane pane(152, 112);
    gone = pane.handle();
  }
  EXPECT_FALSE(
      StartPreviewWindow(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(gone))));
  EXPECT_FALSE(TakeQuitMessage());
}

}  // namespace
}  // namespace velkaro
