// The conversions between the program's texts and the system's, against the
// real converters, under the test bed's Western code page 1252.
#include "common/text_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

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
  EXPECT_EQ(SystemAnsiFromWide(L"C:\\Musik\\Gr\u00FC\u00DFe.mp3"), "C:\\Musik\\Gr\xFC\xDF" "e.mp3");
  EXPECT_EQ(SystemAnsiFromWide(L""), "");
  // Not in the code page: the converter's '?' would name another file.
  EXPECT_EQ(SystemAnsiFromWide(L"C:\\s\u0101ng.mp3"), std::nullopt);
  EXPECT_EQ(SystemAnsiFromWide(L"C:\\\u8868\u793A.mp3"), std::nullopt);  // 表示
  // Nor is a full-width A, which a best-fit conversion would make an A.
  EXPECT_EQ(SystemAnsiFromWide(L"\uFF21.mp3"), std::nullopt);
}

TEST_F(UnderCodePage1252, SystemTextIsReadInTheSystemsCodePage) {
  EXPECT_EQ(WideFromSystemAnsi("Gr\xFC\xDF" "e"), L"Gr\u00FC\u00DFe");
  // The bytes of 表 are two characters here.
  EXPECT_EQ(WideFromSystemAnsi("\x95\x5C"), L"\u2022\\");
  EXPECT_EQ(WideFromSystemAnsi(""), L"");
  EXPECT_FALSE(IsSystemAnsiLeadByte(0x95));
}

TEST(WideText, IsTheProgramsOwnTextWhateverTheCodePage) {
  EXPECT_EQ(WideText("Velkaroの設定"), L"Velkaro\u306E\u8A2D\u5B9A");
  EXPECT_EQ(WideText("ﾌｧｲﾙを開く"), L"\uFF8C\uFF67\uFF72\uFF99\u3092\u958B\u304F");
}

}  // namespace
}  // namespace velkaro
