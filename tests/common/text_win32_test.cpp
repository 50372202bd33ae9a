// The conversions between the program's texts and the system's, against the
// real converters, under the test bed's Western code page 1252.
#include "common/text_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/system_win32.h"

namespace velkaro {
namespace {

class UnderCodePage1252 : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 1252u) << "these cases are those of the Western code page 1252";
  }
};

TEST_F(UnderCodePage1252, APathComesBackAsTheSystemsBytesOnlyWhenItHoldsIt) {
  EXPECT_EQ(SystemAnsiFromWide(L"C:\\Musik\\Gr\u00FC\u00DFe.mp3"),
            "C:\\Musik\\Gr\xFC\xDF"
            "e.mp3");
  EXPECT_EQ(SystemAnsiFromWide(L""), "");
  // Not in the code page: the converter's '?' would name another file.
  EXPECT_EQ(SystemAnsiFromWide(L"C:\\s\u0101ng.mp3"), std::nullopt);
  EXPECT_EQ(SystemAnsiFromWide(L"C:\\\u8868\u793A.mp3"), std::nullopt);  // 表示
  // Nor is a full-width A, which a best-fit conversion would make an A.
  EXPECT_EQ(SystemAnsiFromWide(L"\uFF21.mp3"), std::nullopt);
}

TEST_F(UnderCodePage1252, SystemTextIsReadInTheSystemsCodePage) {
  EXPECT_EQ(WideFromSystemAnsi("Gr\xFC\xDF"
                               "e"),
            L"Gr\u00FC\u00DFe");
  // The bytes of 表 are two characters here.
  EXPECT_EQ(WideFromSystemAnsi("\x95\x5C"), L"\u2022\\");
  EXPECT_EQ(WideFromSystemAnsi(""), L"");
  EXPECT_FALSE(IsSystemAnsiLeadByte(0x95));
}

// The pixels of `text` drawn black on white into a 120 x 20 picture, through
// the wide or the ANSI drawing.
std::vector<COLORREF> DrawnText(std::wstring_view text, bool wide_drawing) {
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 20);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 120, 20, WHITENESS);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  RECT area{0, 0, 120, 20};
  DrawSystemText(dc, text, area, DT_LEFT | DT_SINGLELINE, wide_drawing);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 120; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

// The 95/98 family draws through the ANSI call: a text of the code page
// looks the same either way, and is drawn at all.
TEST_F(UnderCodePage1252, TextDrawnThroughTheAnsiCallLooksAsThroughTheWideOne) {
  const std::wstring text = L"Gr\u00FC\u00DFe 42";
  const std::vector<COLORREF> wide = DrawnText(text, true);
  EXPECT_EQ(DrawnText(text, false), wide);
  EXPECT_NE(std::count(wide.begin(), wide.end(), RGB(0, 0, 0)), 0);
  EXPECT_EQ(DrawnText(L"", false), DrawnText(L"", true));
}

TEST(WideText, IsTheProgramsOwnTextWhateverTheCodePage) {
  EXPECT_EQ(WideText("Velkaroの設定"), L"Velkaro\u306E\u8A2D\u5B9A");
  EXPECT_EQ(WideText("ﾌｧｲﾙを開く"), L"\uFF8C\uFF67\uFF72\uFF99\u3092\u958B\u304F");
}

}  // namespace
}  // namespace velkaro
