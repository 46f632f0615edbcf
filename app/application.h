#pragma once
// The application object. Its event dispatch is the one place where an error
// that stopped a command ends: every std::exception leaving an event handler
// is caught here and shown in the standard error box, and the window stays
// usable.

#include <QApplication>
#include <QString>
#include <functional>

namespace lumora {

class Application : public QApplication {
  Q_OBJECT

 public:
  // Shows the error box: the title, the message and the error's full text.
  using ErrorReporter = std::function<void(const QString& title, const QString& message)>;

  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Tests watch the error box through this; the default shows the box.
  void setErrorReporter(ErrorReporter reporter);

  // The standard error box: application title, error icon, OK button.
  static void showErrorBox(const QString& title, const QString& message);

 private:
  ErrorReporter m_reportError;
};

}  // namespace lumora
