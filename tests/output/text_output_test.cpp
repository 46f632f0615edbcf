// drucke: where each medium puts a text, and how it starts the PDF document
// and the print job.

#include "output/text_output.h"

#include <gtest/gtest.h>

#include "platform/exceptions.h"
#include "tests/pdflib/fake_library.h"
#include "tests/support/pdf_inspect.h"
#include "tests/support/recording_printer.h"
#include "tests/support/temp_dir.h"

namespace lumora {
namespace {

class SelectedMedium : public MediumSource {
 public:
  Medium medium() const override { return selected; }
  Medium selected = Medium::Pdf;
};

TEST(TextOutputTest, PdfPositionsRoundTwoPointSevenTimesYExactly) {
  const struct {
    int y;
    int pdfY;
  } rows[] = {{5, 786},   {15, 760}, {25, 732}, {35, 706}, {45, 678}, {48, 670},
              {175, 328}, {270, 71}, {0, 800},  {-5, 814}, {295, 4}};
  for (const auto& row : rows) EXPECT_EQ(pdfYFromMillimetres(row.y), row.pdfY) << row.y;
}

TEST(TextOutputTest, FirstPdfTextStartsTheDocumentThenEveryTextSetsItsFont) {
  test::FakeLibrary fake("fakepdf.dll");
  SelectedMedium medium;
  TextOutput output(medium, nullptr, systemLibraryLoader(), u"fakepdf.dll");
  output.drucke(115, 15, "Rechnungsnummer:", "Arial", 8);
  output.drucke(155, 15, "R&D", "Arial", 8);
  output.drucke(20, 175, "", "Arial", 10);
  EXPECT_EQ(fake.log(),
            "pdfNewPDF;pdfCreateNewPDFA(\"\");pdfAppend;pdfSetFontW(Courier,1280,15,-1,2);"
            "pdfSetPageFormat(1);"
            "pdfSetFontW(Arial,1280,8,-1,2);pdfWriteTextW(345,760,Rechnungsnummer:);"
            "pdfSetFontW(Arial,1280,8,-1,2);pdfWriteTextW(465,760,R&D);"
            "pdfSetFontW(Arial,1280,10,-1,2);pdfWriteTextW(60,328,);");
}

TEST(TextOutputTest, AfterACloseTheNextTextStartsAFreshDocumentInTheSameObject) {
  test::FakeLibrary fake("fakepdf.dll");
  test::CountingLoader loader;
  SelectedMedium medium;
  TextOutput output(medium, nullptr, loader, u"fakepdf.dll");
  output.drucke(20, 5, "a", "Arial", 8);
  TPDF* first = output.pdf();
  first->pdfCloseFile();
  fake.reset();
  output.drucke(20, 5, "b", "Arial", 8);
  EXPECT_EQ(output.pdf(), first);
  EXPECT_EQ(loader.loads, 1);
  EXPECT_EQ(fake.log().rfind("pdfCreateNewPDFA(\"\");pdfAppend;", 0), 0u) << fake.log();
}

TEST(TextOutputTest, FailedConstructionStoresNothingAndTheNextTextTriesAgain) {
  test::FakeLibrary fake("fakepdf.dll");
  test::CountingLoader loader;
  loader.failLoads = 1;
  SelectedMedium medium;
  TextOutput output(medium, nullptr, loader, u"fakepdf.dll");
  try {
    output.drucke(20, 5, "a", "Arial", 8);
    ADD_FAILURE() << "no error";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "Error: Cannot find fakepdf.dll");
  }
  EXPECT_EQ(output.pdf(), nullptr);
  output.drucke(20, 5, "a", "Arial", 8);
  EXPECT_NE(output.pdf(), nullptr);
  EXPECT_EQ(loader.loads, 2);
}

// (115, 15) lies at 345 points across and 841.89 - 760 points down on the PDF page.
TEST(TextOutputTest, PrinterPlacesTopLeftCornersWhereThePdfPutsThemOnThePaper) {
  const struct {
    int dpiX, dpiY, x, y;
  } rows[] = {{600, 600, 2875, 682}, {300, 300, 1438, 341}, {600, 1200, 2875, 1365}};
  for (const auto& row : rows) {
    test::RecordingPrinter printer(row.dpiX, row.dpiY);
    SelectedMedium medium;
    medium.selected = Medium::Printer;
    TextOutput output(medium, &printer);
    output.drucke(115, 15,
                  "Stra\xC3\x9F"
                  "e <1>",
                  "Arial", 8);
    ASSERT_EQ(printer.texts.size(), 1u);
    EXPECT_EQ(printer.texts[0].deviceX, row.x);
    EXPECT_EQ(printer.texts[0].deviceY, row.y);
    EXPECT_EQ(printer.texts[0].text, "Straße <1>");
    EXPECT_EQ(printer.texts[0].font, "Arial");
    EXPECT_EQ(printer.texts[0].size, 8);
  }
}

// Widths come back in the layout's millimetres: 3 points each on the PDF
// page and on the printer, which sets texts where the PDF does.
TEST(TextOutputTest, TextWidthInLayoutMillimetresOnEachMedium) {
  test::FakeLibrary fake("fakepdf.dll");
  test::RecordingPrinter printer(600, 600);
  SelectedMedium medium;
  TextOutput output(medium, &printer, systemLibraryLoader(), u"fakepdf.dll");
  EXPECT_NEAR(output.textWidth("R&D \xC5\x81\xC3\xB3", "Arial", 8), 6 * 4.0 / 3, 1e-9);
  EXPECT_EQ(fake.log(),
            "pdfNewPDF;pdfMeasureTextW(Arial,8,R&D ?"
            "?);");  // the fake shows ? past ASCII
  medium.selected = Medium::Printer;
  EXPECT_NEAR(output.textWidth("R&D \xC5\x81\xC3\xB3", "Arial", 8), 6 * 4.0 / 3, 1e-9);
  EXPECT_FALSE(printer.printing());
}

TEST(TextOutputTest, FirstPrinterTextBeginsTheJobOnce) {
  test::RecordingPrinter printer;
  SelectedMedium medium;
  medium.selected = Medium::Printer;
  TextOutput output(medium, &printer);
  output.drucke(20, 5, "a", "Arial", 8);
  output.drucke(20, 10, "", "Arial", 8);
  EXPECT_EQ(printer.jobsBegun, 1);
  EXPECT_EQ(printer.texts.size(), 2u);
  EXPECT_EQ(output.pdf(), nullptr);  // the PDF library is not touched
}

TEST(TextOutputTest, DiscardingDropsTheDocumentAndAbortsTheJob) {
  test::FakeLibrary fake("fakepdf.dll");
  test::RecordingPrinter printer;
  SelectedMedium medium;
  TextOutput output(medium, &printer, systemLibraryLoader(), u"fakepdf.dll");
  output.drucke(20, 5, "a", "Arial", 8);
  medium.selected = Medium::Printer;
  output.drucke(20, 5, "a", "Arial", 8);
  output.discardUnfinished();
  EXPECT_FALSE(output.pdf()->pdfHaveOpenDoc());
  EXPECT_EQ(fake.log().find("pdfOpenOutputFileA"), std::string::npos);
  EXPECT_EQ(printer.jobsAborted, 1);
  EXPECT_FALSE(printer.printing());
}

// The real library: two pages written through drucke, read back with poppler.
TEST(TextOutputTest, TwoPagesThroughTheRealLibrary) {
  test::TempDir dir;
  SelectedMedium medium;
  TextOutput output(medium, nullptr);
  output.drucke(115, 15, "Rechnungsnummer:", "Arial", 8);
  output.drucke(20, 56, "M\xC3\xBCller & S\xC3\xB6hne", "Arial", 12);
  output.pdf()->pdfEndPage();
  output.pdf()->pdfAppend();
  output.drucke(140, 5, "Seite 2", "Arial", 8);
  output.drucke(20, 175,
                "Gr\xC3\xB6\xC3\x9F"
                "e 5 \xE2\x82\xAC",
                "Arial", 10);
  output.pdf()->pdfEndPage();
  const std::string path = dir.path() + "/Beleg-1.pdf";
  ASSERT_TRUE(output.pdf()->pdfOpenOutputFileA(path));
  ASSERT_TRUE(output.pdf()->pdfCloseFile());

  const test::PdfInfo info = test::readPdfInfo(path);
  ASSERT_EQ(info.pages, 2);
  EXPECT_NEAR(info.pageSizes[1].width, 595.276, 0.5);
  EXPECT_NEAR(info.pageSizes[1].height, 841.89, 0.5);

  // Top-left corners: x = 3·x mm, top = page height - (800 - R(y)).
  const double height = info.pageSizes[0].height;
  const test::Word label = test::findWord(test::readWords(path, 1), "Rechnungsnummer:");
  EXPECT_NEAR(label.xMin, 345, 1.0);
  EXPECT_NEAR(label.yMin, height - 760, 1.0);
  const test::Word name = test::findWord(test::readWords(path, 1), "M\xC3\xBCller");
  EXPECT_NEAR(name.yMin, height - 649, 1.0);
  EXPECT_NE(test::readPageText(path, 1).find("M\xC3\xBCller & S\xC3\xB6hne"), std::string::npos);

  const std::vector<test::Word> page2 = test::readWords(path, 2);
  EXPECT_NEAR(test::findWord(page2, "Seite").xMin, 420, 1.0);
  const test::Word size = test::findWord(page2,
                                         "Gr\xC3\xB6\xC3\x9F"
                                         "e");
  EXPECT_NEAR(size.xMin, 60, 1.0);
  EXPECT_NEAR(size.yMin, height - 328, 1.0);
  EXPECT_NE(test::readPageText(path, 2).find("5 \xE2\x82\xAC"), std::string::npos);

  for (const test::FontInfo& font : test::readFonts(path)) EXPECT_TRUE(font.embedded) << font.name;
}

}  // namespace
}  // namespace lumora
