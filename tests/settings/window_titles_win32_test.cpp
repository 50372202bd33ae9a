// The single-instance test finds the saver and the settings dialog by their
// captions. A caption made by Window::CreateCaptioned reads as written and
// is found by the same text as the start looks for, whatever the system's
// ANSI code page (Wine runs with 1252 here, where code page 932 bytes would
// read as other characters).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/text_win32.h"
#include "common/window_win32.h"
#include "settings/window_titles.h"

namespace velkaro {
namespace {

// The system's own UTF-8 converter, to check the program's table against.
std::wstring SystemWide(std::string_view utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(),
                                  int(wide.size())));
  return wide;
}

class CaptionedWindow final : public Window {
 public:
  explicit CaptionedWindow(std::string_view title) {
    static const bool registered =
        RegisterWindowClass({.name = "VelkaroTitleTest", .captioned = true});
    if (registered) CreateCaptioned("VelkaroTitleTest", 0, title, WS_POPUP, 0, 0, 10, 10, nullptr);
  }
};

std::wstring CaptionOf(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return text;
}

TEST(WindowTitles, ACaptionReadsAsWrittenAndIsFoundByTheSameText) {
  for (std::string_view title : {kSaverWindowTitle, kSettingsWindowTitle}) {
    const std::wstring wide = WideText(title);
    EXPECT_EQ(FindWindowW(nullptr, wide.c_str()), nullptr);
    CaptionedWindow window(title);
    ASSERT_NE(window.handle(), nullptr);
    EXPECT_TRUE(IsWindowUnicode(window.handle()));
    EXPECT_EQ(CaptionOf(window.handle()), SystemWide(title));
    EXPECT_EQ(FindWindowW(nullptr, wide.c_str()), window.handle());
  }
}

TEST(WindowTitles, OtherCaptionsAreNotTakenForOurs) {
  CaptionedWindow near_miss("Velkaro_Main ");
  CaptionedWindow other("Velkaroの設");
  ASSERT_NE(near_miss.handle(), nullptr);
  ASSERT_NE(other.handle(), nullptr);
  EXPECT_EQ(FindWindowW(nullptr, WideText(kSaverWindowTitle).c_str()), nullptr);
  EXPECT_EQ(FindWindowW(nullptr, WideText(kSettingsWindowTitle).c_str()), nullptr);
}

}  // namespace
}  // namespace velkaro
