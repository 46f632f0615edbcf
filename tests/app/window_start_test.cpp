// "Start" through the real window: the PDF run with the file dialog replaced,
// the error box for an unreadable invoice, and the printer medium printing
// into a PDF-format QPrinter.
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/application.h"
#include "app/tform1.h"
#include "app_test_support.h"
#include "pdf_inspect.h"
#include "tests/support/invoice_builder.h"

using lumora::TForm1;
using namespace lumora::test;

namespace {

struct ReportedError {
  int count = 0;
  QString title;
  QString message;
};

lumora::Application& application() {
  return *static_cast<lumora::Application*>(qApp);
}

}  // namespace

class WindowStartTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    m_directory = std::make_unique<CurrentDirectoryScope>();
    m_opened = std::make_shared<OpenCalls>();
    m_errors = std::make_shared<ReportedError>();
    application().setErrorReporter([errors = m_errors](const QString& title, const QString& text) {
      ++errors->count;
      errors->title = title;
      errors->message = text;
    });
    m_window = std::make_unique<TForm1>();
    m_window->setOpener(std::make_unique<RecordingOpener>(m_opened));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->findChild<QLineEdit*>("Edit1")->setText("Anna");
    QTest::mouseClick(m_window->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
  }
  void cleanup() {
    m_window.reset();
    application().setErrorReporter(nullptr);
    m_directory.reset();
  }

  void startWritesPdfBesideInvoiceAndOpensIt() {
    std::filesystem::create_directory("eingang");
    const std::string invoice = m_directory->folder().write(
        "eingang/r.xml", makeInvoice(InvoiceRecipe().withNumber("4711").withLines(3)));
    const std::string folder = std::filesystem::canonical("eingang").string();
    m_window->setInvoiceChooser([invoice] { return std::optional<std::string>(invoice); });

    clickStart();

    QCOMPARE(m_errors->count, 0);
    const std::string pdf = folder + "/Beleg-4711.pdf";
    QVERIFY(std::filesystem::exists(pdf));
    QCOMPARE(readPdfInfo(pdf).pages, 1);
    QCOMPARE(std::filesystem::current_path().string(), folder);
    QCOMPARE(m_opened->size(), size_t(1));
    QCOMPARE(m_opened->front().first, pdf);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  // lumora-eviewer FILE: the first Start takes FILE, later ones ask; Enter on
  // the focused Start button presses it.
  void commandLineInvoiceFirstThenDialogByEnter() {
    std::filesystem::create_directory("eingang");
    const std::string invoice = m_directory->folder().write(
        "eingang/r.xml", makeInvoice(InvoiceRecipe().withNumber("4712").withLines(1)));
    const std::string folder = std::filesystem::canonical("eingang").string();
    m_window->setStartInvoice(invoice);
    int asked = 0;
    m_window->setInvoiceChooser([&asked] {
      ++asked;
      return std::optional<std::string>();
    });
    auto* start = m_window->findChild<QPushButton*>("Button3");
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Return);
    QCOMPARE(m_errors->count, 0);
    QCOMPARE(asked, 0);
    QVERIFY(std::filesystem::exists(folder + "/Beleg-4712.pdf"));
    QCOMPARE(std::filesystem::current_path().string(), folder);
    QTest::keyClick(start, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(asked, 1);
  }

  void unreadableInvoiceShowsErrorBoxAndWindowGoesOn() {
    const std::string missing = m_directory->folder().path() + "/fehlt.xml";
    m_window->setInvoiceChooser([missing] { return std::optional<std::string>(missing); });
    clickStart();
    QCOMPARE(m_errors->count, 1);
    QCOMPARE(m_errors->title, QString("Lumora E-Viewer"));
    QCOMPARE(m_errors->message, QString("Datei nicht gefunden."));
    QVERIFY(m_opened->empty());
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // The window stays usable: the next run succeeds.
    const std::string invoice = m_directory->folder().write(
        "gut.xml", makeInvoice(InvoiceRecipe().withNumber("12").withLines(1)));
    m_window->setInvoiceChooser([invoice] { return std::optional<std::string>(invoice); });
    clickStart();
    QCOMPARE(m_errors->count, 1);
    QVERIFY(std::filesystem::exists(m_directory->folder().path() + "/Beleg-12.pdf"));
  }

  // An invoice text holding the control character CSI (U+009B) is shown, not obeyed.
  void errorBoxShowsControlCharactersEscaped() {
    InvoiceLine line;
    line.amount =
        "\xC2\x9B"
        "2J";
    const std::string invoice =
        m_directory->folder().write("csi.xml", minimalInvoice("1", {invoiceLineXml(line)}));
    m_window->setInvoiceChooser([invoice] { return std::optional<std::string>(invoice); });
    clickStart();
    QCOMPARE(m_errors->message, QString("'\\xc2\\x9b2J' ist kein gültiger Gleitkommawert."));
  }

  void standardErrorBoxHasTitleIconAndOk() {
    application().setErrorReporter(nullptr);  // the real message box
    m_window->setInvoiceChooser([] { return std::optional<std::string>("/nicht/da.xml"); });
    auto seen = answerNextMessageBox();
    clickStart();
    QTRY_VERIFY(seen->shown);
    QCOMPARE(seen->title, QString("Lumora E-Viewer"));
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QVERIFY(seen->hasOkButton);
    QCOMPARE(seen->text, QString("Datei nicht gefunden."));
  }

  void printerMediumPrintsOnePrinterPagePerPage() {
    const std::string invoice = m_directory->folder().write(
        "lang.xml", makeInvoice(InvoiceRecipe().withNumber("77").withLines(20)));
    const std::string printed = m_directory->folder().path() + "/gedruckt.pdf";
    m_window->setInvoiceChooser([invoice] { return std::optional<std::string>(invoice); });
    int dialogs = 0;
    m_window->setPrinterChooser([&dialogs, printed](QPrinter& printer) {
      ++dialogs;
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(printed));
      return true;
    });
    QTest::mouseClick(m_window->findChild<QRadioButton*>("RadioButton1"), Qt::LeftButton);

    clickStart();

    QCOMPARE(m_errors->count, 0);
    QCOMPARE(dialogs, 1);
    QVERIFY(!m_window->printer().printing());
    QCOMPARE(readPdfInfo(printed).pages, 2);
    const std::vector<std::string> second = readPageLines(printed, 2);
    QVERIFY(std::any_of(second.begin(), second.end(),
                        [](const std::string& line) { return line.find("Seite 2") != line.npos; }));
    QVERIFY(m_opened->empty());  // no viewer for a print job
    QVERIFY(!std::filesystem::exists(m_directory->folder().path() + "/Beleg-77.pdf"));
  }

 private:
  // A real click, so that an error travels through the application's event
  // dispatch as it does for the user.
  void clickStart() {
    QTest::mouseClick(m_window->findChild<QPushButton*>("Button3"), Qt::LeftButton);
  }

  std::unique_ptr<CurrentDirectoryScope> m_directory;
  std::shared_ptr<OpenCalls> m_opened;
  std::shared_ptr<ReportedError> m_errors;
  std::unique_ptr<TForm1> m_window;
};

int runWindowStartTests(int argc, char** argv) {
  WindowStartTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_start_test.moc"
