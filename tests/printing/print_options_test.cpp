// The print dialog's choices reach the print system: a job set up as the
// dialog leaves the printer (two collated copies, both sides, pages 2 to 3,
// grey, and options of the dialog's "Options" page) is sent to a queue of a
// private cupsd, which must hold every choice among the job's attributes.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPageRanges>
#include <QPrintEngine>
#include <cstdlib>

#include "app/qt_printer.h"
#include "platform/exceptions.h"
#include "private_cups.h"

namespace lumora::test {
namespace {

using namespace std::chrono_literals;

void ensureGuiApplication() {
  if (QCoreApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char program[] = "print_options_test";
  static char* argv[] = {program, nullptr};
  static QGuiApplication application(argc, argv);
}

// Each case prints through a print system of its own, on the offscreen
// platform.
class PrintOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (cups.unavailable()) GTEST_SKIP() << "no private print system: " << *cups.unavailable();
    static std::string server;
    server = cups.serverVariable();
    ::putenv(server.data());
    ensureGuiApplication();
  }

  PrivateCups cups;
};

TEST_F(PrintOptionsTest, EveryDialogChoiceReachesTheQueue) {
  QtPrinter printer;
  QPrinter& chosen = printer.qprinter();
  chosen.setPrinterName(QString::fromStdString(cups.queue()));
  ASSERT_TRUE(chosen.isValid());
  chosen.setCopyCount(2);
  chosen.setCollateCopies(true);
  chosen.setDuplex(QPrinter::DuplexLongSide);
  QPageRanges pages;
  pages.addRange(2, 3);
  chosen.setPrintRange(QPrinter::PageRange);
  chosen.setPageRanges(pages);
  chosen.setColorMode(QPrinter::GrayScale);
  chosen.setPageOrder(QPrinter::LastPageFirst);
  // Where the dialog's "Options" page keeps its CUPS options.
  chosen.printEngine()->setProperty(QPrintEngine::PrintEnginePropertyKey(0xfe00),
                                    QStringList{"job-priority", "30", "job-sheets", "none,none"});

  printer.setFont("Arial", 12);
  for (int page = 1; page <= 3; ++page) {
    if (page == 1)
      printer.beginDoc();
    else
      printer.newPage();
    printer.textOut(200, 200, "Seite " + std::to_string(page));
  }
  printer.setJobTitle("Beleg-4711");
  printer.endDoc();

  ASSERT_TRUE(cups.waitForPrintedPdf(120s)) << cups.errorLog();
  const std::map<std::string, std::string> job = cups.firstJobAttributes();
  std::string all;
  for (const auto& [name, value] : job) all += name + "=" + value + "\n";
  const auto attribute = [&job](const std::string& name) {
    const auto found = job.find(name);
    return found == job.end() ? std::string("(none)") : found->second;
  };
  EXPECT_EQ(attribute("copies"), "2") << all;
  EXPECT_EQ(attribute("sides"), "two-sided-long-edge") << all;
  EXPECT_EQ(attribute("page-ranges"), "2-3") << all;
  EXPECT_EQ(attribute("print-color-mode"), "monochrome") << all;
  EXPECT_EQ(attribute("multiple-document-handling"), "separate-documents-collated-copies") << all;
  EXPECT_EQ(attribute("job-priority"), "30") << all;
  EXPECT_EQ(attribute("job-sheets"), "none,none") << all;
  EXPECT_EQ(attribute("outputorder"), "reverse") << all;
  EXPECT_EQ(attribute("job-name"), "Beleg-4711") << all;
}

TEST_F(PrintOptionsTest, QueueThatRefusesJobsGivesItsReason) {
  ASSERT_TRUE(cups.refuseJobs("Wartung"));

  QtPrinter printer;
  printer.qprinter().setPrinterName(QString::fromStdString(cups.queue()));
  printer.beginDoc();
  printer.textOut(200, 200, "Seite 1");
  try {
    printer.endDoc();
    ADD_FAILURE() << "the refused job counts as sent";
  } catch (const Exception& error) {
    const std::string message = error.what();
    const std::string start =
        "Der Druckauftrag konnte nicht gesendet werden: " + cups.queue() + " (";
    EXPECT_EQ(message.rfind(start, 0), 0u) << message;
    EXPECT_GT(message.size(), start.size() + 10) << message;
    EXPECT_TRUE(message.ends_with(")")) << message;
  }
}

}  // namespace
}  // namespace lumora::test
