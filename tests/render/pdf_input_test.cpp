// Invoices that arrive as PDF: the page of a PDF is the page of its XML,
// the public PDFs render, and the run never writes its PDF over the invoice
// it reads.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "invoice/pdf_invoice.h"
#include "pdf_maker.h"
#include "platform/exceptions.h"
#include "render/attachment_list.h"
#include "render/render_run.h"
#include "tests/render/pdf_run.h"
#include "tests/support/pdf_inspect.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

const std::string kPublic = LUMORA_PUBLIC_INVOICES;

std::vector<std::string> wordsOf(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every word of every page with its place, as a reader sees the PDF.
std::vector<std::string> pageWords(const std::string& pdf) {
  std::vector<std::string> words;
  const int pages = readPdfInfo(pdf).pages;
  for (int page = 1; page <= pages; ++page) {
    for (const Word& word : readWords(pdf, page)) {
      words.push_back(std::to_string(page) + " " + std::to_string(word.xMin) + " " +
                      std::to_string(word.yMin) + " " + word.text);
    }
  }
  return words;
}

// The pages of `xml` rendered alone, and inside a PDF under `name`.
void expectTwins(const std::string& xml, const std::string& name) {
  TempDir folder;
  const std::string pdf = folder.write("rechnung.pdf", makePdf({{name, xml}}));
  const std::string alone = folder.write("rechnung.xml", xml);
  TempDir fromPdf;
  TempDir fromXml;
  const std::vector<std::string> pdfWords = pageWords(renderPdf(pdf, fromPdf.path()));
  EXPECT_FALSE(pdfWords.empty());
  EXPECT_EQ(pdfWords, pageWords(renderPdf(alone, fromXml.path()))) << name;
}

bool publicInvoicesThere(const std::string& folder) {
  if (fs::is_directory(folder)) return true;
  const char* ci = std::getenv("CI");
  if (ci && std::string(ci) == "true") ADD_FAILURE() << "no public invoices at " << folder;
  return false;
}

// One public invoice of each syntax, inside a PDF as its standard names it.
TEST(PdfInputTest, PdfPageIsThePageOfItsXml) {
  if (!publicInvoicesThere(kPublic)) GTEST_SKIP();
  expectTwins(fileBytes(kPublic + "/01.01a-INVOICE_ubl.xml"), "xrechnung.xml");
  expectTwins(fileBytes(kPublic + "/../public-creditnote/ubl-tc434-creditnote1.xml"),
              "xrechnung.xml");
  expectTwins(fileBytes(kPublic + "/../public-cii/01.15a-INVOICE_uncefact.xml"), "factur-x.xml");
  const std::string zugferd1 =
      readEmbeddedInvoice(kPublic + "/../public-pdf/zugferd_invoice.pdf").xml;
  expectTwins(zugferd1, "ZUGFeRD-invoice.xml");
}

// Every public PDF with an invoice renders the page of its XML; a PDF
// without one is refused and nothing is written.
TEST(PdfInputTest, PublicPdfsRenderThePageOfTheirXml) {
  const std::string folder = kPublic + "/../public-pdf";
  if (!publicInvoicesThere(folder)) GTEST_SKIP();
  struct Sample {
    std::string pdf;
    std::vector<std::string> onlyOnPdf;  // words the PDF's page adds, and why
  } samples[] = {
      {"EN16931_Einfach.pdf", {}},
      {"EXTENDED_Fremdwaehrung_wdis_fx-pdfa4.pdf", {}},
      {"MustangGnuaccountingBeispielRE-20170509_505.pdf", {}},
      {"ZTESTZUGFERD_1_INVDSS_012015738820PDF-1.pdf", {}},
      // Damaged, repaired by qpdf; it carries a ZUGFeRD 1.0 invoice beside
      // its factur-x.xml, which is listed as an attachment.
      {"corruptedV2PDF.pdf", {"Anlagen:", "ZUGFeRD-invoice.xml"}},
      {"pdf_fx_extended_1.pdf", {}},
      {"pdf_fx_minimum_1.pdf", {}},
      {"validXRechnung.pdf", {}},
      {"zugferd_invoice.pdf", {}},
  };
  for (const Sample& sample : samples) {
    const std::string pdf = folder + "/" + sample.pdf;
    TempDir xmlFolder;
    const std::string xml = xmlFolder.write("rechnung.xml", readEmbeddedInvoice(pdf).xml);
    TempDir fromPdf;
    TempDir fromXml;
    std::vector<std::string> pdfWords = pageWords(renderPdf(pdf, fromPdf.path()));
    std::erase_if(pdfWords, [&](const std::string& word) {
      return std::ranges::any_of(
          sample.onlyOnPdf, [&](const std::string& only) { return word.ends_with(" " + only); });
    });
    EXPECT_EQ(pdfWords, pageWords(renderPdf(xml, fromXml.path()))) << sample.pdf;
  }
  TempDir out;
  EXPECT_THROW(
      {
        try {
          renderPdf(folder + "/MustangGnuaccountingBeispielRE-20170509_505blanko.pdf", out.path());
        } catch (const Exception& error) {
          EXPECT_STREQ(error.what(), "Die PDF-Datei enthält keine E-Rechnung");
          throw;
        }
      },
      Exception);
  EXPECT_TRUE(fs::is_empty(out.path()));
}

// The ZUGFeRD 1.0 invoices show their number, parties, lines and totals.
TEST(PdfInputTest, ZugferdOneInvoicesShowTheirFields) {
  const std::string folder = kPublic + "/../public-pdf";
  if (!publicInvoicesThere(folder)) GTEST_SKIP();
  const std::pair<std::string, std::vector<std::string>> samples[] = {
      {"zugferd_invoice.pdf",
       {"Rechnungsnummer: 2014-03", "Kraxi GmbH", "Flugzeugallee 17", "12345 Papierfeld",
        "Papierflieger-Vertriebs-GmbH", "Rabattstr. 25", "34567 Osterhausen", "UST-ID: DE123456789",
        "1 Superdrachen 2 40,00", "7 Kostenlose Zugabe 1 0,00", "Nettosumme 845,00",
        "Bruttosumme 1005,55", "Zahlungsbetrag 1005,55 €", "Zahlbar innerhalb von 30 Tagen"}},
      {"MustangGnuaccountingBeispielRE-20170509_505.pdf",
       {"Rechnungsnummer: RE-20170509/505", "Rechnungsdatum: 09.05.2017", "Bei Spiel GmbH",
        "Theodor Est", "88802 Spielkreis", "Steuernummer: 22/815/0815/4",
        "IBAN: DE88 2008 0000 0970 3757 00", "3 Heiße Luft pro Liter 200,0000 19,00 0,1000 20,00",
        "Netto 19,00 336,00", "MWSt 19,00 63,84", "Zahlungsbetrag 571,04 €"}},
  };
  for (const auto& [pdf, expected] : samples) {
    TempDir out;
    const std::string written = renderPdf(folder + "/" + pdf, out.path());
    // The page as laid out, each run of blanks one blank.
    const ToolResult layout = runTool({"pdftotext", "-layout", "-f", "1", "-l", "1", written, "-"});
    std::string text;
    std::istringstream lines(layout.output);
    for (std::string line; std::getline(lines, line);) {
      for (const std::string& word : wordsOf(line)) text += word + " ";
      text += "\n";
    }
    for (const std::string& shown : expected) {
      EXPECT_NE(text.find(shown + " "), std::string::npos) << pdf << ": " << shown << "\n" << text;
    }
  }
}

// The invoice's Beleg would be the invoice itself: by its name, or by a
// link to it under that name. The run stops and the invoice stays.
TEST(PdfInputTest, OutputNeverReplacesItsInput) {
  TempDir folder;
  const std::string named =
      folder.write("Beleg-4711.pdf", makePdf({{"xrechnung.xml", minimalInvoice("4711")}}));
  fs::create_directory(folder.path() + "/linked");
  const std::string original = folder.write("linked/r.xml", minimalInvoice("4711"));
  fs::create_hard_link(original, folder.path() + "/linked/Beleg-4711.pdf");
  for (const std::string& path : {named, original}) {
    const std::string invoice = fileBytes(path);
    const std::string pdfFolder = fs::path(path).parent_path();
    try {
      renderPdf(path, pdfFolder);
      ADD_FAILURE() << path << " was replaced";
    } catch (const Exception& error) {
      EXPECT_EQ(error.what(), std::string(kOutputIsInput) + pdfFolder + "/Beleg-4711.pdf");
    }
    EXPECT_EQ(fileBytes(path), invoice) << path;
  }
}

// One unit of width per byte: "Anlagen: " is 9 wide.
TEST(PdfInputTest, AttachmentListBreaksAfterACommaWithinTheWidth) {
  const auto bytes = [](std::string_view text) { return static_cast<double>(text.size()); };
  using Lines = std::vector<std::string>;
  EXPECT_EQ(attachmentLines({}, 30, bytes), Lines{});
  EXPECT_EQ(attachmentLines({"a.pdf", "b.png"}, 30, bytes), Lines{"Anlagen: a.pdf, b.png"});
  EXPECT_EQ(attachmentLines({"a.pdf", "b.png", "c.txt"}, 22, bytes),
            (Lines{"Anlagen: a.pdf, b.png,", "c.txt"}));
  EXPECT_EQ(attachmentLines({"lieferschein-2024.pdf", "a.pdf", std::string(40, 'x')}, 30, bytes),
            (Lines{"Anlagen: lieferschein-2024.pdf,", "a.pdf,", std::string(40, 'x')}));
}

}  // namespace
}  // namespace lumora::test
