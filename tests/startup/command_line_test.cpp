#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace velkaro {
namespace {

TEST(ModeLetter, IsTheUpperCasedSecondCharacter) {
  EXPECT_EQ(ModeLetter("/s"), "S");
  EXPECT_EQ(ModeLetter("-s"), "S");
  EXPECT_EQ(ModeLetter("/S"), "S");
  EXPECT_EQ(ModeLetter("xs"), "S");
  EXPECT_EQ(ModeLetter("/p 1234"), "P");
  EXPECT_EQ(ModeLetter("/c:1234"), "C");
  EXPECT_EQ(ModeLetter("/a 1234"), "A");
}

TEST(ModeLetter, IsEmptyForLinesShorterThanTwoCharacters) {
  EXPECT_EQ(ModeLetter(""), "");
  EXPECT_EQ(ModeLetter("s"), "");
  EXPECT_EQ(ModeLetter("/"), "");
}

TEST(WindowHandleArgument, ReadsTheLeadingDigitsFromTheFourthCharacter) {
  EXPECT_EQ(WindowHandleArgument("/p 1234"), 1234);
  EXPECT_EQ(WindowHandleArgument("/p:1234"), 1234);
  EXPECT_EQ(WindowHandleArgument("/p 12ab"), 12);
  EXPECT_EQ(WindowHandleArgument("/p 0"), 0);
  EXPECT_EQ(WindowHandleArgument("/p  77"), 77);
  EXPECT_EQ(WindowHandleArgument("/p 2147483647"), 2147483647);
}

TEST(WindowHandleArgument, IsMissingWithoutDigitsOrBeyond32Bits) {
  EXPECT_EQ(WindowHandleArgument("/p"), std::nullopt);
  EXPECT_EQ(WindowHandleArgument("/p "), std::nullopt);
  EXPECT_EQ(WindowHandleArgument("/p abc"), std::nullopt);
  EXPECT_EQ(WindowHandleArgument("/p -5"), std::nullopt);
  EXPECT_EQ(WindowHandleArgument("/p 2147483648"), std::nullopt);
  EXPECT_EQ(WindowHandleArgument("/p 99999999999999999999999"), std::nullopt);
}

}  // namespace
}  // namespace velkaro
