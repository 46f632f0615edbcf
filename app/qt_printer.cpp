#include "app/qt_printer.h"

#include <QFile>
#include <QFontMetrics>
#include <QProcess>

#include "app/cp1252_text.h"
#include "platform/exceptions.h"

namespace lumora {

QtPrinter::QtPrinter() = default;

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
  m_painter.end();
  if (!m_spool) return;
  // The run has finished: now its pages go to the queue.
  struct SpoolCleanup {
    QtPrinter* printer;
    ~SpoolCleanup() { printer->stopSpooling(); }
  } cleanup{this};
  sendSpoolFile();
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

void QtPrinter::startSpooling() {
  m_spool = std::make_unique<QTemporaryDir>();
  if (!m_spool->isValid()) {
    m_spool.reset();
    throw Exception("Der Druckauftrag konnte nicht begonnen werden");
  }
  m_queue = m_printer.printerName();
  // Same page layout and resolution, written as a PDF file.
  m_printer.setOutputFileName(m_spool->filePath("job.pdf"));
}

void QtPrinter::stopSpooling() {
  if (!m_spool) return;
  m_printer.setOutputFileName(QString());
  m_printer.setPrinterName(m_queue);  // the next run prints on the same queue
  m_spool.reset();
}

void QtPrinter::sendSpoolFile() {
  // The file is one argument of lp; no shell is involved.
  QStringList arguments{"-d", m_queue, "-n", QString::number(m_printer.copyCount())};
  if (!m_printer.docName().isEmpty()) arguments << "-t" << m_printer.docName();
  arguments << "--" << m_spool->filePath("job.pdf");
  QProcess lp;
  lp.start("lp", arguments);
  if (!lp.waitForFinished(60'000) || lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0)
    throw Exception("Der Druckauftrag konnte nicht gesendet werden: " + m_queue.toStdString());
}

void QtPrinter::setFont(std::string_view family, int pointSize) {
  // Only the name and the size change; a point size is resolved against the
  // printer's resolution when the painter draws on it.
  m_font.setFamily(fromCp1252(family));
  m_font.setPointSizeF(pointSize);
  if (printing()) m_painter.setFont(m_font);
}

void QtPrinter::textOut(int x, int y, std::string_view text) {
  // The painter's origin is the top left of the printable area; drawText
  // takes the baseline, so the ascent moves the top-left corner to (x, y).
  const QFontMetricsF metrics(m_painter.font(), &m_printer);
  m_painter.drawText(QPointF(x, y + metrics.ascent()), fromCp1252(text));
}

int QtPrinter::logPixelsX() const {
  return m_printer.logicalDpiX();
}

int QtPrinter::logPixelsY() const {
  return m_printer.logicalDpiY();
}

}  // namespace lumora
