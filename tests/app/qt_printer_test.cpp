// The Qt printer medium on a PDF-format QPrinter: where text lands, at what
// size, in which characters, how wide, and how a job begins, pages, ends and
// aborts.
#include <QGuiApplication>
#include <QPrinter>
#include <QTest>
#include <filesystem>

#include "app/qt_printer.h"
#include "pdf_inspect.h"
#include "temp_dir.h"

using lumora::QtPrinter;
using namespace lumora::test;

namespace {

constexpr double kPointsPerMillimetre = 72.0 / 25.4;

void printToFile(QtPrinter& printer, const std::string& path) {
  printer.qprinter().setOutputFormat(QPrinter::PdfFormat);
  printer.qprinter().setOutputFileName(QString::fromStdString(path));
  // Margins as a printer keeps them: positions count from the paper's corner all the same.
  printer.qprinter().setPageMargins(QMarginsF(6, 9, 6, 9), QPageLayout::Millimeter);
}

// Device pixels for millimetres at the printer's resolution.
int pixels(double millimetres, int dotsPerInch) {
  return int(millimetres * dotsPerInch / 25.4);
}

}  // namespace

class QtPrinterTest : public QObject {
  Q_OBJECT

 private slots:
  void resolutionIsThePrintersOwn() {
    QtPrinter printer;
    QCOMPARE(printer.logPixelsX(), printer.qprinter().resolution());
    QCOMPARE(printer.logPixelsY(), printer.qprinter().resolution());
    QVERIFY(printer.logPixelsX() >= 300);  // a high-resolution printer
  }

  void textTopLeftLandsAtDevicePositionInPointSize() {
    TempDir folder;
    const std::string path = folder.path() + "/text.pdf";
    QtPrinter printer;
    printToFile(printer, path);
    const int dpi = printer.logPixelsX();

    QVERIFY(!printer.printing());
    printer.setFont("Arial", 12);
    printer.beginDoc();
    QVERIFY(printer.printing());
    printer.textOut(pixels(20, dpi), pixels(30, dpi), "Hallo");
    printer.endDoc();
    QVERIFY(!printer.printing());

    const Word word = findWord(readWords(path, 1), "Hallo");
    QVERIFY2(std::abs(word.xMin - 20 * kPointsPerMillimetre) < 1.0,
             std::to_string(word.xMin).c_str());
    QVERIFY2(std::abs(word.yMin - 30 * kPointsPerMillimetre) < 1.0,
             std::to_string(word.yMin).c_str());
    // A 12-point font's line is about 12 points high, not 12 device pixels.
    const double height = word.yMax - word.yMin;
    QVERIFY2(height > 10 && height < 16, std::to_string(height).c_str());
  }

  // UTF-8 in, every script on the paper, and the measured width is the
  // width drawn.
  void unicodeTextAndPagesReachThePaperAsWideAsMeasured() {
    TempDir folder;
    const std::string path = folder.path() + "/pages.pdf";
    QtPrinter printer;
    printToFile(printer, path);
    const std::string names = "Müller € 5 Łódź Ayşe Yılmaz Ελλάδα Москва";
    const double width = printer.textWidth("Arial", 10, "Rechnungsnummer:");
    printer.beginDoc();
    printer.setFont("Arial", 10);
    printer.textOut(100, 100, names);
    printer.textOut(100, 400, "Rechnungsnummer:");
    printer.newPage();
    printer.setFont("Courier New", 8);
    printer.textOut(100, 100, "Seite 2");
    printer.endDoc();

    QCOMPARE(readPdfInfo(path).pages, 2);
    QCOMPARE(readPageLines(path, 1).at(0), names);
    const Word label = findWord(readWords(path, 1), "Rechnungsnummer:");
    const double drawn = (label.xMax - label.xMin) * printer.logPixelsX() / 72.0;
    QVERIFY2(std::abs(drawn - width) < width * 0.02,
             (std::to_string(drawn) + " vs " + std::to_string(width)).c_str());
    QCOMPARE(readPageLines(path, 2).at(0), std::string("Seite 2"));
  }

  void abortedJobLeavesNoFile() {
    TempDir folder;
    const std::string path = folder.path() + "/aborted.pdf";
    QtPrinter printer;
    printToFile(printer, path);
    printer.beginDoc();
    printer.textOut(100, 100, "halb");
    printer.abortDoc();
    QVERIFY(!printer.printing());
    QVERIFY(!std::filesystem::exists(path));
  }
};

QTEST_MAIN(QtPrinterTest)
#include "qt_printer_test.moc"
