// Windows-1252 to and from UTF-16.

#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(CodepageTest, EveryByteMapsAndComesBack) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(utf16ToCp1252(cp1252ToUtf16(one)), one) << byte;
  }
}

TEST(CodepageTest, HighBytesAndUndefinedOnes) {
  EXPECT_EQ(cp1252ToUnicode(0x80), u'\u20AC');
  EXPECT_EQ(cp1252ToUnicode(0x9F), u'\u0178');
  EXPECT_EQ(cp1252ToUnicode(0xE4), u'\u00E4');
  for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(cp1252ToUnicode(undefined), char16_t{undefined});
  }
}

TEST(CodepageTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(utf16ToCp1252(u"M\u00FCller \u20AC \u0141\u4E2D"), "M\xFCller \x80 ??");
}

}  // namespace
}  // namespace lumora
