#include "app/application.h"

#include <QFont>
#include <QMessageBox>
#include <exception>

#include "render/error_text.h"

namespace lumora {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), m_reportError(&Application::showErrorBox) {
  setApplicationName("lumora-eviewer");
  // The title of the error box and of the login message.
  setApplicationDisplayName("Lumora E-Viewer");
  setApplicationVersion("20.25.04");
  setOrganizationName("Lumora Software GmbH");
  setDesktopFileName("lumora-eviewer");
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
      showErrorBox(QApplication::applicationDisplayName(), QString::fromUtf8(errorBoxText(error)));
    }
  }
}

void Application::reportError(const std::exception& error) {
  m_reportError(applicationDisplayName(), QString::fromUtf8(errorBoxText(error)));
}

void Application::setErrorReporter(ErrorReporter reporter) {
  m_reportError = reporter ? std::move(reporter) : ErrorReporter(&Application::showErrorBox);
}

void Application::showErrorBox(const QString& title, const QString& message) {
  QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok);
  box.exec();
}

}  // namespace lumora
