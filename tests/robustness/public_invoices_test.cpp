// Every public sample invoice through lumora-render, with and without the
// long text, judged as a reader of the PDF would judge it: a valid file whose
// first page names the invoice, whose table lists every invoice line, and
// whose last page shows the amount due; or, where a line at 19, 7 or 0 %
// is not in euro, the conversion error and no file at all. The folder is
// read when the test runs, so invoices added to it are checked too.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "pdf_inspect.h"
#include "program_run.h"
#include "public_invoice.h"
#include "temp_dir.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

// Column positions in points: the layout's millimetres times 3 across.
constexpr double kPosColumn = 20 * 3;
constexpr double kSameLine = 1.0;

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// The words on the same line as `anchor`, to its right, left to right.
std::vector<std::string> wordsRightOf(const std::vector<Word>& words, const Word& anchor) {
  std::vector<Word> line;
  for (const Word& word : words) {
    if (std::abs(word.yMin - anchor.yMin) < kSameLine && word.xMin > anchor.xMin) {
      line.push_back(word);
    }
  }
  std::sort(line.begin(), line.end(), [](const Word& a, const Word& b) { return a.xMin < b.xMin; });
  std::vector<std::string> texts;
  for (const Word& word : line) texts.push_back(word.text);
  return texts;
}

bool lineHolds(const std::vector<Word>& words, const Word& anchor, const std::string& piece) {
  return std::any_of(words.begin(), words.end(), [&](const Word& word) {
    return std::abs(word.yMin - anchor.yMin) < kSameLine &&
           word.text.find(piece) != std::string::npos;
  });
}

void expectInvoiceNumber(const std::vector<Word>& firstPage, const PublicInvoice& invoice) {
  const auto label = std::find_if(firstPage.begin(), firstPage.end(),
                                  [](const Word& w) { return w.text == "Rechnungsnummer:"; });
  ASSERT_NE(label, firstPage.end()) << "no \"Rechnungsnummer:\" on page 1";
  EXPECT_EQ(wordsRightOf(firstPage, *label), wordsOf(shownText(invoice.number)));
}

// Each line's identifier stands in the Pos column, in the invoice's order,
// possibly over several pages. An identifier longer than the column runs
// into the next one, where pdftotext may glue its words to their neighbours:
// its first word must start the column, the others must be on its line.
void expectLineIds(const std::vector<std::vector<Word>>& pages, const PublicInvoice& invoice) {
  std::size_t next = 0;
  for (const std::vector<Word>& page : pages) {
    for (const Word& word : page) {
      if (next == invoice.lineIds.size()) return;
      const std::vector<std::string> id = wordsOf(shownText(invoice.lineIds[next]));
      if (std::abs(word.xMin - kPosColumn) > 0.5 || id.empty() || word.text != id.front()) {
        continue;
      }
      for (const std::string& piece : id) {
        EXPECT_TRUE(lineHolds(page, word, piece)) << "line " << next + 1 << ": \"" << piece
                                                  << "\" missing beside \"" << word.text << "\"";
      }
      ++next;
    }
  }
  EXPECT_EQ(next, invoice.lineIds.size())
      << "invoice line " << next + 1 << " (\"" << invoice.lineIds[next]
      << "\") is missing from the Pos column";
}

void expectPayableAmount(const std::vector<Word>& lastPage, const PublicInvoice& invoice) {
  const auto label = std::find_if(lastPage.begin(), lastPage.end(),
                                  [](const Word& w) { return w.text == "Zahlungsbetrag"; });
  ASSERT_NE(label, lastPage.end()) << "no \"Zahlungsbetrag\" on the last page";
  const std::vector<std::string> right = wordsRightOf(lastPage, *label);
  std::vector<std::string> expected = wordsOf(shownText(invoice.payableAmount));
  if (invoice.payableInEuro) {
    expected.push_back("€");
    EXPECT_EQ(right, expected);
  } else {
    // The raw text that stands in for an amount in another currency runs
    // off the page, and poppler cuts its first word at the edge.
    ASSERT_FALSE(right.empty());
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(expected.front().starts_with(right.front())) << right.front();
  }
}

void checkRendering(const std::string& file, bool longText) {
  const PublicInvoice invoice = readPublicInvoice(file);
  TempDir out;
  std::vector<std::string> argv = {lumoraRender(), "--output-dir", out.path(), file};
  if (longText) argv.insert(argv.begin() + 1, "--long-text");
  const ProgramRun run = runProgram(argv);
  ASSERT_EQ(run.signal, 0) << run.err;

  if (invoice.conversionError) {
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, file + ": " + *invoice.conversionError + "\n");
    EXPECT_TRUE(filesIn(out.path()).empty()) << "a failed run left a file";
    return;
  }
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> written = filesIn(out.path());
  ASSERT_EQ(written.size(), 1u) << "expected exactly the PDF in the output folder";
  const std::string pdf = out.path() + "/" + written.front();
  EXPECT_EQ(run.out, pdf + "\n");
  EXPECT_TRUE(written.front().starts_with("Beleg-") && written.front().ends_with(".pdf"));

  const ToolResult check = runTool({"qpdf", "--check", pdf});
  EXPECT_EQ(check.exitCode, 0) << check.output;

  const int pageCount = readPdfInfo(pdf).pages;
  ASSERT_GE(pageCount, 1);
  std::vector<std::vector<Word>> pages;
  for (int page = 1; page <= pageCount; ++page) pages.push_back(readWords(pdf, page));
  expectInvoiceNumber(pages.front(), invoice);
  expectLineIds(pages, invoice);
  expectPayableAmount(pages.back(), invoice);
}

class PublicInvoicesTest : public testing::TestWithParam<bool> {};

TEST_P(PublicInvoicesTest, EachGivesItsPdfOrTheConversionError) {
  if (!fs::is_directory(LUMORA_PUBLIC_INVOICES)) {
    GTEST_SKIP() << "no folder of public invoices at " << LUMORA_PUBLIC_INVOICES;
  }
  const std::vector<std::string> files = invoiceFilesIn(LUMORA_PUBLIC_INVOICES);
  if (files.empty()) GTEST_SKIP() << "no invoices in " << LUMORA_PUBLIC_INVOICES;
  for (const std::string& file : files) {
    SCOPED_TRACE(fs::path(file).filename().string());
    checkRendering(file, /*longText=*/GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(LongText, PublicInvoicesTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "WithLongText" : "WithoutLongText";
                         });

}  // namespace
}  // namespace lumora::test
