// The totals block: the invoice's own totals, the computed per-rate lines,
// the amount due between two short rules and the payment-terms note.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/render/table_fixture.h"

namespace lumora::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string monetaryTotal(const std::string& allowance = "0.00",
                          const std::string& prepaid = "0.00",
                          const std::string& currency = "EUR") {
  const auto amount = [&](const std::string& name, const std::string& value) {
    if (value.empty()) return std::string();
    return "    <cbc:" + name + " currencyID=\"" + currency + "\">" + value + "</cbc:" + name +
           ">\r\n";
  };
  return "  <cac:LegalMonetaryTotal>\r\n" + amount("LineExtensionAmount", "100.00") +
         amount("TaxExclusiveAmount", "100.00") + amount("TaxInclusiveAmount", "119.00") +
         amount("AllowanceTotalAmount", allowance) + amount("PrepaidAmount", prepaid) +
         amount("PayableAmount", "119.00") + "  </cac:LegalMonetaryTotal>\r\n";
}

std::string paymentTerms(const std::string& note) {
  return "  <cac:PaymentTerms>\r\n    <cbc:Note>" + note +
         "</cbc:Note>\r\n  </cac:PaymentTerms>\r\n";
}

class TotalsTest : public TableTest {
 protected:
  void drawTotalsOf(const std::string& tail, const RateSums& sums, int ruleY = 100) {
    writeInvoice(invoiceXml({InvoiceLine{}}, tail));
    layout.state.ypos = ruleY;
    drawTotals(layout, sums);
  }

  // (y, label, amount) of every line at x 125, the amount found on the same y.
  std::vector<std::tuple<int, std::string, std::string>> lines() const {
    std::vector<std::tuple<int, std::string, std::string>> result;
    for (const PrintedText& label : at(125)) {
      std::string amount;
      for (const PrintedText& p : at(165)) {
        if (p.y == label.y) amount = p.text;
      }
      result.emplace_back(label.y, label.text, amount);
    }
    return result;
  }

  // The amount at x 165 on the line of `label`; a failure when there is none.
  std::string amountOf(const std::string& label) const {
    const int y = find(label).y;
    for (const PrintedText& p : at(165)) {
      if (p.y == y) return p.text;
    }
    ADD_FAILURE() << "no amount on the line of " << label;
    return "";
  }
};

const std::string kShort(42, '_');
const std::string kEuro = "€";

TEST_F(TotalsTest, EveryLineDrawnStandsFiveMillimetresBelowTheLast) {
  drawTotalsOf(monetaryTotal("10.50", "5.00") + paymentTerms("Zahlbar sofort"),
               RateSums{100, 19, 50, 3.5, 20});
  using Line = std::tuple<int, std::string, std::string>;
  EXPECT_THAT(lines(),
              ElementsAre(Line{110, "Nettosumme", "100,00"}, Line{115, "Netto 19,00", "100,00"},
                          Line{120, "MWSt 19,00", "19,00"}, Line{125, "Netto 7,00", "50,00"},
                          Line{130, "MWSt 7,00", "3,50"}, Line{135, "Netto steuerfrei", "20,00"},
                          Line{140, "Bruttosumme", "119,00"}, Line{145, "Rabatt", "10,50"},
                          Line{150, "Anzahlung", "5,00"}, Line{155, kShort, ""},
                          Line{160, "Zahlungsbetrag", "119,00 " + kEuro}, Line{165, kShort, ""}));
  EXPECT_EQ(find("Zahlbar sofort").x, 20);
  EXPECT_EQ(find("Zahlbar sofort").y, 175);
  EXPECT_EQ(find("Zahlbar sofort").size, 10);
  EXPECT_EQ(find("Nettosumme").size, 10);
  EXPECT_EQ(find("100,00").size, 10);
  EXPECT_EQ(find(kShort).size, 8);
  EXPECT_EQ(layout.state.ypos, 180);  // below the note
}

TEST_F(TotalsTest, OnlyNonZeroSumsGetARateLine) {
  drawTotalsOf(monetaryTotal(), RateSums{150, 28.5, 0, 0, 0});
  using Line = std::tuple<int, std::string, std::string>;
  EXPECT_THAT(lines(),
              ElementsAre(Line{110, "Nettosumme", "100,00"}, Line{115, "Netto 19,00", "150,00"},
                          Line{120, "MWSt 19,00", "28,50"}, Line{125, "Bruttosumme", "119,00"},
                          Line{130, kShort, ""}, Line{135, "Zahlungsbetrag", "119,00 " + kEuro},
                          Line{140, kShort, ""}));
}

TEST_F(TotalsTest, SumsAreComparedWithZeroExactly) {
  drawTotalsOf(monetaryTotal(), RateSums{-5, 1e-17, 0, 0, 0});
  EXPECT_THAT(textsAt(165), ElementsAre("100,00", "-5,00", "0,00", "119,00", "119,00 " + kEuro));
}

struct DiscountCase {
  std::string proves;
  std::string raw;
  std::vector<std::string> labels;  // between "Bruttosumme" and the rule
  std::string amount;
};

class DiscountTest : public TotalsTest, public ::testing::WithParamInterface<DiscountCase> {};

TEST_P(DiscountTest, OnlyTheExactText0_00HidesTheLine) {
  drawTotalsOf(monetaryTotal(GetParam().raw, GetParam().raw), RateSums{});
  std::vector<std::string> labels;
  for (const PrintedText& p : at(125)) {
    if (p.text == "Rabatt" || p.text == "Anzahlung") labels.push_back(p.text);
  }
  EXPECT_EQ(labels, GetParam().labels);
  if (!labels.empty()) {
    EXPECT_EQ(amountOf("Rabatt"), GetParam().amount);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DiscountTest,
    ::testing::Values(
        DiscountCase{"zero_with_two_decimals_is_hidden", "0.00", {}, ""},
        DiscountCase{"amount_is_shown", "10.50", {"Rabatt", "Anzahlung"}, "10,50"},
        DiscountCase{"zero_written_0_is_shown", "0", {"Rabatt", "Anzahlung"}, "0"},
        DiscountCase{"zero_written_0_0_is_shown", "0.0", {"Rabatt", "Anzahlung"}, "0,0"},
        DiscountCase{"absent_element_shows_the_label", "", {"Rabatt", "Anzahlung"}, ""}),
    [](const auto& info) { return info.param.proves; });

TEST_F(TotalsTest, AbsentMonetaryTotalDrawsLabelsWithEmptyAmounts) {
  drawTotalsOf("", RateSums{150, 28.5, 0, 0, 0});
  EXPECT_THAT(textsAt(125), ElementsAre("Nettosumme", "Netto 19,00", "MWSt 19,00", "Bruttosumme",
                                        "Rabatt", "Anzahlung", kShort, "Zahlungsbetrag", kShort));
  EXPECT_THAT(textsAt(165), ElementsAre("150,00", "28,50", " " + kEuro));
}

// Amounts in any currency are the file's text; the amount due names the
// document's currency, with the euro sign for euro or none named.
TEST_F(TotalsTest, AmountDueNamesTheDocumentsCurrency) {
  for (const auto& [code, shown] :
       {std::pair{"", "119,00 " + kEuro}, std::pair{"EUR", "119,00 " + kEuro},
        std::pair{"DKK", std::string("119,00 DKK")}}) {
    printer.texts.clear();
    const std::string currency =
        "<cbc:DocumentCurrencyCode>" + std::string(code) + "</cbc:DocumentCurrencyCode>";
    drawTotalsOf(currency + monetaryTotal("0.00", "0.00", "DKK"), RateSums{});
    EXPECT_THAT(textsAt(165), ElementsAre("100,00", "119,00", shown)) << code;
  }
}

// At 10 pt a character is 5 points, 1.67 layout millimetres here: 103 fit
// the 173 mm from x 20 to the printable area's edge.
TEST_F(TotalsTest, NoteKeepsItsSizeAndWrapsAtBlanksOneLinePerFiveMillimetres) {
  const std::string word(60, 'w'), longWord(250, 'l');
  drawTotalsOf(monetaryTotal() + paymentTerms(word + "  " + word + " " + longWord + " Ende"),
               RateSums{});
  EXPECT_THAT(textsAt(20), ElementsAre(word, word, longWord.substr(0, 103), longWord.substr(0, 103),
                                       longWord.substr(0, 44) + " Ende"));
  for (const PrintedText& line : at(20)) EXPECT_EQ(line.size, 10);
  EXPECT_EQ(at(20).front().y, 140);
  EXPECT_EQ(at(20).back().y, 160);
}

TEST_F(TotalsTest, NoNoteDrawsNothingBelowTheRule) {
  drawTotalsOf(monetaryTotal(), RateSums{});
  EXPECT_THAT(textsAt(20), IsEmpty());
}

// The item table changes the page before the totals when they would not
// fit; a note that still reaches past 265 goes on over the next page.
TEST_F(TotalsTest, NoteLinePast265GoesOnTheNextPage) {
  drawTotalsOf(monetaryTotal("1.00", "2.00") + paymentTerms("Skonto"),
               RateSums{100, 19, 50, 3.5, 20}, 205);
  EXPECT_EQ(find("Zahlungsbetrag").y, 265);
  EXPECT_EQ(find("Zahlungsbetrag").page, 1);
  EXPECT_EQ(find("Skonto").y, 15);
  EXPECT_EQ(find("Skonto").page, 2);
  EXPECT_EQ(layout.state.pagenr, 2);
}

}  // namespace
}  // namespace lumora::test
