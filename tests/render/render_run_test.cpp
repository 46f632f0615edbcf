// The render run from the Start command to the printed job or the written
// and opened PDF: dialogs, pages, the end of the run and what a failure
// leaves behind.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "platform/exceptions.h"
#include "tests/pdflib/fake_library.h"
#include "tests/render/render_fixture.h"
#include "tests/support/pdf_inspect.h"

namespace lumora::test {
namespace {

const std::string kRule(110, '_');

int count(const std::vector<PrintedText>& texts, int x, int y, const std::string& text) {
  int n = 0;
  for (const PrintedText& t : texts) n += t.x == x && t.y == y && t.text == text;
  return n;
}

bool hasPageNumber(const std::vector<PrintedText>& texts) {
  for (const PrintedText& t : texts) {
    if (t.text.starts_with("Seite")) return true;
  }
  return false;
}

// Sixteen lines end the table just past 260, so the end marker and the
// totals go to page 2.
std::string twoPageInvoice(const std::string& number) {
  return minimalInvoice(number, invoiceLines(16));
}

TEST(RenderRunTest, CancelledDialogsEndTheRunWithNothingDone) {
  TempDir folder;
  const std::string path = folder.write("r.xml", minimalInvoice("4711"));
  {
    RunRig rig(Medium::Pdf);
    rig.host.chosenFile.reset();
    rig.run->start();
    EXPECT_EQ(rig.output->pdf(), nullptr);
    EXPECT_EQ(rig.host.printDialogs, 0);
    EXPECT_NE(GetCurrentDirectoryA(), std::filesystem::canonical(folder.path()).string());
  }
  {
    RunRig rig(Medium::Printer);
    rig.host.printerChosen = false;
    rig.start(path);
    EXPECT_EQ(rig.host.printDialogs, 1);
    EXPECT_EQ(rig.printer.jobsBegun, 0);
    EXPECT_TRUE(rig.printer.texts.empty());
    EXPECT_TRUE(rig.host.recorder.calls.empty());
  }
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    written.push_back(entry.path().filename());
  }
  EXPECT_EQ(written, std::vector<std::string>{"r.xml"});
}

TEST(RenderRunTest, PrinterRunOfTwoPagesIsOneJobWithAContinuationHeader) {
  TempDir folder;
  RunRig rig(Medium::Printer);
  rig.start(folder.write("r.xml", twoPageInvoice("4711")));

  EXPECT_EQ(rig.printer.jobsBegun, 1);
  EXPECT_EQ(rig.printer.jobsEnded, 1);
  EXPECT_EQ(rig.printer.page, 2);
  const auto page1 = rig.printer.onPage(1);
  const auto page2 = rig.printer.onPage(2);
  EXPECT_FALSE(hasPageNumber(page1));
  EXPECT_EQ(count(page2, 20, 5, "Muster & Co KG"), 1);
  EXPECT_EQ(count(page2, 80, 5, "Rechnung 4711"), 1);
  EXPECT_EQ(count(page2, 140, 5, "Seite 2"), 1);
  EXPECT_EQ(count(page2, 20, 10, kRule), 1);
  for (const auto& page : {page1, page2}) {
    EXPECT_EQ(count(page, 20, 270, kRule), 1);
    EXPECT_EQ(count(page, 80, 285, "IBAN: "), 1);
  }
  EXPECT_TRUE(rig.host.recorder.calls.empty());  // no viewer for the printer
}

TEST(RenderRunTest, PdfIsWrittenIntoTheInvoicesFolderAndOpened) {
  TempDir folder;
  const std::string path = folder.write("r.xml", twoPageInvoice("4711"));
  RunRig rig(Medium::Pdf);
  rig.start(path);

  const std::string directory = GetCurrentDirectoryA();
  EXPECT_EQ(directory, std::filesystem::canonical(folder.path()).string());
  const std::string pdf = directory + "/Beleg-4711.pdf";
  EXPECT_EQ(rig.run->writtenPdf(), pdf);
  ASSERT_EQ(rig.host.recorder.calls.size(), 1u);
  EXPECT_EQ(rig.host.recorder.calls[0].first, pdf);
  EXPECT_EQ(rig.host.recorder.calls[0].second, "");

  const PdfInfo info = readPdfInfo(pdf);
  ASSERT_EQ(info.pages, 2);
  const double height = info.pageSizes[1].height;
  // x = 3·x mm points; the top of the text at 800 - R(y) points from the bottom.
  const Word page = findWord(readWords(pdf, 2), "Seite");
  EXPECT_NEAR(page.xMin, 3 * 140, 1.0);
  EXPECT_NEAR(height - page.yMin, 786, 1.0);
  const Word number = findWord(readWords(pdf, 1), "Rechnungsnummer:");
  EXPECT_NEAR(number.xMin, 3 * 115, 1.0);
  EXPECT_NEAR(height - number.yMin, 760, 1.0);
  EXPECT_EQ(readPageText(pdf, 1).find("Seite"), std::string::npos);

  // A second run in the same window starts a document of its own.
  rig.start(folder.write("s.xml", minimalInvoice("4712")));
  EXPECT_EQ(readPdfInfo(directory + "/Beleg-4712.pdf").pages, 1);
  EXPECT_EQ(rig.host.recorder.calls.size(), 2u);
}

TEST(RenderRunTest, InvoiceNumberIsMadeSafeForTheFileName) {
  FakeLibrary fake("fakepdf.dll");
  TempDir folder;
  RunRig rig(Medium::Pdf, u"fakepdf.dll");
  rig.start(folder.write("r.xml", minimalInvoice("../R&amp;D:7")));
  // The number as the reader decoded it, made safe.
  const std::string expected = GetCurrentDirectoryA() + "/Beleg-.._R&D_7.pdf";
  const std::string log = fake.log();
  EXPECT_NE(log.find("pdfEndPage;pdfOpenOutputFileAtA(" + expected + ");pdfCloseFile;"),
            std::string::npos)
      << log;
  ASSERT_EQ(rig.host.recorder.calls.size(), 1u);
  EXPECT_EQ(rig.host.recorder.calls[0].first, expected);
}

TEST(RenderRunTest, UnwritablePdfIsReportedAndNotOpened) {
  FakeLibrary fake("fakepdf.dll");
  fake.setResult(0);  // every library call fails, pdfCloseFile included
  TempDir folder;
  RunRig rig(Medium::Pdf, u"fakepdf.dll");
  try {
    rig.start(folder.write("r.xml", minimalInvoice("4711")));
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), ("Die PDF-Datei konnte nicht geschrieben werden: " +
                                GetCurrentDirectoryA() + "/Beleg-4711.pdf")
                                   .c_str());
  }
  EXPECT_TRUE(rig.host.recorder.calls.empty());
  EXPECT_EQ(rig.run->writtenPdf(), "");
}

// A line amount that is not a number stops the run part-way.
std::string brokenInvoice() {
  auto lines = invoiceLines(3);
  const std::string amount = ">10.00<";
  lines[2].replace(lines[2].find(amount), amount.size(), ">zehn<");
  return minimalInvoice("666", lines);
}

TEST(RenderRunTest, FailedRunDropsItsJobAndPassesTheErrorOnUnchanged) {
  TempDir folder;
  RunRig rig(Medium::Printer);
  EXPECT_THROW(
      {
        try {
          rig.start(folder.write("bad.xml", brokenInvoice()));
        } catch (const ConvertError& error) {
          EXPECT_STREQ(error.what(), "'zehn' ist kein g\xC3\xBCltiger Gleitkommawert");
          throw;
        }
      },
      ConvertError);
  EXPECT_EQ(rig.printer.jobsAborted, 1);
  EXPECT_EQ(rig.printer.jobsEnded, 0);
  EXPECT_FALSE(rig.printer.printing());

  rig.start(folder.write("good.xml", minimalInvoice("4711")));
  EXPECT_EQ(rig.printer.jobsBegun, 2);
  EXPECT_EQ(rig.printer.jobsEnded, 1);
}

TEST(RenderRunTest, FailedRunDropsItsPdfSoTheNextRunStartsAfresh) {
  TempDir folder;
  RunRig rig(Medium::Pdf);
  EXPECT_THROW(rig.start(folder.write("bad.xml", brokenInvoice())), ConvertError);
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/Beleg-666.pdf"));
  EXPECT_TRUE(rig.host.recorder.calls.empty());

  rig.start(folder.write("good.xml", minimalInvoice("4711")));
  const std::string pdf = rig.run->writtenPdf();
  EXPECT_EQ(readPdfInfo(pdf).pages, 1);
  EXPECT_EQ(readPageText(pdf, 1).find("666"), std::string::npos);
}

}  // namespace
}  // namespace lumora::test
