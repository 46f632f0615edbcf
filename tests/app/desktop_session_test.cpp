// The program's windows on a real X display (Xvfb): the captions as the
// display holds them, and the standard dialogs in German whatever language
// the desktop speaks.
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/application.h"
#include "app/tform1.h"
#include "app/tform30.h"
#include "app_test_support.h"
#include "platform/exceptions.h"

using namespace lumora;

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
  const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  free(reply);
  return found;
}

// The caption the X server holds for the window, as a window manager reads it.
QString caption(QWidget* window) {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11) qFatal("not on an X display");
  xcb_connection_t* connection = x11->connection();
  const auto cookie =
      xcb_get_property(connection, 0, xcb_window_t(window->winId()),
                       atom(connection, "_NET_WM_NAME"), atom(connection, "UTF8_STRING"), 0, 1024);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  if (!reply) return {};
  const QString text = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply)),
                                         xcb_get_property_value_length(reply));
  free(reply);
  return text;
}

// Runs `inspect` on the next modal dialog, then closes it with Escape.
void whenDialogOpens(std::function<void(QWidget*)> inspect) {
  auto* poll = new QTimer;
  poll->setInterval(20);
  QObject::connect(poll, &QTimer::timeout, [inspect, poll] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    poll->stop();
    poll->deleteLater();
    if (!QTest::qWaitForWindowExposed(dialog)) qWarning("dialog not shown");
    inspect(dialog);
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  poll->start();
}

}  // namespace

class DesktopSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { m_directory = std::make_unique<test::CurrentDirectoryScope>(); }
  void cleanup() { m_directory.reset(); }

  void windowCaptionsAreExact() {
    TForm1 window;
    TForm30 about;
    window.show();
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(caption(&window), QString("Lumora E-Viewer Version 20.25.04"));
    QCOMPARE(caption(&about), QString::fromUtf8("über Lumora E-Viewer"));
    QCOMPARE(QGuiApplication::desktopFileName(), QString("lumora-eviewer"));
  }

  void messageBoxesCarryTheApplicationTitle() {
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList captions;
    const auto note = [&captions](QWidget* box) { captions << caption(box); };
    whenDialogOpens(note);
    QTest::mouseClick(window.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);  // no name
    whenDialogOpens(note);
    Application::runCommand([] { throw Exception("Datei nicht gefunden"); });
    QCOMPARE(captions, QStringList({"Lumora E-Viewer", "Lumora E-Viewer"}));
  }

  void fileDialogHasItsCaptionAndSpeaksGerman() {
    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QString seenCaption;
    QStringList buttons;
    whenDialogOpens([&](QWidget* dialog) {
      seenCaption = caption(dialog);
      for (auto* button : dialog->findChildren<QPushButton*>()) buttons << button->text();
    });
    QVERIFY(!window.chooseInvoiceFile());
    QCOMPARE(seenCaption, QString::fromUtf8("Bitte E-Rechnung auswählen"));
    QVERIFY2(buttons.contains("Abbrechen"), qPrintable(buttons.join(", ")));
    QVERIFY2(buttons.contains(QString::fromUtf8("&Öffnen")) ||
                 buttons.contains(QString::fromUtf8("Öffnen")),
             qPrintable(buttons.join(", ")));
  }

  void standardButtonsAreGerman() {
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Close);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QString("Abbrechen"));
    QCOMPARE(box.button(QDialogButtonBox::Close)->text(), QString::fromUtf8("Schließen"));
  }

 private:
  std::unique_ptr<test::CurrentDirectoryScope> m_directory;
};

int main(int argc, char** argv) {
  Application application(argc, argv);
  DesktopSessionTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "desktop_session_test.moc"
