#include "common/multibyte_text.h"

#include <gtest/gtest.h>

#include <string>

namespace velkaro {
namespace {

// Code page 932 bytes of the names below: ソ 83 5C, フ 83 74, ト 83 67,
// 表 95 5C, 示 8E A6, 能 94 5C, 十 8F 5C, half-width ｱ B1.
const std::string kSoft = "\x83\x5C\x83\x74\x83\x67";  // ソフト
const std::string kHyoji = "\x95\x5C\x8E\xA6";         // 表示

TEST(Cp932LeadBytes, AreTheTwoRangesOfTheCodePage) {
  for (int byte = 0; byte < 256; ++byte) {
    const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    EXPECT_EQ(IsCp932LeadByte(static_cast<unsigned char>(byte)), lead) << byte;
    EXPECT_FALSE(IsNeverLeadByte(static_cast<unsigned char>(byte)));
  }
}

TEST(CharacterLength, PairsALeadByteWithWhateverFollows) {
  const std::string text = "a\x83\x5C\xB1\x83";  // a, ソ, ｱ, a lead byte cut off
  EXPECT_EQ(CharacterLength(text, 0, IsCp932LeadByte), 1u);
  EXPECT_EQ(CharacterLength(text, 1, IsCp932LeadByte), 2u);
  EXPECT_EQ(CharacterLength(text, 3, IsCp932LeadByte), 1u);  // half-width katakana
  EXPECT_EQ(CharacterLength(text, 4, IsCp932LeadByte), 1u);  // nothing left to pair with
  // A byte that is no second byte of the code page is taken all the same,
  // as the system's converters take it.
  EXPECT_EQ(CharacterLength("\x83 x", 0, IsCp932LeadByte), 2u);
  EXPECT_EQ(CharacterLength(text, 1, IsNeverLeadByte), 1u);
}

TEST(FindLastCharacterOf, SkipsTheSecondByteOfADoubleByteCharacter) {
  const auto last_separator = [](const std::string& path, LeadByteTest code_page) {
    return FindLastCharacterOf(path, "\\/", code_page);
  };
  // Velkaro.scr renamed 表示.scr in the folder ソフト.
  const std::string path = "C:\\" + kSoft + "\\" + kHyoji + ".scr";
  EXPECT_EQ(last_separator(path, IsCp932LeadByte), 2u + 1 + kSoft.size());
  // Byte by byte, the 5C of 表 would be taken for the separator.
  EXPECT_EQ(last_separator(path, IsNeverLeadByte), 2u + 1 + kSoft.size() + 2);
  // A folder ending in ソ, whose 5C is the last byte before the separator.
  EXPECT_EQ(last_separator("C:\\\x83\x5C\\x", IsCp932LeadByte), 5u);
  // Only separators inside characters: none at all.
  EXPECT_EQ(last_separator("\x94\x5C\x8F\x5C", IsCp932LeadByte), std::string::npos);  // 能十
  EXPECT_EQ(last_separator("\x94\x5C\x8F\x5C", IsNeverLeadByte), 3u);
  EXPECT_EQ(last_separator("a/b\\c", IsCp932LeadByte), 3u);
  EXPECT_EQ(last_separator("", IsCp932LeadByte), std::string::npos);
  // A lead byte cut off at the end, and one before a separator it swallows.
  EXPECT_EQ(last_separator("C:\\a\x83", IsCp932LeadByte), 2u);
  EXPECT_EQ(last_separator("C:\\a\x83\\", IsCp932LeadByte), 2u);
}

TEST(LastCharacters, CountsCharactersNotBytes) {
  EXPECT_EQ(LastCharacters("C:\\" + kHyoji + "wav", 3, IsCp932LeadByte), "wav");
  EXPECT_EQ(LastCharacters("x" + kHyoji + "av", 3, IsCp932LeadByte),
            "\x8E\xA6"
            "av");
  EXPECT_EQ(LastCharacters("x" + kHyoji + "av", 3, IsNeverLeadByte),
            "\xA6"
            "av");
  EXPECT_EQ(LastCharacters(kSoft, 1, IsCp932LeadByte), "\x83\x67");
  EXPECT_EQ(LastCharacters(kSoft, 1, IsNeverLeadByte), "\x67");
  // Fewer characters than asked for: all of them.
  EXPECT_EQ(LastCharacters(kHyoji, 3, IsCp932LeadByte), kHyoji);
  EXPECT_EQ(LastCharacters("", 3, IsCp932LeadByte), "");
  EXPECT_EQ(LastCharacters("abc", 0, IsCp932LeadByte), "");
  // The pairing runs from the start: 83 83 5C is a character 83 83, then '\'.
  EXPECT_EQ(LastCharacters("\x83\x83\x5C", 1, IsCp932LeadByte), "\\");
  EXPECT_EQ(LastCharacters("a\x83", 1, IsCp932LeadByte), "\x83");
}

}  // namespace
}  // namespace velkaro
