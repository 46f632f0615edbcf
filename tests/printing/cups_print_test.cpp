// The printer medium through a real print system: lumora-render prints a
// two-page invoice on a cups-pdf queue of a private cupsd, and the pages that
// come out must show what the PDF medium shows, where it shows it. cups-pdf passes the job
// through Ghostscript, which keeps no text to read back, so the pages are
// compared as images.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "page_image.h"
#include "pdf_inspect.h"
#include "private_cups.h"
#include "render_folder.h"
#include "tests/support/invoice_builder.h"

namespace lumora::test {
namespace {

using namespace std::chrono_literals;

constexpr int kDotsPerInch = 72;
constexpr double kCellMillimetres = 2;
constexpr double kPixelsPerMillimetre = kDotsPerInch / 25.4;

// How far a point of the reference page lands from its own place on the
// other page, at the worst end of an axis `length` pixels long, in millimetres.
double worstShiftMillimetres(const AxisMap& axis, int length) {
  return std::max(std::abs(axis.offset), std::abs(axis.offset + (axis.scale - 1) * length)) /
         kPixelsPerMillimetre;
}

// lumora-render prints through its printer module, built with the window.
bool canPrint() {
  return std::filesystem::exists(std::string(LUMORA_BIN_DIR) + "/lumora-render-printer.so");
}

TEST(CupsPrintTest, TwoPagesComeOutAsThePdfMediumShowsThem) {
  if (!canPrint()) GTEST_SKIP() << "lumora-render was built without the printer medium";
  PrivateCups cups;
  if (cups.unavailable()) GTEST_SKIP() << "no private print system: " << *cups.unavailable();

  RenderFolder folder;
  folder.write("rechnung.xml", makeInvoice(InvoiceRecipe().withNumber("4711").withLines(20)));
  const ProgramRun onPdf = folder.render({"rechnung.xml"});
  ASSERT_EQ(onPdf.exitCode, 0) << onPdf.err;
  const std::string medium = folder.file("Beleg-4711.pdf");
  ASSERT_EQ(readPdfInfo(medium).pages, 2) << "the invoice should fill two pages";

  ProgramOptions printing;
  printing.environment = {cups.serverVariable(), "QT_QPA_PLATFORM=offscreen"};
  const ProgramRun onPrinter = folder.render({"--printer", cups.queue(), "rechnung.xml"}, printing);
  ASSERT_EQ(onPrinter.exitCode, 0) << onPrinter.err;
  EXPECT_EQ(onPrinter.err, "");

  const std::optional<std::string> printed = cups.waitForPrintedPdf(120s);
  ASSERT_TRUE(printed) << "no printed PDF\n" << cups.errorLog();
  // The queue shows the job under the PDF's name.
  EXPECT_EQ(cups.firstJobAttributes()["job-name"], "Beleg-4711");
  ASSERT_EQ(readPdfInfo(*printed).pages, 2);

  std::vector<PageImage> mediumPages;
  std::vector<PageImage> printedPages;
  for (int page = 1; page <= 2; ++page) {
    mediumPages.push_back(renderPage(medium, page, kDotsPerInch));
    printedPages.push_back(renderPage(*printed, page, kDotsPerInch));
  }
  for (int page = 0; page < 2; ++page) {
    SCOPED_TRACE("page " + std::to_string(page + 1));
    const Overlay laid = overlay(mediumPages[page], printedPages[page], kCellMillimetres);
    // The printed page lies on the PDF page: nothing moved by 1 mm or more.
    EXPECT_LT(worstShiftMillimetres(laid.x, mediumPages[page].width), 1.0)
        << laid.x.scale << " " << laid.x.offset;
    EXPECT_LT(worstShiftMillimetres(laid.y, mediumPages[page].height), 1.0)
        << laid.y.scale << " " << laid.y.offset;
    EXPECT_LT(laid.mismatch, 0.05);
  }
  // The comparison tells the pages apart.
  EXPECT_GT(overlay(mediumPages[0], printedPages[1], kCellMillimetres).mismatch, 0.2);
}

TEST(CupsPrintTest, RunThatStopsPartWayPrintsNothing) {
  if (!canPrint()) GTEST_SKIP() << "lumora-render was built without the printer medium";
  PrivateCups cups;
  if (cups.unavailable()) GTEST_SKIP() << "no private print system: " << *cups.unavailable();

  RenderFolder folder;
  // The header is drawn, then the first line's amount, no number, stops the run.
  folder.write("rechnung.xml", makeInvoice(InvoiceRecipe().withLineAmount("12 USD")));
  ProgramOptions printing;
  printing.environment = {cups.serverVariable(), "QT_QPA_PLATFORM=offscreen"};
  const ProgramRun run = folder.render({"--printer", cups.queue(), "rechnung.xml"}, printing);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("ist kein gültiger Gleitkommawert."), std::string::npos) << run.err;
  EXPECT_FALSE(cups.waitForPrintedPdf(5s));
}

TEST(CupsPrintTest, UnknownPrinterIsReportedAndNothingPrints) {
  if (!canPrint()) GTEST_SKIP() << "lumora-render was built without the printer medium";
  PrivateCups cups;
  if (cups.unavailable()) GTEST_SKIP() << "no private print system: " << *cups.unavailable();

  RenderFolder folder;
  folder.write("rechnung.xml", makeInvoice());
  ProgramOptions printing;
  printing.environment = {cups.serverVariable(), "QT_QPA_PLATFORM=offscreen"};
  const ProgramRun run = folder.render({"--printer", "fehlt", "rechnung.xml"}, printing);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("fehlt"), std::string::npos) << run.err;
  EXPECT_FALSE(cups.waitForPrintedPdf(2s));
  EXPECT_EQ(folder.entries(), std::set<std::string>{"rechnung.xml"});
}

}  // namespace
}  // namespace lumora::test
