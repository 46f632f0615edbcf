#include "app/qt_printer.h"

#include <QEventLoop>
#include <QFile>
#include <QFontMetrics>
#include <QMap>
#include <QPageRanges>
#include <QPrintEngine>
#include <QProcess>
#include <QTimer>

#include "platform/exceptions.h"

namespace lumora {

namespace {

// Where the print dialog's "Options" page keeps its CUPS options: name,
// value, name, value, ...
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

constexpr int kSendTimeoutMs = 60'000;

QString sides(const QPrinter& printer) {
  switch (printer.duplex()) {
    case QPrinter::DuplexNone:
      return "one-sided";
    case QPrinter::DuplexLongSide:
      return "two-sided-long-edge";
    case QPrinter::DuplexShortSide:
      return "two-sided-short-edge";
    case QPrinter::DuplexAuto:
      break;
  }
  return printer.pageLayout().orientation() == QPageLayout::Landscape ? "two-sided-short-edge"
                                                                      : "two-sided-long-edge";
}

// Every choice of the print dialog as lp options. The spool file is a plain
// PDF, so the queue does the copies, sides, page selection and colour.
QStringList lpOptions(QPrinter& printer) {
  QMap<QString, QString> options;
  const QStringList dialogOptions = printer.printEngine()->property(kCupsOptions).toStringList();
  for (qsizetype i = 0; i + 1 < dialogOptions.size(); i += 2)
    options.insert(dialogOptions[i], dialogOptions[i + 1]);
  options.insert("multiple-document-handling", printer.collateCopies()
                                                   ? "separate-documents-collated-copies"
                                                   : "separate-documents-uncollated-copies");
  options.insert("sides", sides(printer));
  if (printer.pageOrder() == QPrinter::LastPageFirst) options.insert("outputorder", "reverse");
  // Grey is asked for; colour is the queue's default where it has any.
  if (printer.colorMode() == QPrinter::GrayScale) options.insert("print-color-mode", "monochrome");
  const QPageRanges ranges = printer.pageRanges();
  // The dialog's own "page-ranges" stays when it left the range to the queue.
  if (printer.printRange() == QPrinter::PageRange && !ranges.isEmpty())
    options.insert("page-ranges", ranges.toString());

  QStringList arguments{"-n", QString::number(printer.copyCount())};
  for (auto option = options.cbegin(); option != options.cend(); ++option)
    arguments << "-o" << option.key() + "=" + option.value();
  return arguments;
}

}  // namespace

QtPrinter::QtPrinter() {
  m_printer.setFullPage(true);
}

QtPrinter::~QtPrinter() {
  // A job left running by a failed run is dropped, never printed half.
  if (printing()) abortDoc();
}

bool QtPrinter::printing() const {
  return m_painter.isActive();
}

void QtPrinter::beginDoc() {
  if (m_printer.outputFormat() == QPrinter::NativeFormat && m_printer.outputFileName().isEmpty())
    startSpooling();
  // Set again: turning to the spool file gives the printer a new engine.
  m_printer.setFullPage(true);
  if (!m_painter.begin(&m_printer)) {
    stopSpooling();
    throw Exception("Der Druckauftrag konnte nicht begonnen werden");
  }
  m_painter.setFont(m_font);
}

void QtPrinter::newPage() {
  m_printer.newPage();
}

void QtPrinter::endDoc() {
  const bool ended = m_painter.end();
  struct SpoolCleanup {
    QtPrinter* printer;
    ~SpoolCleanup() { printer->stopSpooling(); }
  } cleanup{this};
  // A job whose pages were not all written is never sent.
  if (!ended) {
    if (!m_spool && !m_printer.outputFileName().isEmpty())
      QFile::remove(m_printer.outputFileName());
    throw Exception("Der Druckauftrag konnte nicht abgeschlossen werden");
  }
  // The run has finished: now its pages go to the queue.
  if (m_spool) sendSpoolFile();
}

void QtPrinter::abortDoc() {
  m_painter.end();
  if (m_spool) {
    stopSpooling();  // nothing has reached the queue
    return;
  }
  // Printing to a file: remove the unfinished file.
  if (!m_printer.outputFileName().isEmpty()) QFile::remove(m_printer.outputFileName());
}

void QtPrinter::setJobTitle(std::string_view title) {
  m_jobTitle = QFile::decodeName(QByteArray(title.data(), qsizetype(title.size())));
}

void QtPrinter::startSpooling() {
  m_spool = std::make_unique<QTemporaryDir>();
  if (!m_spool->isValid()) {
    m_spool.reset();
    throw Exception("Der Druckauftrag konnte nicht begonnen werden");
  }
  m_queue = m_printer.printerName();
  // Taken before the printer turns to the spool file, which drops them.
  m_jobOptions = lpOptions(m_printer);
  // Same page layout and resolution, written as a PDF file.
  m_printer.setOutputFileName(m_spool->filePath("job.pdf"));
}

void QtPrinter::stopSpooling() {
  if (!m_spool) return;
  m_printer.setOutputFileName(QString());
  m_printer.setPrinterName(m_queue);  // the next run prints on the same queue
  m_jobTitle.clear();
  m_spool.reset();
}

void QtPrinter::sendSpoolFile() {
  // The file is one argument of lp; no shell is involved.
  QStringList arguments{"-d", m_queue};
  arguments << m_jobOptions;
  if (!m_jobTitle.isEmpty()) arguments << "-t" << m_jobTitle;
  arguments << "--" << m_spool->filePath("job.pdf");

  // The window keeps painting while lp talks to the print system; clicks and
  // keys wait until the job is sent, so no second run starts meanwhile.
  QProcess lp;
  QEventLoop waiting;
  QObject::connect(&lp, &QProcess::finished, &waiting, &QEventLoop::quit);
  QObject::connect(&lp, &QProcess::errorOccurred, &waiting, &QEventLoop::quit);
  QTimer::singleShot(kSendTimeoutMs, &waiting, &QEventLoop::quit);
  lp.start("lp", arguments);
  if (lp.state() != QProcess::NotRunning) waiting.exec(QEventLoop::ExcludeUserInputEvents);
  if (lp.state() != QProcess::NotRunning) {
    lp.kill();
    lp.waitForFinished(1000);
    throw Exception("Der Druckauftrag konnte nicht gesendet werden: " + m_queue.toStdString());
  }
  if (lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0 ||
      lp.error() == QProcess::FailedToStart) {
    // The queue's own words, such as why it refuses jobs.
    const QString reason = QString::fromLocal8Bit(lp.readAllStandardError()).simplified();
    throw Exception("Der Druckauftrag konnte nicht gesendet werden: " + m_queue.toStdString() +
                    (reason.isEmpty() ? "" : " (" + reason.toStdString() + ")"));
  }
}

namespace {

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The font as the printer sets text: glyphs advance by their own widths,
// without kerning, as on the PDF page, so widths are predictable.
void setFontOf(QFont& font, std::string_view family, int pointSize) {
  font.setFamily(fromUtf8(family));
  font.setPointSizeF(pointSize);
  font.setKerning(false);
}

}  // namespace

void QtPrinter::setFont(std::string_view family, int pointSize) {
  // Only the name and the size change; a point size is resolved against the
  // printer's resolution when the painter draws on it.
  setFontOf(m_font, family, pointSize);
  if (printing()) m_painter.setFont(m_font);
}

void QtPrinter::textOut(int x, int y, std::string_view text) {
  // The painter's origin is the paper's corner; drawText takes the baseline,
  // so the ascent moves the top-left corner to (x, y). Characters the font
  // lacks come from Qt's fallback fonts.
  const QFontMetricsF metrics(m_painter.font(), &m_printer);
  m_painter.drawText(QPointF(x, y + metrics.ascent()), fromUtf8(text));
}

double QtPrinter::textWidth(std::string_view family, int pointSize, std::string_view text) {
  QFont font = m_font;
  setFontOf(font, family, pointSize);
  return QFontMetricsF(font, &m_printer).horizontalAdvance(fromUtf8(text));
}

int QtPrinter::logPixelsX() const {
  return m_printer.logicalDpiX();
}

int QtPrinter::logPixelsY() const {
  return m_printer.logicalDpiY();
}

}  // namespace lumora
