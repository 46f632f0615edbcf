#include "app/application.h"

#include <QFile>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>
#include <exception>

#include "lumora/version.h"
#include "platform/control_characters.h"
#include "render/error_text.h"

namespace lumora {

namespace {

// The whole interface is German, so the standard dialogs and buttons are too,
// whatever language the desktop speaks. Without the translation package they
// stay English, and the program says why once on standard error.
void loadGermanStandardDialogs(QApplication& application) {
  auto* translator = new QTranslator(&application);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (translator->load(QLocale(QLocale::German, QLocale::Germany), "qtbase", "_", folder)) {
    application.installTranslator(translator);
    return;
  }
  delete translator;
  std::fprintf(stderr,
               "lumora-eviewer: qtbase_de.qm fehlt in %s (Paket qt6-translations-l10n); "
               "die Standarddialoge bleiben englisch\n",
               QFile::encodeName(folder).constData());
}

}  // namespace

QIcon programIcon() {
  // The same pictures as the installed icons, built in, so that the build
  // tree's program shows them too.
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/lumora-eviewer-%1.png").arg(size), QSize(size, size));
  return icon;
}

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), m_reportError(&Application::showErrorBox) {
  setApplicationName("lumora-eviewer");
  // No display name: Qt would append it to every caption that does not end
  // with it. The desktop file name groups the windows and finds the icon.
  setApplicationVersion(kVersion);
  // The program's own icon for every window, at every size it is installed in.
  setWindowIcon(programIcon());
  setOrganizationName("Lumora Software GmbH");
  setDesktopFileName("lumora-eviewer");
  loadGermanStandardDialogs(*this);
  // The windows name the Windows screen fonts; these are their nearest
  // stand-ins here (Arial and Arial Narrow are found by fontconfig).
  QFont::insertSubstitution("System", "Liberation Sans");
  QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    reportError(error);
    return true;
  }
}

void Application::runCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    if (auto* application = qobject_cast<Application*>(QCoreApplication::instance())) {
      application->reportError(error);
    } else {
      showErrorBox(applicationTitle(),
                   QString::fromUtf8(escapeControlCharacters(errorBoxText(error))));
    }
  }
}

void Application::reportError(const std::exception& error) {
  // Control characters from an invoice or a file name are shown, not obeyed.
  m_reportError(applicationTitle(),
                QString::fromUtf8(escapeControlCharacters(errorBoxText(error))));
}

void Application::setErrorReporter(ErrorReporter reporter) {
  m_reportError = reporter ? std::move(reporter) : ErrorReporter(&Application::showErrorBox);
}

void Application::showErrorBox(const QString& title, const QString& message) {
  QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok);
  box.exec();
}

}  // namespace lumora
