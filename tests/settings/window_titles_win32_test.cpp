// The single-instance test finds the saver and the settings dialog by their
// captions: a caption set through the ANSI entry points with the titles'
// code page 932 bytes is found by FindWindowA with the same bytes, whatever
// the system's ANSI code page (Wine runs with 1252 here).
#include <windows.h>

#include <gtest/gtest.h>

#include "common/text_cp932.h"
#include "settings/window_titles.h"

namespace velkaro {
namespace {

class CaptionedWindow {
 public:
  explicit CaptionedWindow(const std::string& ansi_title)
      : window_(CreateWindowExA(0, "STATIC", ansi_title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~CaptionedWindow() { DestroyWindow(window_); }
  CaptionedWindow(const CaptionedWindow&) = delete;
  CaptionedWindow& operator=(const CaptionedWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

TEST(WindowTitles, AnAnsiCaptionIsFoundByTheSameBytes) {
  for (std::string_view title : {kSaverWindowTitle, kSettingsWindowTitle}) {
    const std::string ansi = ToCp932(title);
    EXPECT_EQ(FindWindowA(nullptr, ansi.c_str()), nullptr);
    CaptionedWindow window(ansi);
    ASSERT_NE(window.get(), nullptr);
    EXPECT_EQ(FindWindowA(nullptr, ansi.c_str()), window.get());
  }
}

TEST(WindowTitles, OtherCaptionsAreNotTakenForOurs) {
  CaptionedWindow near_miss(ToCp932("Velkaro_Main "));
  CaptionedWindow other(ToCp932("Velkaroの設"));
  EXPECT_EQ(FindWindowA(nullptr, ToCp932(kSaverWindowTitle).c_str()), nullptr);
  EXPECT_EQ(FindWindowA(nullptr, ToCp932(kSettingsWindowTitle).c_str()), nullptr);
}

}  // namespace
}  // namespace velkaro
