#pragma once
// The application object and the one way an error that stopped a command
// reaches the user: the standard error box. Every command of a window runs
// through runCommand, which catches the error right where the command returns,
// before it could unwind through Qt's event delivery (Qt is built without
// exception support, so unwinding through it would leak what it holds). The
// event dispatch catches as a last resort whatever still escapes a handler.
// Either way the window stays usable.

#include <QApplication>
#include <QIcon>
#include <QString>
#include <exception>
#include <functional>

namespace lumora {

// The application's title: the caption of the error box and of the program's
// own message boxes.
inline QString applicationTitle() {
  return QStringLiteral("Lumora E-Viewer");
}

// The program's icon, for the windows.
QIcon programIcon();

class Application : public QApplication {
  Q_OBJECT

 public:
  // Shows the error box: the title, the message and the error's full text.
  using ErrorReporter = std::function<void(const QString& title, const QString& message)>;

  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Runs one command; an error it raises is shown in the error box.
  static void runCommand(const std::function<void()>& command);

  // Tests watch the error box through this; the default shows the box.
  void setErrorReporter(ErrorReporter reporter);

  // The standard error box: application title, error icon, OK button.
  static void showErrorBox(const QString& title, const QString& message);

 private:
  void reportError(const std::exception& error);

  ErrorReporter m_reportError;
};

}  // namespace lumora
