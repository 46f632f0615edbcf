// A long invoice end to end in the written PDF, read back with poppler: the
// pages, their continuation headers, where the rows stand and the totals.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "tests/render/pdf_run.h"
#include "tests/support/pdf_inspect.h"

namespace lumora::test {
namespace {

constexpr double kPointsPerMillimetreDown = 2.7;
constexpr double kPosColumn = 60;  // x 20 mm at 3 points per millimetre

// `count` invoice lines at 19 % of 12.50 each, every name 100 characters
// long, so each row takes 20 mm: the row, two continuation lines, the gap.
std::vector<std::string> longNamedLines(int count) {
  std::vector<std::string> lines;
  for (InvoiceLine line : numberedLines(count)) {
    const std::string n = line.id;
    line.id = "L" + n;
    line.name = "Pos" + n + std::string(100 - 3 - n.size(), 'x');
    line.amount = "12.50";
    line.percent = "19";
    lines.push_back(invoiceLineXml(line));
  }
  return lines;
}

// The words of a page joined into lines by their top, left to right.
std::vector<std::string> textLines(std::vector<Word> words) {
  std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
    return a.yMin != b.yMin ? a.yMin < b.yMin : a.xMin < b.xMin;
  });
  std::vector<std::string> lines;
  double lineTop = -100;
  for (const Word& word : words) {
    if (std::abs(word.yMin - lineTop) < 0.5) {
      lines.back() += " " + word.text;
    } else {
      lines.push_back(word.text);
      lineTop = word.yMin;
    }
  }
  return lines;
}

struct Row {
  int page;
  double y;  // millimetres from the top, from the word's top
};

TEST(MultipagePdfTest, RowsRunOverThreePagesWithHeadersAndTotals) {
  std::vector<std::string> elements = longNamedLines(24);
  elements.push_back(
      "<cac:LegalMonetaryTotal><cbc:TaxExclusiveAmount currencyID=\"EUR\">300.00"
      "</cbc:TaxExclusiveAmount><cbc:TaxInclusiveAmount currencyID=\"EUR\">357.00"
      "</cbc:TaxInclusiveAmount><cbc:AllowanceTotalAmount currencyID=\"EUR\">0.00"
      "</cbc:AllowanceTotalAmount><cbc:PrepaidAmount currencyID=\"EUR\">0.00</cbc:PrepaidAmount>"
      "<cbc:PayableAmount currencyID=\"EUR\">357.00</cbc:PayableAmount>"
      "</cac:LegalMonetaryTotal>");
  elements.push_back(
      "<cac:PaymentTerms><cbc:Note>Zahlbar binnen 30 Tagen</cbc:Note></cac:PaymentTerms>");
  TempDir folder;
  const std::string invoice = folder.write("lang.xml", minimalInvoice("4711", elements));
  const std::string pdf = renderPdf(invoice, folder.path());

  const int pages = readPdfInfo(pdf).pages;
  ASSERT_EQ(pages, 3);
  // Every page has its own top: the page number stands at y 5 mm from page 2
  // on, which also gives the scale to read the rows' millimetres.
  std::map<std::string, Row> rows;
  double top = 0;  // word top of a size-8 text at y 0
  for (int page = 2; page <= pages; ++page) {
    const std::vector<Word> words = readWords(pdf, page);
    const Word seite = findWord(words, "Seite");
    EXPECT_EQ(findWord(words, std::to_string(page)).yMin, seite.yMin);
    EXPECT_EQ(findWord(words, "Rechnung").yMin, seite.yMin);
    EXPECT_EQ(findWord(words, "4711").yMin, seite.yMin);
    top = seite.yMin - 5 * kPointsPerMillimetreDown;
  }
  EXPECT_EQ(readPageText(pdf, 1).find("Seite"), std::string::npos);
  for (int page = 1; page <= pages; ++page) {
    for (const Word& word : readWords(pdf, page)) {
      if (word.text.size() > 1 && word.text[0] == 'L' && std::abs(word.xMin - kPosColumn) < 1) {
        rows[word.text] = {page, (word.yMin - top) / kPointsPerMillimetreDown};
      }
    }
  }
  ASSERT_EQ(rows.size(), 24u);

  // Rows 20 mm apart while they stay on a page. Row 8 ends past 260 after
  // its gap, so row 9 opens page 2 at 20. Row 21 stands at 260 and its first
  // continuation line at 265 changes the page: the second one lands at 20,
  // the gap follows, and row 22 stands at 30 on page 3.
  for (int i = 2; i <= 24; ++i) {
    // Appended, not "L" + std::to_string(i): GCC 12 at -O3 warns falsely
    // (-Wrestrict) about that temporary.
    const Row& before = rows[std::string("L").append(std::to_string(i - 1))];
    const Row& row = rows[std::string("L").append(std::to_string(i))];
    if (row.page == before.page) {
      EXPECT_NEAR(row.y - before.y, 20, 0.5) << "row " << i;
    }
  }
  const std::vector<std::tuple<std::string, int, double>> turns = {
      {"L8", 1, 249}, {"L9", 2, 20}, {"L21", 2, 260}, {"L22", 3, 30}};
  for (const auto& [id, page, y] : turns) {
    EXPECT_EQ(rows[id].page, page) << id;
    EXPECT_NEAR(rows[id].y, y, 0.5) << id;
  }
  double continuationY = 0;
  for (const Word& word : readWords(pdf, 3)) {
    if (std::abs(word.xMin - 150) < 1) {  // x 50 mm
      continuationY = (word.yMin - top) / kPointsPerMillimetreDown;
      break;
    }
  }
  EXPECT_NEAR(continuationY, 20, 0.5);

  const std::vector<std::string> last = textLines(readWords(pdf, pages));
  for (const std::string text :
       {"Nettosumme 300,00", "Netto 19,00 300,00", "MWSt 19,00 57,00", "Bruttosumme 357,00",
        "Zahlungsbetrag 357,00 \xE2\x82\xAC", "Zahlbar binnen 30 Tagen"}) {
    EXPECT_NE(std::find(last.begin(), last.end(), text), last.end()) << text;
  }
  for (const std::string& line : last) EXPECT_EQ(line.find("Rabatt"), std::string::npos);
}

}  // namespace
}  // namespace lumora::test
