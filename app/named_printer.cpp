#include "app/named_printer.h"

#include <QGuiApplication>
#include <QPrinterInfo>
#include <cstdio>
#include <cstdlib>

#include "app/qt_printer.h"
#include "platform/exceptions.h"

namespace lumora {

namespace {

// The renderer's standard error carries its own error lines only; Qt's
// notes about the session (no runtime folder, no window manager) stay out.
void keepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Fonts and print engines need an application object; one is made the first
// time and kept until the program ends.
void ensureGuiApplication() {
  if (QCoreApplication::instance()) return;
  qInstallMessageHandler(keepSeriousMessages);
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char program[] = "lumora-render";
  static char* argv[] = {program, nullptr};
  static QGuiApplication application(argc, argv);
}

}  // namespace

std::unique_ptr<Printer> openNamedPrinter(const std::string& name) {
  ensureGuiApplication();
  const QString printerName = QString::fromLocal8Bit(name.c_str());
  if (QPrinterInfo::printerInfo(printerName).isNull())
    throw Exception("Drucker nicht gefunden: " + name);
  auto printer = std::make_unique<QtPrinter>();
  printer->qprinter().setPrinterName(printerName);
  return printer;
}

}  // namespace lumora
