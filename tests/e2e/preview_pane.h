#pragma once
// The preview pane of the Display Properties dialog, played by a window of
// the test process, and what the real Velkaro.scr started with "/p <pane>"
// puts into it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/resource_ids.h"
#include "e2e/saver_driver.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"
#include "support/wait_win32.h"

namespace velkaro::testing {

inline constexpr DWORD kShowsWithinMs = 10000;
inline constexpr COLORREF kPaneColour = RGB(0, 0, 255);  // a colour the fire still never has

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
    window_ =
        CreateWindowExA(WS_EX_TOPMOST, "VelkaroTestPane", "pane", WS_POPUP | WS_VISIBLE, kLeft,
                        kTop, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    PumpThreadMessages();
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
    HWND child = nullptr;
    WaitUntil(
        [&] {
          PumpThreadMessages();
          child = GetWindow(window_, GW_CHILD);
          RECT pane{}, form{};
          GetWindowRect(window_, &pane);
          GetWindowRect(child, &form);
          return child && IsWindowVisible(child) && EqualRect(&pane, &form);
        },
        timeout_ms);
    return child;
  }

  static constexpr int kLeft = 40;
  static constexpr int kTop = 40;

 private:
  HWND window_ = nullptr;
};

// The still as Velkaro.scr carries it, read from the file as data.
inline std::optional<Pixels> EmbeddedStill() {
  HMODULE saver = LoadLibraryExA(SaverUnderTest().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!saver) return std::nullopt;
  std::optional<Pixels> pixels = BitmapResourcePixels(saver, VELKARO_RES_PREVIEW_STILL);
  FreeLibrary(saver);
  return pixels;
}

inline RECT RectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// Starts a preview in `pane` and expects its form to fill the pane.
inline HWND ExpectPreviewFillsPane(const Pane& pane, SaverProcess& saver) {
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

}  // namespace velkaro::testing
