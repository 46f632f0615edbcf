// The 1-based substring rule every cut of the program relies on.

#include "platform/substring.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(SubstringTest, Rule) {
  EXPECT_EQ(substring("abcdef", 2, 3), "bcd");
  EXPECT_EQ(substring("abcdef", 0, 2), "ab");  // a start below 1 counts as 1
  EXPECT_EQ(substring("abcdef", -5, 2), "ab");
  EXPECT_EQ(substring("abcdef", 7, 1), "");  // past the end
  EXPECT_EQ(substring("abcdef", 6, 1), "f");
  EXPECT_EQ(substring("abcdef", 3, 0), "");
  EXPECT_EQ(substring("abcdef", 3, -1), "");
  EXPECT_EQ(substring("abcdef", 5, 100), "ef");  // stops at the end
  EXPECT_EQ(substring("", 1, 1), "");
  EXPECT_EQ(substringFrom("abcdef", 46), "");
  EXPECT_EQ(substringFrom("abcdef", 4), "def");
}

TEST(SubstringTest, Position) {
  EXPECT_EQ(position("cd", "abcdcd"), 3);
  EXPECT_EQ(position("x", "abc"), 0);
  EXPECT_EQ(position("", "abc"), 0);
  EXPECT_EQ(position("abcd", "abc"), 0);
  EXPECT_EQ(position("a", "a"), 1);
}

}  // namespace
}  // namespace lumora
