// clear: the 26 replacements, their order and what it implies.

#include "output/clear.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

struct Row {
  const char* raw;
  const char* decoded;
};

TEST(ClearTest, EachReplacementGivesItsWindows1252Byte) {
  const Row rows[] = {
      {"\xC3\xA4", "\xE4"}, {"\xC3\xB6", "\xF6"}, {"\xC3\xBC", "\xFC"}, {"\xC3\x84", "\xC4"},
      {"\xC3\x96", "\xD6"}, {"\xC3\x9C", "\xDC"}, {"\xC3\x9F", "\xDF"}, {"\xE2\x82\xAC", "\x80"},
      {"\xC3\xA9", "\xE9"}, {"\xC3\xA8", "\xE8"}, {"\xC3\xAA", "\xEA"}, {"\xC3\xA7", "\xE7"},
      {"\xC3\xB4", "\xF4"}, {"\xC3\xBB", "\xFB"}, {"\xC3\xB8", "\xF8"}, {"\xC3\x98", "\xD8"},
      {"\xC2\xB5", "\xB5"}, {"\xC2\xB2", "\xB2"}, {"\xC3\xA2", "\xE2"}, {"\xC3\xA1", "\xE1"},
      {"\xC2\xAC", "\xAC"}, {"&amp;", "&"},       {"&quot;", "\""},     {"&apos;", "'"},
      {"&gt;", ">"},        {"&lt;", "<"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(clear(std::string("a") + row.raw + "b" + row.raw),
              std::string("a") + row.decoded + "b" + row.decoded)
        << row.raw;
  }
}

TEST(ClearTest, OrderOfTheReplacements) {
  const Row rows[] = {
      {"&amp;lt;", "<"},  // escaped entities are decoded twice
      {"&amp;gt;", ">"},
      {"&amp;quot;", "\""},
      {"&amp;apos;", "'"},
      {"&amp;amp;", "&amp;"},                // the ampersand step does not see its own output
      {"\xC3\xA2\x82\xAC", "\xE2\x82\xAC"},  // the E2 of â comes after the euro step
      {"M\xC3\xBCller &amp; S\xC3\xB6hne", "M\xFCller & S\xF6hne"},
  };
  for (const Row& row : rows) EXPECT_EQ(clear(row.raw), row.decoded) << row.raw;
}

TEST(ClearTest, EverythingElsePassesThrough) {
  const Row rows[] = {
      {"", ""},
      {"plain 12,50", "plain 12,50"},
      {"&#228; &#x20AC;", "&#228; &#x20AC;"},  // numeric references stay
      {"&AMP; &Lt;", "&AMP; &Lt;"},            // capitals stay
      {"&amp", "&amp"},                        // no semicolon, no entity
      {"\xC3\x85 \xC3\xB1 \xE2\x80\x93", "\xC3\x85 \xC3\xB1 \xE2\x80\x93"},  // Å ñ – unknown
      {"M\xFCller", "M\xFCller"},                                            // already Windows-1252
      {"\xC3", "\xC3"},  // a cut inside a sequence
  };
  for (const Row& row : rows) EXPECT_EQ(clear(row.raw), row.decoded) << row.raw;
}

}  // namespace
}  // namespace lumora
