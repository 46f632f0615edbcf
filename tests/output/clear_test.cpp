// clear: every UTF-8 character put into Windows-1252, left to right;
// everything else, entities included, kept byte for byte.

#include "output/clear.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

struct Row {
  const char* raw;
  const char* decoded;
};

void expectRows(std::initializer_list<Row> rows) {
  for (const Row& row : rows) EXPECT_EQ(clear(row.raw), row.decoded) << row.raw;
}

// The letters and signs German invoices hold most come out as they always
// did, wherever they stand.
TEST(ClearTest, CommonLettersGiveTheirWindows1252Byte) {
  const Row rows[] = {
      {"\xC3\xA4", "\xE4"}, {"\xC3\xB6", "\xF6"}, {"\xC3\xBC", "\xFC"}, {"\xC3\x84", "\xC4"},
      {"\xC3\x96", "\xD6"}, {"\xC3\x9C", "\xDC"}, {"\xC3\x9F", "\xDF"}, {"\xE2\x82\xAC", "\x80"},
      {"\xC3\xA9", "\xE9"}, {"\xC3\xA8", "\xE8"}, {"\xC3\xAA", "\xEA"}, {"\xC3\xA7", "\xE7"},
      {"\xC3\xB4", "\xF4"}, {"\xC3\xBB", "\xFB"}, {"\xC3\xB8", "\xF8"}, {"\xC3\x98", "\xD8"},
      {"\xC2\xB5", "\xB5"}, {"\xC2\xB2", "\xB2"}, {"\xC3\xA2", "\xE2"}, {"\xC3\xA1", "\xE1"},
      {"\xC2\xAC", "\xAC"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(clear(std::string("a") + row.raw + "b" + row.raw),
              std::string("a") + row.decoded + "b" + row.decoded)
        << row.raw;
  }
}

TEST(ClearTest, EveryUtf8CharacterBecomesItsByteOrAQuestionMark) {
  expectRows({
      {"\xE2\x80\xA6", "\x85"},  // …
      {"it\xE2\x80\x99s", "it\x92s"},
      {"\xE2\x80\x9Eja\xE2\x80\x9C", "\x84ja\x93"},  // „ja“
      {"1\xE2\x80\x93z", "1\x96z"},                  // –
      {"Bjerk\xC3\xA5sholm", "Bjerk\xE5sholm"},
      {"\xC3\x85 \xC3\xB1 \xC2\xA0", "\xC5 \xF1 \xA0"},
      {"\xE2\x84\xA2 \xC5\xA0", "\x99 \x8A"},          // ™ Š
      {"\xC2\x81 \xC2\x80", "\x81 ?"},                 // C1 controls: kept where the page has them
      {"\xC5\x81\xC3\xB3\x64\xC5\xBA", "?\xF3\x64?"},  // Łódź
      {"\xE4\xB8\xAD", "?"},                           // Chinese
      {"\xF0\x9F\x98\x80", "?"},                       // an emoji, 4 bytes
      {"\xF4\x8F\xBF\xBF", "?"},                       // the last code point
  });
}

TEST(ClearTest, WhatIsNoCharacterStaysAsWritten) {
  expectRows({
      {"", ""},
      {"plain 12,50 <>\"'", "plain 12,50 <>\"'"},
      // The reader decoded the entities: these are text.
      {"&amp;lt; &#228; &#x20AC; &#10;", "&amp;lt; &#228; &#x20AC; &#10;"},
      {"M\xFCller \xE4\xF6\x80", "M\xFCller \xE4\xF6\x80"},  // already Windows-1252
      {"\xC3", "\xC3"},                                      // a lone lead byte at the end
      {"\xC3(\xC3\xC3\xA4", "\xC3(\xC3\xE4"},                // a lead byte without its tail
      {"\xE2\x82", "\xE2\x82"},                              // a cut-off sequence
      {"\x80\xBF", "\x80\xBF"},                              // stray continuation bytes
      {"\xC0\xAF \xE0\x80\xAF \xF0\x80\x80\xAF",
       "\xC0\xAF \xE0\x80\xAF \xF0\x80\x80\xAF"},  // overlong
      {"\xED\xA0\x80", "\xED\xA0\x80"},            // a surrogate
      {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},    // past U+10FFFF
      {"\xF8\x88\x80\x80\x80", "\xF8\x88\x80\x80\x80"},
      {"\xC3\xA2\x82\xAC", "\xE2\x82\xAC"},  // the byte of â is not read again
  });
}

}  // namespace
}  // namespace lumora
