// Fitting texts to their boxes and wrapping notes, with a plain measure: a
// character is size / 10 millimetres wide ("…" too).

#include "render/text_fit.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

double characters(std::string_view text) {
  double count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

const TextWidth kWidth = [](std::string_view text, int size) {
  return characters(text) * size / 10.0;
};

TEST(TextFitTest, SmallerDownToSixPointsThenAnEllipsis) {
  const struct {
    const char* text;
    double room;
    const char* fitted;
    int size;
  } rows[] = {
      {"abcdefghij", 8.0, "abcdefghij", 8},  // fits as it is
      {"abcdefghij", 7.9, "abcdefghij", 7},  // one point smaller
      {"abcdefghij", 6.0, "abcdefghij", 6},
      {"abcdefghij", 5.9, "abcdefgh…", 6},  // 9 characters of 0.6 mm
      {"ÄÖÜäöüßÄÖÜ", 3.0, "ÄÖÜä…", 6},      // cut between characters
      {"abc   defgh", 3.0, "abc…", 6},      // no blanks before the ellipsis
      {"", 1.0, "", 8},
      {"abc", 0.1, "…", 6},  // the ellipsis alone even where nothing fits
  };
  for (const auto& row : rows) {
    const FittedText fitted = fitText(kWidth, row.text, 8, row.room);
    EXPECT_EQ(fitted.text, row.fitted) << row.text << " in " << row.room;
    EXPECT_EQ(fitted.size, row.size) << row.text << " in " << row.room;
  }
}

TEST(TextFitTest, WrapsAtBlanksAndBreaksOnlyWordsWiderThanALine) {
  using Lines = std::vector<std::string>;
  const struct {
    const char* text;
    Lines lines;
  } rows[] = {
      {"Zahlbar 14", {"Zahlbar 14"}},
      {"Zahlbar innerhalb von 14 Tagen ohne Abzug",
       {"Zahlbar", "innerhalb", "von 14", "Tagen ohne", "Abzug"}},
      {"  zwei   Blanks  ", {"zwei", "Blanks"}},
      {"IBAN DE02120300000000202051 bitte", {"IBAN", "DE02120300", "0000002020", "51 bitte"}},
      {"Überweisungsträger", {"Überweisun", "gsträger"}},
      {"", {""}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(wrapAtBlanks(kWidth, row.text, 10, 10.0), row.lines) << row.text;
  }
}

}  // namespace
}  // namespace lumora
