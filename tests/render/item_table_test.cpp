// The item table: rows, long-text continuation lines, page changes inside
// and at the end of the table, and the per-rate sums.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/exceptions.h"
#include "render/amounts.h"
#include "tests/render/table_fixture.h"

namespace lumora::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using ItemTableTest = TableTest;

std::string letters(int count, char first = 'a') {
  std::string text;
  for (int i = 0; i < count; ++i) text += static_cast<char>(first + i % 26);
  return text;
}

TEST_F(ItemTableTest, NoInvoiceLinesGiveOneEmptyPassThenTheRule) {
  const RateSums sums = drawTable({}, 100);
  for (const PrintedText& p : printer.texts) {
    if (p.text != kRule) {
      EXPECT_EQ(p.text, "") << "at x " << p.x;
    }
  }
  EXPECT_EQ(at(20).front().y, 105);
  EXPECT_EQ(closingRule().y, 110);
  EXPECT_EQ(closingRule().page, 1);
  EXPECT_EQ(closingRule().size, 8);
  EXPECT_EQ(layout.state.ypos, 110);
  EXPECT_EQ(sums.netto19, 0);
}

TEST_F(ItemTableTest, RowShowsEveryColumnOnItsY) {
  InvoiceLine line;
  line.id = "7";
  line.sellerId = "ART-9";
  line.quantity = "3.5";
  line.baseAmount = "12.5";
  line.amount = "43.75";
  drawTable({line}, 100);
  for (const auto& [x, text] : std::vector<std::pair<int, std::string>>{{20, "7"},
                                                                        {30, "ART-9"},
                                                                        {50, "Schraube"},
                                                                        {110, "3,5"},
                                                                        {125, "19,00"},
                                                                        {145, "12,5"},
                                                                        {165, "43,75"}}) {
    EXPECT_THAT(textsAt(x), ElementsAre(text)) << "column " << x;
    EXPECT_EQ(find(text).y, 105) << text;
    EXPECT_EQ(find(text).size, 8) << text;
  }
  EXPECT_EQ(closingRule().y, 120);  // gap under the row, then the empty pass
}

TEST_F(ItemTableTest, RowsStandTenMillimetresApart) {
  InvoiceLine first, second;
  first.id = "P1";
  second.id = "P2";
  drawTable({first, second}, 60);
  EXPECT_EQ(find("P1").y, 65);
  EXPECT_EQ(find("P2").y, 75);
  EXPECT_EQ(closingRule().y, 90);
}

TEST_F(ItemTableTest, InvoiceLinesOnOneFileLineAreEachFound) {
  InvoiceLine a, b, c;
  b.id = "2";
  c.id = "3";
  const std::string oneLine = onOneLine(invoiceLineXml(a) + invoiceLineXml(b) + invoiceLineXml(c));
  writeInvoice(invoiceFile({oneLine}, "Invoice"));
  layout.state.ypos = 60;
  drawItemTable(layout);
  EXPECT_THAT(textsAt(20), ElementsAre("1", "2", "3"));
  EXPECT_EQ(closingRule().y, 100);
}

TEST_F(ItemTableTest, InvoiceWithLineFeedsOnlyShowsAllLines) {
  InvoiceLine b;
  b.id = "2";
  std::string xml = invoiceXml({InvoiceLine{}, b});
  std::erase(xml, '\r');
  writeInvoice(xml);
  layout.state.ypos = 60;
  drawItemTable(layout);
  EXPECT_THAT(textsAt(20), ElementsAre("1", "2"));
}

struct LongTextCase {
  std::string proves;
  int nameLength;
  std::string description;
  bool checked;
  std::vector<std::string> continuation;  // with the y of each below
  std::vector<int> ys;
};

class LongTextTest : public TableTest, public ::testing::WithParamInterface<LongTextCase> {};

TEST_P(LongTextTest, ContinuationLinesCarryTheRest) {
  const LongTextCase& c = GetParam();
  InvoiceLine line;
  line.name = letters(c.nameLength);
  line.description = c.description;
  host.longTextAnswers = {c.checked};
  drawTable({line}, 100);
  std::vector<PrintedText> lines = at(50);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front().text, letters(std::min(c.nameLength, 45)));
  std::vector<std::string> texts;
  std::vector<int> ys;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].text.empty()) continue;  // the empty pass
    texts.push_back(lines[i].text);
    ys.push_back(lines[i].y);
  }
  EXPECT_EQ(texts, c.continuation);
  EXPECT_EQ(ys, c.ys);
  // Row, continuation lines, the gap, then the empty pass.
  EXPECT_EQ(closingRule().y, 105 + 5 * static_cast<int>(c.continuation.size()) + 15);
}

const std::string kName = letters(100);

INSTANTIATE_TEST_SUITE_P(
    Names, LongTextTest,
    ::testing::Values(
        LongTextCase{"name45_fits_the_row", 45, "", false, {}, {}},
        LongTextCase{
            "name46_continues_with_its_last_byte", 46, "", false, {kName.substr(45, 1)}, {110}},
        LongTextCase{"name100_in_pieces_46_to_90_and_91_to_100",
                     100,
                     "",
                     false,
                     {kName.substr(45, 45), kName.substr(90, 10)},
                     {110, 115}},
        LongTextCase{"description_unchecked_is_not_shown", 20, "Beschreibung", false, {}, {}},
        LongTextCase{"name50_then_description_after_a_blank",
                     50,
                     "0123456789",
                     true,
                     {kName.substr(45, 5) + " 0123456789"},
                     {110}},
        LongTextCase{"short_name_description_on_first_continuation",
                     20,
                     "Beschreibung",
                     true,
                     {"Beschreibung"},
                     {110}},
        LongTextCase{"name100_checked_without_description",
                     100,
                     "",
                     true,
                     {kName.substr(45, 45), kName.substr(90, 10)},
                     {110, 115}}),
    [](const auto& info) { return info.param.proves; });

// Pieces count characters, not bytes, and end between words where a blank
// allows it; a word longer than a piece is cut.
TEST_F(ItemTableTest, PiecesAre45CharactersEndingBetweenWords) {
  const std::string x44(44, 'x'), x43(43, 'x'), x42(42, 'x'), x40(40, 'x');
  struct Case {
    std::string name, description;
    std::vector<std::string> printed;
  };
  const Case cases[] = {
      {x44 + "ärger", "", {x44 + "ä", "rger"}},                      // ä is the 45th
      {x42 + "\xF0\x9F\x98\x80!", "", {x42 + "\xF0\x9F\x98\x80!"}},  // an emoji is one
      {x43 + "… mehr", "", {x43 + "… ", "mehr"}},                    // … then a blank
      {x40 + " Ordner", "", {x40 + " ", "Ordner"}},
      {"Rechnungsordner mit Rückenbreite 8 cm, Je Sets 10 Ordner",
       "",
       {"Rechnungsordner mit Rückenbreite 8 cm, Je ", "Sets 10 Ordner"}},
      // Each long-text piece is cut the same way, after the name's rest and a blank.
      {x44 + "xx", x40 + " über", {x44 + "x", "x " + x40 + " ", "über"}},
  };
  for (const Case& c : cases) {
    printer.texts.clear();
    InvoiceLine line;
    line.name = c.name;
    line.description = c.description;
    host.longTextAnswers = {!c.description.empty()};
    drawTable({line}, 100);
    EXPECT_EQ(textsAt(50), c.printed) << c.name << c.description;
  }
}

TEST_F(ItemTableTest, LongTextBoxIsAskedAfreshForEveryRow) {
  InvoiceLine a, b;
  a.description = "erste";
  b.id = "2";
  b.description = "zweite";
  host.longTextAnswers = {true, false, true};
  drawTable({a, b}, 60);
  EXPECT_THAT(textsAt(50), ElementsAre("Schraube", "erste", "Schraube"));
  EXPECT_EQ(host.longTextReads, 3);  // two rows and the empty pass
}

TEST_F(ItemTableTest, QuantityInAnyUnitIsItsNumber) {
  InvoiceLine c62, h87;
  c62.quantity = "3.5";
  h87.id = "2";
  h87.quantity = "10";
  h87.unit = "H87";
  drawTable({c62, h87}, 60);
  EXPECT_THAT(textsAt(110), ElementsAre("3,5", "10"));
}

TEST_F(ItemTableTest, UnitPriceFallsBackToThePriceAmount) {
  InvoiceLine priceOnly, both;
  priceOnly.priceAmount = "9.99";
  both.id = "2";
  both.priceAmount = "8.00";
  both.baseAmount = "10.00";
  drawTable({priceOnly, both}, 60);
  EXPECT_THAT(textsAt(145), ElementsAre("9,99", "10,00"));
}

TEST_F(ItemTableTest, RateTextIsDrawnAsTheFileHasIt) {
  InvoiceLine a, b, c;
  a.percent = "19.00";
  b.id = "2";
  b.percent = "19";
  c.id = "3";
  c.percent = "16.00";
  drawTable({a, b, c}, 60);
  EXPECT_THAT(textsAt(125), ElementsAre("19,00", "19", "16,00"));
}

struct SumsCase {
  std::string proves;
  std::vector<std::pair<std::string, std::string>> lines;  // rate, amount
  RateSums expected;
};

class SumsTest : public TableTest, public ::testing::WithParamInterface<SumsCase> {};

TEST_P(SumsTest, LineAmountsEnterTheSumsOfTheirRate) {
  std::vector<InvoiceLine> lines;
  for (const auto& [rate, amount] : GetParam().lines) {
    InvoiceLine line;
    line.id = std::to_string(lines.size() + 1);
    line.percent = rate;
    line.amount = amount;
    lines.push_back(line);
  }
  const RateSums sums = drawTable(lines, 30);
  const RateSums& e = GetParam().expected;
  EXPECT_EQ(sums.netto19, e.netto19);
  EXPECT_EQ(sums.mwst19, e.mwst19);
  EXPECT_EQ(sums.netto7, e.netto7);
  EXPECT_EQ(sums.mwst7, e.mwst7);
  EXPECT_EQ(sums.netto0, e.netto0);
}

INSTANTIATE_TEST_SUITE_P(
    Rates, SumsTest,
    ::testing::Values(
        SumsCase{"two_lines_at_19_give_150_and_28_50",
                 {{"19.00", "100.00"}, {"19.00", "50.00"}},
                 {150, 28.5, 0, 0, 0}},
        SumsCase{"rate_19_without_decimals_is_summed",
                 {{"19", "100.00"}, {"19.0", "50.00"}},
                 {150, 28.5, 0, 0, 0}},
        SumsCase{"rate_7_and_0", {{"7", "100.00"}, {"0.00", "20.00"}}, {0, 0, 100, 7, 20}},
        SumsCase{"other_rates_enter_no_sum",
                 {{"16.00", "100.00"}, {"19.5", "5"}, {"", "3"}, {"neunzehn", "1"}},
                 {0, 0, 0, 0, 0}},
        SumsCase{"negative_line_reduces_the_sum",
                 {{"19", "100.00"}, {"19", "-30.00"}},
                 {70, 13.3, 0, 0, 0}},
        // Five times 1.10 at 19 %: in extended precision the VAT sum stays just
        // below 1.045 and shows 1,04; plain double arithmetic reaches 1,05.
        SumsCase{"vat_is_added_in_extended_precision",
                 {{"19", "1.10"}, {"19", "1.10"}, {"19", "1.10"}, {"19", "1.10"}, {"19", "1.10"}},
                 {0x1.6p+2, 0x1.0b851eb851eb8p+0, 0, 0, 0}},
        // Three times 0.70 at 7 %: the net sum ends one unit in the last place
        // above what plain double arithmetic gives.
        SumsCase{"rate_7_in_extended_precision",
                 {{"7", "0.70"}, {"7", "0.70"}, {"7", "0.70"}},
                 {0, 0, 0x1.0cccccccccccdp+1, 0x1.2d0e560418937p-3, 0}}),
    [](const auto& info) { return info.param.proves; });

TEST_F(ItemTableTest, ExtendedPrecisionSumsPrintTheOriginalCents) {
  std::vector<InvoiceLine> lines(5);
  for (InvoiceLine& line : lines) line.amount = "1.10";
  EXPECT_EQ(formatSum(drawTable(lines, 30).mwst19), "1,04");
}

// Amounts in any currency are summed; a line amount that is no number stops
// the run once the row is drawn, one at an unknown rate is only drawn.
TEST_F(ItemTableTest, AmountsInAnyCurrencyAndAmountsThatAreNoNumber) {
  InvoiceLine dollars, unknownRate, noNumber;
  dollars.currency = "USD";
  unknownRate.id = "2";
  unknownRate.percent = "16.00";
  unknownRate.amount = "20 USD";
  EXPECT_EQ(drawTable({dollars, unknownRate}, 60).netto19, 20);
  EXPECT_THAT(textsAt(165), ElementsAre("20,00", "20 USD"));

  printer.texts.clear();
  noNumber.amount = "20.00 USD";
  writeInvoice(invoiceXml({noNumber}));
  try {
    drawItemTable(layout);
    FAIL() << "no conversion error";
  } catch (const ConvertError& error) {
    EXPECT_STREQ(error.what(), "'20,00 USD' ist kein gültiger Gleitkommawert");
  }
  EXPECT_THAT(textsAt(20), ElementsAre("1"));  // the row was drawn before the sums
}

TEST_F(ItemTableTest, ContinuationLinePast260ContinuesAt20OnTheNextPage) {
  InvoiceLine line;
  line.name = kName;       // two continuation lines
  drawTable({line}, 251);  // row at 256, continuation lines at 261 and 20
  const std::vector<PrintedText> lines = at(50);
  EXPECT_EQ(lines[0].y, 256);
  EXPECT_EQ(lines[1].y, 261);
  EXPECT_EQ(lines[1].page, 1);
  EXPECT_EQ(lines[2].y, 20);
  EXPECT_EQ(lines[2].page, 2);
  EXPECT_EQ(find("Seite 2").y, 5);
  EXPECT_EQ(find("Seite 2").page, 2);
  EXPECT_EQ(find(kName.substr(0, 45)).page, 1);
  EXPECT_EQ(find("20,00").y, 256);  // the row's remaining columns stay on its own y
  EXPECT_EQ(closingRule().y, 35);
  EXPECT_EQ(closingRule().page, 2);
}

TEST_F(ItemTableTest, RowEndingPast260MovesTheNextRowToTheNextPage) {
  InvoiceLine first, second;
  first.id = "P1";
  second.id = "P2";
  drawTable({first, second}, 255);  // first row at 260, then y 265
  EXPECT_EQ(find("P1").y, 260);
  EXPECT_EQ(find("P1").page, 1);
  EXPECT_EQ(find("P2").y, 20);
  EXPECT_EQ(find("P2").page, 2);
}

struct TableEndCase {
  std::string proves;
  int startY;
  int rulePage;
  int ruleY;
  int noteLines = 0;  // a payment note of so many lines, without "Rabatt" and "Anzahlung"
};

// A note of words that each fill a line of their own.
std::string noteOf(int lines) {
  if (lines == 0) return "";
  std::string note;
  for (int line = 0; line < lines; ++line) note += std::string(90, 'n') + " ";
  return "<cac:PaymentTerms><cbc:Note>" + note +
         "</cbc:Note></cac:PaymentTerms><cac:LegalMonetaryTotal>"
         "<cbc:AllowanceTotalAmount currencyID=\"EUR\">0.00</cbc:AllowanceTotalAmount>"
         "<cbc:PrepaidAmount currencyID=\"EUR\">0.00</cbc:PrepaidAmount>"
         "</cac:LegalMonetaryTotal>";
}

class TableEndTest : public TableTest, public ::testing::WithParamInterface<TableEndCase> {};

// Below the closing rule at R the totals need 40 mm, 5 more for each rate
// line (here two), "Rabatt" or "Anzahlung" line and further note line; their
// last line may stand at 265.
TEST_P(TableEndTest, ClosingRuleStaysOrMovesToTheNextPage) {
  writeInvoice(invoiceXml({InvoiceLine{}}, noteOf(GetParam().noteLines)));
  layout.state.ypos = GetParam().startY;
  drawItemTable(layout);
  EXPECT_EQ(closingRule().page, GetParam().rulePage);
  EXPECT_EQ(closingRule().y, GetParam().ruleY);
  EXPECT_EQ(layout.state.ypos, GetParam().ruleY);
  EXPECT_EQ(layout.state.pagenr, GetParam().rulePage);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, TableEndTest,
    ::testing::Values(TableEndCase{"ending_at_205_stays", 185, 1, 205},
                      TableEndCase{"ending_at_206_changes_page", 186, 2, 15},
                      // The empty pass is not tested, so the table may end at 270.
                      TableEndCase{"empty_pass_ending_at_270_changes_page", 250, 2, 15},
                      TableEndCase{"four_note_lines_end_at_265", 180, 1, 200, 4},
                      TableEndCase{"five_note_lines_would_end_at_270", 180, 2, 15, 5}),
    [](const auto& info) { return info.param.proves; });

}  // namespace
}  // namespace lumora::test
