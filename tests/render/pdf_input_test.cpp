// Invoices that arrive as PDF: the page of a PDF is the page of its XML,
// the public PDFs render, and the run never writes its PDF over the invoice
// it reads.

#include <gtest/gtest.h>

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

const std::string kShared = std::string(LUMORA_PUBLIC_INVOICES) + "/..";

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every word of every page with its place, as a reader sees the rendered
// invoice, less the words `leftOut`.
std::string renderedWords(const std::string& invoice, const std::string& leftOut = "") {
  TempDir out;
  const std::string pdf = renderPdf(invoice, out.path());
  std::string words;
  for (int page = 1; page <= readPdfInfo(pdf).pages; ++page) {
    for (const Word& word : readWords(pdf, page)) {
      if (leftOut.find("|" + word.text + "|") != std::string::npos) continue;
      words += std::to_string(page) + " " + std::to_string(word.xMin) + " " +
               std::to_string(word.yMin) + " " + word.text + "\n";
    }
  }
  return words;
}

bool sharedInvoicesThere() {
  if (fs::is_directory(kShared + "/public-pdf")) return true;
  const char* ci = std::getenv("CI");
  if (ci && std::string(ci) == "true") ADD_FAILURE() << "no public invoices at " << kShared;
  return false;
}

// One public invoice of each syntax inside a PDF as its standard names it,
// and every public PDF with an invoice: the page is the page of the XML.
TEST(PdfInputTest, PdfPageIsThePageOfItsXml) {
  if (!sharedInvoicesThere()) GTEST_SKIP();
  TempDir folder;
  const std::pair<const char*, const char*> made[] = {
      {"public/01.01a-INVOICE_ubl.xml", "xrechnung.xml"},
      {"public-creditnote/ubl-tc434-creditnote1.xml", "xrechnung.xml"},
      {"public-cii/01.15a-INVOICE_uncefact.xml", "factur-x.xml"},
  };
  for (const auto& [xml, name] : made) {
    const std::string pdf =
        folder.write("r.pdf", makePdf({{name, fileBytes(kShared + "/" + xml)}}));
    EXPECT_EQ(renderedWords(pdf), renderedWords(kShared + "/" + xml)) << xml;
  }
  for (const char* pdf : {"EN16931_Einfach.pdf", "EXTENDED_Fremdwaehrung_wdis_fx-pdfa4.pdf",
                          "MustangGnuaccountingBeispielRE-20170509_505.pdf",
                          "ZTESTZUGFERD_1_INVDSS_012015738820PDF-1.pdf", "corruptedV2PDF.pdf",
                          "pdf_fx_extended_1.pdf", "pdf_fx_minimum_1.pdf", "validXRechnung.pdf",
                          "zugferd_invoice.pdf"}) {
    const std::string path = kShared + "/public-pdf/" + pdf;
    const std::string xml = folder.write("r.xml", readEmbeddedInvoice(path).xml);
    // Damaged and repaired by qpdf, corruptedV2PDF.pdf carries a ZUGFeRD 1.0
    // invoice beside its factur-x.xml, listed as its attachment.
    EXPECT_EQ(renderedWords(path, "|Anlagen:|ZUGFeRD-invoice.xml|"), renderedWords(xml)) << pdf;
  }
  TempDir out;
  try {
    renderPdf(kShared + "/public-pdf/MustangGnuaccountingBeispielRE-20170509_505blanko.pdf",
              out.path());
    ADD_FAILURE() << "a PDF without an invoice was rendered";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "Die PDF-Datei enthält keine E-Rechnung");
  }
  EXPECT_TRUE(fs::is_empty(out.path()));
}

// The ZUGFeRD 1.0 invoices show their number, parties, lines and totals.
TEST(PdfInputTest, ZugferdOneInvoicesShowTheirFields) {
  if (!sharedInvoicesThere()) GTEST_SKIP();
  const std::pair<const char*, std::vector<std::string>> samples[] = {
      {"zugferd_invoice.pdf",
       {"Rechnungsnummer: 2014-03", "Kraxi GmbH", "12345 Papierfeld",
        "Papierflieger-Vertriebs-GmbH", "34567 Osterhausen", "UST-ID: DE123456789",
        "1 Superdrachen 2 40,00", "7 Kostenlose Zugabe 1 0,00", "Nettosumme 845,00",
        "Zahlungsbetrag 1005,55 €"}},
      {"MustangGnuaccountingBeispielRE-20170509_505.pdf",
       {"Rechnungsnummer: RE-20170509/505", "Rechnungsdatum: 09.05.2017", "Bei Spiel GmbH",
        "Theodor Est", "Steuernummer: 22/815/0815/4", "IBAN: DE88 2008 0000 0970 3757 00",
        "3 Heiße Luft pro Liter 200,0000 19,00 0,1000 20,00", "MWSt 19,00 63,84",
        "Zahlungsbetrag 571,04 €"}},
  };
  for (const auto& [pdf, expected] : samples) {
    TempDir out;
    const std::string written = renderPdf(kShared + "/public-pdf/" + pdf, out.path());
    // The page as laid out, each run of blanks one blank.
    std::istringstream layout(runTool({"pdftotext", "-layout", written, "-"}).output);
    std::string text;
    for (std::string word; layout >> word;) text += word + (layout.peek() == '\n' ? "\n" : " ");
    for (const std::string& shown : expected) {
      EXPECT_NE(text.find(shown), std::string::npos) << pdf << ": " << shown << "\n" << text;
    }
  }
}

// The invoice's Beleg would be the invoice itself: a PDF invoice by its
// name, or an XML invoice through a hard link under that name. The run stops
// and the invoice stays.
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
