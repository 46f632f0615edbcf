// clear: every well-formed UTF-8 character kept as written, left to right;
// a byte that starts none read as Windows-1252; entities are text.

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

// Every well-formed UTF-8 character reaches the page as written, whether or
// not Windows-1252 has it.
TEST(ClearTest, Utf8CharactersStayAsWritten) {
  for (const char* text : {
           "M\xC3\xBCller \xE2\x82\xAC \xC3\x9F",  // Müller € ß
           "\xC5\x81\xC3\xB3\x64\xC5\xBA",         // Łódź
           "Ay\xC5\x9F"
           "e Y\xC4\xB1lmaz",                                   // Ayşe Yılmaz
           "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1",  // Ελλάδα
           "\xE4\xB8\xAD \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF",    // Chinese, an emoji, the last code
                                                                // point
           "\xC2\x81 \xC2\xA0 \xE2\x80\xA6",
       }) {
    EXPECT_EQ(clear(std::string("a") + text + "b"), std::string("a") + text + "b") << text;
  }
}

// Bytes that start no well-formed UTF-8 character are Windows-1252, as in an
// invoice written in that code page; entities were decoded by the reader.
TEST(ClearTest, WhatIsNoCharacterIsReadAsWindows1252) {
  expectRows({
      {"", ""},
      {"plain 12,50 <>\"'", "plain 12,50 <>\"'"},
      {"&amp;lt; &#228; &#x20AC; &#10;", "&amp;lt; &#228; &#x20AC; &#10;"},
      {"M\xFCller \xE4\xF6\x80", "Müller äö€"},    // Windows-1252 throughout
      {"\xC3", "Ã"},                               // a lone lead byte at the end
      {"\xC3(\xC3\xC3\xA4", "Ã(Ãä"},               // a lead byte without its tail
      {"\xE2\x82", "â‚"},                          // a cut-off sequence
      {"\x80\xBF\x81", "€¿\xC2\x81"},              // stray continuation bytes
      {"\xC0\xAF \xED\xA0\x80", "À¯ í\xC2\xA0€"},  // overlong, a surrogate
      {"\xF4\x90\x80\x80", "ô\xC2\x90€€"},         // past U+10FFFF
      {"\xC3\xA2\x82\xAC", "â‚¬"},                 // the bytes of â are not read again
  });
}

}  // namespace
}  // namespace lumora
