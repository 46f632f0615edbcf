#include "app/qt_printer.h"

#include <QFile>
#include <QFontMetrics>

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
  if (!m_painter.begin(&m_printer))
    throw Exception("Der Druckauftrag konnte nicht begonnen werden");
  m_painter.setFont(m_font);
}

void QtPrinter::newPage() {
  m_printer.newPage();
}

void QtPrinter::endDoc() {
  m_painter.end();
}

void QtPrinter::abortDoc() {
  if (m_printer.abort()) {
    m_painter.end();
    return;
  }
  // Printing to a file cannot be aborted: finish it and remove the file.
  m_painter.end();
  if (!m_printer.outputFileName().isEmpty()) QFile::remove(m_printer.outputFileName());
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
