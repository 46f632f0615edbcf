// Every public sample invoice through lumora-render, with and without the
// long text, judged as a reader of the PDF would judge it: a valid file whose
// first page names the invoice, whose table lists every invoice line with
// every character of its texts as written, and whose last page shows the amount
// due in its currency. The folder is read when the test runs, so invoices
// added to it are checked too.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

#include "pdf_inspect.h"
#include "program_run.h"
#include "public_invoice.h"
#include "temp_dir.h"
#include "tests/support/missing_input.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

// Column positions in points: the layout's millimetres times 3 across.
constexpr double kPosColumn = 20 * 3;
constexpr double kArtikelNrColumn = 30 * 3;
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

void expectInvoiceNumber(const std::vector<Word>& firstPage, const PublicInvoice& invoice) {
  const auto label = std::find_if(firstPage.begin(), firstPage.end(),
                                  [](const Word& w) { return w.text == "Rechnungsnummer:"; });
  ASSERT_NE(label, firstPage.end()) << "no \"Rechnungsnummer:\" on page 1";
  EXPECT_EQ(wordsRightOf(firstPage, *label), wordsOf(shownText(invoice.number)));
}

// Each line's identifier stands in the Pos column, in the invoice's order,
// possibly over several pages: whole, or, when it is too wide for the
// column even at 6 pt, its start and "…".
void expectLineIds(const std::vector<std::vector<Word>>& pages, const PublicInvoice& invoice) {
  std::size_t next = 0;
  for (const std::vector<Word>& page : pages) {
    for (const Word& word : page) {
      if (next == invoice.lineIds.size()) return;
      if (std::abs(word.xMin - kPosColumn) > 0.5) continue;
      std::string shown;
      for (const Word& other : page) {
        if (std::abs(other.yMin - word.yMin) < kSameLine && other.xMin >= word.xMin &&
            other.xMax <= kArtikelNrColumn) {
          shown += (shown.empty() ? "" : " ") + other.text;
        }
      }
      std::string id;
      for (const std::string& piece : wordsOf(shownText(invoice.lineIds[next]))) {
        id += (id.empty() ? "" : " ") + piece;
      }
      const std::string_view ellipsis = "…";
      if (shown == id || (shown.ends_with(ellipsis) &&
                          id.starts_with(shown.substr(0, shown.size() - ellipsis.size())))) {
        ++next;
      }
    }
  }
  EXPECT_EQ(next, invoice.lineIds.size())
      << "invoice line " << next + 1 << " (\"" << invoice.lineIds[next]
      << "\") is missing from the Pos column";
}

// The attached documents are named after "Anlagen:" on the last page.
void expectAttachmentsListed(const std::vector<Word>& lastPage, const PublicInvoice& invoice) {
  const bool listed = std::any_of(lastPage.begin(), lastPage.end(),
                                  [](const Word& w) { return w.text == "Anlagen:"; });
  EXPECT_EQ(listed, !invoice.attachmentNames.empty());
  for (const std::string& name : invoice.attachmentNames) {
    EXPECT_TRUE(std::any_of(lastPage.begin(), lastPage.end(),
                            [&](const Word& w) { return w.text == name || w.text == name + ","; }))
        << "attachment " << name << " not listed";
  }
}

// The totals' page: the last, or the one before when a list of attachments
// that would have reached the footer went on alone.
const std::vector<Word>& totalsPage(const std::vector<std::vector<Word>>& pages) {
  const auto holds = [](const std::vector<Word>& page, const char* text) {
    return std::any_of(page.begin(), page.end(), [&](const Word& w) { return w.text == text; });
  };
  if (pages.size() > 1 && holds(pages.back(), "Anlagen:") &&
      !holds(pages.back(), "Zahlungsbetrag")) {
    return pages[pages.size() - 2];
  }
  return pages.back();
}

void expectPayableAmount(const std::vector<Word>& lastPage, const PublicInvoice& invoice) {
  const auto label = std::find_if(lastPage.begin(), lastPage.end(),
                                  [](const Word& w) { return w.text == "Zahlungsbetrag"; });
  ASSERT_NE(label, lastPage.end()) << "no \"Zahlungsbetrag\" on the last page";
  const std::vector<std::string> right = wordsRightOf(lastPage, *label);
  std::vector<std::string> expected = wordsOf(shownText(invoice.payableAmount));
  expected.push_back(invoice.currency.empty() || invoice.currency == "EUR" ? "€"
                                                                           : invoice.currency);
  EXPECT_EQ(right, expected);
}

// The characters beyond ASCII that a raw text holds in UTF-8, each as its
// UTF-8 bytes; blanks and format characters (no-break space, soft hyphen,
// joiners) are left out, as pdftotext does not show them as words.
std::set<std::string> visibleCharactersIn(const std::string& raw) {
  std::set<std::string> found;
  for (std::size_t at = 0; at < raw.size(); ++at) {
    const auto lead = static_cast<unsigned char>(raw[at]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || at + length > raw.size()) continue;
    char32_t character = lead & (0x7F >> length);
    bool wellFormed = true;
    for (std::size_t i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(raw[at + i]);
      wellFormed = wellFormed && (next & 0xC0) == 0x80;
      character = character << 6 | (next & 0x3F);
    }
    const bool blank = character < 0xA1 || character == 0xAD ||
                       (character >= 0x2000 && character <= 0x200F) ||
                       (character >= 0x2028 && character <= 0x202F) || character == 0xFEFF;
    if (wellFormed && !blank) found.insert(raw.substr(at, length));
  }
  return found;
}

// Every character of the invoice lines' texts shows as itself, and no text
// shows the marks of UTF-8 bytes read one by one.
void expectCharactersDecoded(const std::vector<std::vector<Word>>& pages,
                             const PublicInvoice& invoice, bool longText) {
  std::string shown;
  for (const std::vector<Word>& page : pages) {
    for (const Word& word : page) {
      for (const char* mark : {"\u00C3", "\u00C2", "\u00E2\u20AC"}) {
        EXPECT_EQ(word.text.find(mark), std::string::npos) << "\"" << word.text << "\"";
      }
      shown += word.text;
    }
  }
  std::string raw;
  for (const std::string& name : invoice.lineNames) raw += name;
  if (longText) {
    for (const std::string& description : invoice.lineDescriptions) raw += description;
  }
  for (const std::string& character : visibleCharactersIn(raw)) {
    EXPECT_NE(shown.find(character), std::string::npos) << "\"" << character << "\" is missing";
  }
}

void checkRendering(const std::string& file, bool longText) {
  const PublicInvoice invoice = readPublicInvoice(file);
  TempDir out;
  std::vector<std::string> argv = {lumoraRender(), "--output-dir", out.path(), file};
  if (longText) argv.insert(argv.begin() + 1, "--long-text");
  const ProgramRun run = runProgram(argv);
  ASSERT_EQ(run.signal, 0) << run.err;

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
  expectPayableAmount(totalsPage(pages), invoice);
  expectAttachmentsListed(pages.back(), invoice);
  expectCharactersDecoded(pages, invoice, longText);
}

class PublicInvoicesTest : public testing::TestWithParam<bool> {};

TEST_P(PublicInvoicesTest, EachGivesItsPdf) {
  if (!fs::is_directory(LUMORA_PUBLIC_INVOICES)) {
    LUMORA_SKIP_UNLESS_CI("no folder of public invoices at " << LUMORA_PUBLIC_INVOICES);
  }
  const std::vector<std::string> files = invoiceFilesIn(LUMORA_PUBLIC_INVOICES);
  if (files.empty()) LUMORA_SKIP_UNLESS_CI("no invoices in " << LUMORA_PUBLIC_INVOICES);
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
