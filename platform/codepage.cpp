#include "platform/codepage.h"

#include <array>

namespace lumora {
namespace {

// Bytes 80 to 9F; everything else maps to the character of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// Every character of the code page has its byte here, indexed by the
// character; the highest one is U+2122, the trade mark sign.
constexpr auto kFromUnicode = [] {
  std::array<char, 0x2123> table{};
  table.fill('?');
  for (unsigned c = 0; c < 0x100; ++c) {
    if (c < 0x80 || c >= 0xA0) table[c] = static_cast<char>(c);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    table[kHighControls[i]] = static_cast<char>(0x80 + i);
  }
  return table;
}();

}  // namespace

char unicodeToCp1252(char32_t character) {
  return character < kFromUnicode.size() ? kFromUnicode[character] : '?';
}

char16_t cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::u16string cp1252ToUtf16(std::string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (const char c : text) result.push_back(cp1252ToUnicode(static_cast<unsigned char>(c)));
  return result;
}

std::string utf16ToCp1252(std::u16string_view text) {
  std::string result;
  result.reserve(text.size());
  for (const char16_t c : text) result.push_back(unicodeToCp1252(c));
  return result;
}

}  // namespace lumora
