// The public CII invoices against their UBL twins: both render to the same
// file name and page count, and their words are held against each other with
// their positions, with and without the long texts. Where the twins differ, the differences are
// counted and named below; a change in either count shows a change in how one of the syntaxes is
// read. The public UBL credit note renders as a credit note.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/exceptions.h"
#include "tests/render/pdf_run.h"
#include "tests/support/missing_input.h"
#include "tests/support/pdf_inspect.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

const std::string kUblFolder = LUMORA_PUBLIC_INVOICES;
const std::string kCiiFolder = kUblFolder + "/../public-cii";
const std::string kCreditNoteFolder = kUblFolder + "/../public-creditnote";

// Where the twins' words differ: how many words only the UBL page and only
// the CII page shows, and why.
struct Twin {
  const char* cii;
  const char* ubl;
  int ublOnly = 0;
  int ciiOnly = 0;
  const char* why = "";
};

// A UBL order reference whose required cbc:ID holds the placeholder
// "Dummywert", which the CII twin does not carry: the metadata lines below it
// stand one line higher on the CII page.
constexpr const char* kDummyOrder = "UBL order reference \"Dummywert\" only in the UBL twin";
constexpr const char* kDecimals = "prices and amounts written with other decimals";

const Twin kTwins[] = {
    {"01.01_comprehensive_test_uncefact.xml", "01.01_comprehensive_test_ubl.xml", 4, 3,
     "quantity and price written with other decimals; the UBL registration name of the "
     "buyer holds its trading name"},
    {"01.01a-INVOICE_uncefact.xml", "01.01a-INVOICE_ubl.xml"},
    {"01.02a-INVOICE_uncefact.xml", "01.02a-INVOICE_ubl.xml", 16, 14, kDummyOrder},
    {"01.04a-INVOICE_uncefact.xml", "01.04a-INVOICE_ubl.xml"},
    {"01.05a-INVOICE_uncefact.xml", "01.05a-INVOICE_ubl.xml"},
    {"01.06_minimal_test_uncefact.xml", "01.06_minimal_test_ubl.xml", 2, 2,
     "quantity and price written with other decimals"},
    {"01.06a-INVOICE_uncefact.xml", "01.06a-INVOICE_ubl.xml"},
    {"01.08a-INVOICE_uncefact.xml", "01.08a-INVOICE_ubl.xml", 18, 16, kDummyOrder},
    {"01.10a-INVOICE_uncefact.xml", "01.10a-INVOICE_ubl.xml", 19, 17, kDummyOrder},
    {"01.13a-INVOICE_uncefact.xml", "01.13a-INVOICE_ubl.xml", 20, 18, kDummyOrder},
    {"01.14a-INVOICE_uncefact.xml", "01.14a-INVOICE_ubl.xml"},
    {"01.15a-INVOICE_uncefact.xml", "01.15a-INVOICE_ubl.xml"},
    {"01.17a-INVOICE_uncefact.xml", "01.17a-INVOICE_ubl.xml"},
    {"01.18a-INVOICE_uncefact.xml", "01.18a-INVOICE_ubl.xml"},
    {"01.20a-INVOICE_uncefact.xml", "01.20a-INVOICE_ubl.xml", 39, 31,
     "seller and buyer addresses, rate and price texts differ; the CII twin states "
     "allowance and prepaid totals of 0.00, which hide their lines"},
    {"01.21a-INVOICE_uncefact.xml", "01.21a-INVOICE_ubl.xml", 20, 17,
     "VAT identifier, quantity and rate texts differ; the CII twin states an allowance "
     "total of 0.00"},
    {"02.01a-INVOICE_uncefact.xml", "02.01a-INVOICE_ubl.xml"},
    {"02.03a-INVOICE_uncefact.xml", "02.03a-INVOICE_ubl.xml"},
    {"02.05a-INVOICE_uncefact.xml", "02.05a-INVOICE_ubl.xml"},
    {"02.06a-INVOICE_uncefact.xml", "02.06a-INVOICE_ubl.xml", 2, 2, kDecimals},
    {"03.01a-INVOICE_uncefact.xml", "03.01a-INVOICE_ubl.xml"},
    {"03.04a-INVOICE_uncefact.xml", "03.04a-INVOICE_ubl.xml", 6, 6, kDecimals},
    {"03.05a-INVOICE_uncefact.xml", "03.05a-INVOICE_ubl.xml", 1, 1, kDecimals},
    {"03.06a-INVOICE_uncefact.xml", "03.06a-INVOICE_ubl.xml", 8, 8,
     "the UBL twin swaps postal zone and city"},
    {"03.07a-INVOICE_uncefact.xml", "03.07a-INVOICE_ubl.xml", 2, 2,
     "quantity and price written with other decimals"},
    {"CII_example1.xml", "ubl-tc434-example1.xml", 19, 19,
     "an item name differs; prices and amounts written with other decimals"},
    {"CII_example2.xml", "ubl-tc434-example2.xml", 11, 11,
     "amounts in NOK written with other decimals; the first line's quantity and price, and "
     "another price, differ; the attachment is test.pdf in UBL, EHF.pdf in CII"},
    {"CII_example5.xml", "ubl-tc434-example5.xml", 18, 21,
     "amounts in DKK written with other decimals; only the CII twin names an IBAN"},
    {"CII_example7.xml", "ubl-tc434-example7.xml", 9, 9,
     "amounts in SEK written with other decimals; the twins' issue dates differ"},
    {"CII_example8.xml", "ubl-tc434-example8.xml", 8, 8, "prices written with other decimals"},
};

// A word with its page and position, to a tenth of a point.
using PlacedWord = std::tuple<int, long, long, std::string>;

std::multiset<PlacedWord> placedWords(const std::string& pdf) {
  std::multiset<PlacedWord> words;
  const int pages = readPdfInfo(pdf).pages;
  for (int page = 1; page <= pages; ++page) {
    for (const Word& word : readWords(pdf, page)) {
      words.insert({page, std::lround(word.xMin * 10), std::lround(word.yMin * 10), word.text});
    }
  }
  return words;
}

std::multiset<PlacedWord> without(const std::multiset<PlacedWord>& all,
                                  const std::multiset<PlacedWord>& taken) {
  std::multiset<PlacedWord> rest;
  std::set_difference(all.begin(), all.end(), taken.begin(), taken.end(),
                      std::inserter(rest, rest.begin()));
  return rest;
}

std::string listed(const std::multiset<PlacedWord>& words) {
  std::string text;
  for (const auto& [page, x, y, word] : words) {
    text += "  p" + std::to_string(page) + " (" + std::to_string(x / 10) + "," +
            std::to_string(y / 10) + ") " + word + "\n";
  }
  return text;
}

TEST(TwinInvoicesTest, CiiTwinsRenderLikeTheirUblTwins) {
  if (!fs::is_directory(kCiiFolder)) LUMORA_SKIP_UNLESS_CI("no public CII invoices");
  for (const bool longText : {false, true}) {
    int words = 0;
    int matching = 0;
    double lowest = 100;
    for (const Twin& twin : kTwins) {
      SCOPED_TRACE(std::string(twin.cii) + (longText ? " with long texts" : ""));
      TempDir ublFolder;
      TempDir ciiFolder;
      const std::string ublPdf = renderPdf(kUblFolder + "/" + twin.ubl, ublFolder.path(), longText);
      const std::string ciiPdf = renderPdf(kCiiFolder + "/" + twin.cii, ciiFolder.path(), longText);
      ASSERT_EQ(fs::path(ciiPdf).filename(), fs::path(ublPdf).filename());
      ASSERT_EQ(readPdfInfo(ciiPdf).pages, readPdfInfo(ublPdf).pages);

      const std::multiset<PlacedWord> ubl = placedWords(ublPdf);
      const std::multiset<PlacedWord> cii = placedWords(ciiPdf);
      const std::multiset<PlacedWord> ublOnly = without(ubl, cii);
      const std::multiset<PlacedWord> ciiOnly = without(cii, ubl);
      EXPECT_EQ(static_cast<int>(ublOnly.size()), twin.ublOnly)
          << twin.why << "\nonly on the UBL page:\n"
          << listed(ublOnly) << "only on the CII page:\n"
          << listed(ciiOnly);
      EXPECT_EQ(static_cast<int>(ciiOnly.size()), twin.ciiOnly);

      const int count = static_cast<int>(std::max(ubl.size(), cii.size()));
      const int same = static_cast<int>(ubl.size() - ublOnly.size());
      words += count;
      matching += same;
      lowest = std::min(lowest, 100.0 * same / count);
    }
    const double share = 100.0 * matching / words;
    const std::string mode = longText ? "with long texts" : "without long texts";
    std::cout << "matching words " << mode << ": " << matching << " of " << words << " (" << share
              << " %), lowest file " << lowest << " %\n";
    RecordProperty("matching_words_percent " + mode, std::to_string(share));
    RecordProperty("lowest_file_percent " + mode, std::to_string(lowest));
  }
}

TEST(TwinInvoicesTest, PublicCreditNoteIsAGutschriftWithItsLine) {
  const std::string note = kCreditNoteFolder + "/ubl-tc434-creditnote1.xml";
  if (!fs::exists(note)) LUMORA_SKIP_UNLESS_CI("no public credit note");
  TempDir folder;
  const std::string pdf = renderPdf(note, folder.path());
  ASSERT_FALSE(pdf.empty());
  const std::vector<std::string> lines = readPageLines(pdf, 1);
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  EXPECT_EQ(text.find("Rechnung "), std::string::npos) << text;
  // The heading, and the line: item number, credited quantity, amount, and
  // the exempt amount summed.
  for (const char* shown : {"Gutschrift", "V55", "1,00", "100,11", "Netto steuerfrei"}) {
    EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
  }
}

}  // namespace
}  // namespace lumora::test
