#include "common/text_cp932.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <iconv.h>
#endif

namespace velkaro {
namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(ToCp932, GivesTheShiftJisBytesOfTheProgramsNames) {
  EXPECT_EQ(ToCp932("Velkaro_Main"), "Velkaro_Main");
  EXPECT_EQ(ToCp932("Velkaroの設定"), "Velkaro" + Bytes({0x82, 0xCC, 0x90, 0xDD, 0x92, 0xE8}));
  EXPECT_EQ(ToCp932("ﾗﾝﾀﾞﾑ"), Bytes({0xD7, 0xDD, 0xC0, 0xDE, 0xD1}));
  EXPECT_EQ(ToCp932("BGM区分"), Bytes({0x42, 0x47, 0x4D, 0x8B, 0xE6, 0x95, 0xAA}));
  EXPECT_EQ(ToCp932("｡ﾟ"), Bytes({0xA1, 0xDF}));  // both ends of the half-width range
}

TEST(ToCp932, ReplacesWhatItCannotConvertWithAQuestionMark) {
  EXPECT_EQ(ToCp932("a\u00E9b"), "a?b");  // e acute has no code page 932 form
  EXPECT_EQ(ToCp932("x\xFFy"), "x?y");    // not UTF-8
  EXPECT_EQ(ToCp932("\xE3\x81"), "??");   // a sequence cut short
  EXPECT_EQ(ToCp932(""), "");
}

TEST(Cp932ToUtf16, ReadsTheBytesOfTheProgramsTexts) {
  using namespace std::string_literals;
  EXPECT_EQ(Cp932ToUtf16("Velkaro" + Bytes({0x82, 0xCC, 0x90, 0xDD, 0x92, 0xE8})),
            u"Velkaroの設定");
  EXPECT_EQ(Cp932ToUtf16(Bytes({0xA1, 0xCC, 0xA7, 0xDF})), u"｡ﾌｧﾟ");
  EXPECT_EQ(Cp932ToUtf16("a\\b~\0c"s), u"a\\b~\0c"s);  // 5C and 7E are '\' and '~' in 932
  EXPECT_EQ(Cp932ToUtf16(""), u"");
}

TEST(Cp932ToUtf16, MarksWhatItCannotRead) {
  EXPECT_EQ(Cp932ToUtf16(Bytes({0x88, 0x9F})), u"\uFFFD");         // 亜: not a text of ours
  EXPECT_EQ(Cp932ToUtf16("x" + Bytes({0x82})), u"x\uFFFD");        // a lead byte cut off
  EXPECT_EQ(Cp932ToUtf16(Bytes({0x82, 0x5C, 0x41})), u"\uFFFDA");  // one character, then A
  EXPECT_EQ(Cp932ToUtf16(Bytes({0x80, 0xA0, 0xFD})), u"\uFFFD\uFFFD\uFFFD");
}

TEST(ToUtf16, GivesTheCharactersThatTheCodePage932BytesStandFor) {
  for (const std::string_view text :
       {"Velkaroの設定", "ﾌｧｲﾙを開く", "BGMﾌｧｲﾙ (MP3 WAV)", "起動毎にﾗﾝﾀﾞﾑ", "曲目をﾘﾋﾟｰﾄ",
        "音楽CD", "無し", "MP3、WAV", "ＭＳ Ｐゴシック", "ｴﾌｪｸﾄﾊﾟﾀｰﾝ"}) {
    EXPECT_EQ(ToUtf16(text), Cp932ToUtf16(ToCp932(text)));
    EXPECT_EQ(ToUtf16(text).find(u'?'), std::u16string::npos) << text;
  }
  EXPECT_EQ(ToUtf16("Velkaroの設定"), u"Velkaroの設定");
  EXPECT_EQ(ToUtf16("a\u00E9b"), u"a?b");  // as the ANSI text would have it
}

#ifndef _WIN32
// The system's converter is the reference for the program's own texts. The
// web tree's C library knows the code page only as Shift_JIS, whose table is
// the same for every character of those texts (JIS X 0208 and the half-width
// katakana); the two differ only in NEC's and IBM's additions.
std::string IconvCp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == iconv_t(-1)) cd = iconv_open("SHIFT_JIS", "UTF-8");
  if (cd == iconv_t(-1)) return "(no converter for CP932)";
  std::string in = utf8, out(utf8.size() * 2 + 4, '\0');
  char* src = in.data();
  char* dst = out.data();
  size_t src_left = in.size(), dst_left = out.size();
  iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  out.resize(out.size() - dst_left);
  return out;
}

TEST(ToCp932, AgreesWithTheSystemConverterOnEveryKnownCharacter) {
  std::string all_katakana;
  for (char32_t cp = 0xFF61; cp <= 0xFF9F; ++cp) {
    all_katakana += static_cast<char>(0xE0 | (cp >> 12));
    all_katakana += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    all_katakana += static_cast<char>(0x80 | (cp & 0x3F));
  }
  for (const std::string& text :
       {std::string("Velkaroの設定"), std::string("BGM区分"), std::string("ﾊﾟﾀｰﾝ BGMﾘﾋﾟｰﾄ BGMﾌｧｲﾙ"),
        std::string("起動毎にﾗﾝﾀﾞﾑ 音楽CD 無し MP3、WAV 曲目をﾘﾋﾟｰﾄ ﾌｧｲﾙを開く"),
        std::string("ＭＳ Ｐゴシック"), all_katakana}) {
    EXPECT_EQ(ToCp932(text), IconvCp932(text)) << text;
  }
}
#endif

}  // namespace
}  // namespace velkaro
