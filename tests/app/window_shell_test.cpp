// The main window's shell through its real widgets: start-up with and
// without the settings file, the login, the menu, the medium switch, the
// about window, the help commands, closing with the settings file, and the
// windows' pictures.
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <iterator>
#include <memory>

#include "app/tform1.h"
#include "app/tform30.h"
#include "app/window_picture.h"
#include "app_test_support.h"

using lumora::TForm1;
using lumora::TForm30;
using namespace lumora::test;

namespace {

template <typename T>
T* child(QObject* window, const char* name) {
  T* found = window->findChild<T*>(name);
  if (!found) qFatal("no control %s", name);
  return found;
}

QWidget* currentPage(TForm1& window) {
  return child<QTabWidget>(&window, "PageControl1")->currentWidget();
}

std::unique_ptr<TForm1> openWindow(std::shared_ptr<OpenCalls> calls = {}) {
  auto window = std::make_unique<TForm1>();
  if (calls) window->setOpener(std::make_unique<RecordingOpener>(calls));
  window->show();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) qWarning("main window not active");
  return window;
}

void logIn(TForm1& window, const QString& name) {
  child<QLineEdit>(&window, "Edit1")->setText(name);
  QTest::mouseClick(child<QPushButton>(&window, "BitBtn1"), Qt::LeftButton);
}

// A click on the radio button's circle (a click beside its caption misses).
void choose(TForm1& window, const char* radioButton) {
  auto* button = child<QRadioButton>(&window, radioButton);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

}  // namespace

class WindowShellTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    m_directory = std::make_unique<CurrentDirectoryScope>();
    m_config = m_directory->folder().path() + "/config/lumora-eviewer";
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(m_directory->folder().path() + "/config"));
  }
  void cleanup() { m_directory.reset(); }

  void firstStartShowsEmptyLoginPage() {
    auto window = openWindow();
    QCOMPARE(window->windowTitle(), QString("Lumora E-Viewer Version 20.25.04"));
    QCOMPARE(window->minimumSize(), window->maximumSize());  // the designed size, fixed
    QCOMPARE(window->windowIcon().availableSizes().size(), 8);
    QCOMPARE(currentPage(*window)->objectName(), QString("TabSheet1"));
    QVERIFY(child<QGroupBox>(window.get(), "GroupBox1")->isVisible());
    QCOMPARE(child<QGroupBox>(window.get(), "GroupBox1")->pos(), QPoint(416, 80));
    QVERIFY(child<QLineEdit>(window.get(), "Edit1")->text().isEmpty());
    QVERIFY(child<QLineEdit>(window.get(), "Edit1")->hasFocus());
    QVERIFY(!child<QTabWidget>(window.get(), "PageControl1")->tabBar()->isVisible());
    QVERIFY(!child<QAction>(window.get(), "projekte1")->isEnabled());
    QVERIFY(child<QAction>(window.get(), "Ende1")->isEnabled());
    QVERIFY(child<QRadioButton>(window.get(), "RadioButton2")->isChecked());
    QVERIFY(!child<QLabel>(window.get(), "Label5")->isHidden());  // on the hidden page
    QCOMPARE(window->medium(), lumora::Medium::Pdf);
    QVERIFY(!window->longTextChecked());
  }

  // From the settings folder, or an earlier version's file in the start folder.
  void startShowsFirstLineOfSettings_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("shown");
    QTest::newRow("UTF-8") << QByteArray(
                                  "\xC5\x81ukasz \xC5\xBB"
                                  "ak\r\n")
                           << "Łukasz Żak";
    QTest::newRow("several lines -> first") << QByteArray("Anna\r\nBert\r\nCarl\r\n") << "Anna";
    QTest::newRow("blanks stay") << QByteArray("  Anna B  \r\n") << "  Anna B  ";
    QTest::newRow("empty file -> empty") << QByteArray("") << "";
    QTest::newRow("no line end") << QByteArray("Anna") << "Anna";
    QTest::newRow("Windows-1252 FC -> ü") << QByteArray("M\xFCller\r\n") << "Müller";
  }
  void startShowsFirstLineOfSettings() {
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    m_directory->folder().write("lumora1.ini", file.toStdString());
    auto window = openWindow();
    QCOMPARE(child<QLineEdit>(window.get(), "Edit1")->text(), shown);
    QVERIFY(child<QGroupBox>(window.get(), "GroupBox1")->isVisible());
    window.reset();
    // Once the settings folder holds the file, that one counts.
    std::filesystem::create_directories(m_config);
    m_directory->folder().write("lumora1.ini", "Alt\r\n");
    m_directory->folder().write("config/lumora-eviewer/lumora1.ini", file.toStdString());
    QCOMPARE(child<QLineEdit>(openWindow().get(), "Edit1")->text(), shown);
  }

  void unreadableSettingsStartWithEmptyName() {
    std::filesystem::create_directory("lumora1.ini");
    auto window = openWindow();
    QVERIFY(child<QLineEdit>(window.get(), "Edit1")->text().isEmpty());
    QVERIFY(child<QGroupBox>(window.get(), "GroupBox1")->isVisible());
    window->close();  // the folder stands in the way: ignored
    QVERIFY(!window->isVisible());
  }

  void emptyNameAsksForOperatorThenNameLogsIn() {
    auto window = openWindow();
    auto seen = answerNextMessageBox();
    logIn(*window, "");
    QVERIFY(seen->shown);
    QCOMPARE(seen->title, QString("Lumora E-Viewer"));
    QCOMPARE(seen->text, QString("Bitte Bearbeiter eingeben"));
    QVERIFY(seen->hasOkButton);
    QCOMPARE(currentPage(*window)->objectName(), QString("TabSheet1"));
    QVERIFY(!child<QAction>(window.get(), "projekte1")->isEnabled());
    QCOMPARE(window->focusWidget(), child<QLineEdit>(window.get(), "Edit1"));

    logIn(*window, "Anna");
    QCOMPARE(currentPage(*window)->objectName(), QString("TabSheet2"));
    QVERIFY(!child<QGroupBox>(window.get(), "GroupBox1")->isVisible());
    QVERIFY(child<QAction>(window.get(), "projekte1")->isEnabled());
    QCOMPARE(window->bearbeiter(), QString("Anna"));
  }

  void enterInNameFieldLogsIn() {
    auto window = openWindow();
    auto* edit = child<QLineEdit>(window.get(), "Edit1");
    QTest::keyClicks(edit, "Bert");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(currentPage(*window)->objectName(), QString("TabSheet2"));
    QCOMPARE(window->bearbeiter(), QString("Bert"));
  }

  void menuEntryKeepsInvoicePage() {
    auto window = openWindow();
    logIn(*window, "Anna");
    child<QAction>(window.get(), "projekte1")->trigger();
    QCOMPARE(currentPage(*window)->objectName(), QString("TabSheet2"));
  }

  void printerThenPdfTogglesNote() {
    auto window = openWindow();
    logIn(*window, "Anna");
    auto* note = child<QLabel>(window.get(), "Label5");
    choose(*window, "RadioButton1");
    QVERIFY(!note->isVisible());
    QCOMPARE(window->medium(), lumora::Medium::Printer);
    choose(*window, "RadioButton2");
    QVERIFY(note->isVisible());
    QCOMPARE(window->medium(), lumora::Medium::Pdf);
  }

  void aboutWindowShownOnceHiddenByItsButton() {
    auto window = openWindow();
    TForm30 about;
    window->setAboutWindow(&about);
    QVERIFY(!about.isVisible());
    child<QAction>(window.get(), "berLumora1")->trigger();
    child<QAction>(window.get(), "berLumora1")->trigger();
    QVERIFY(about.isVisible());
    int aboutWindows = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (qobject_cast<TForm30*>(top) && top->isVisible()) ++aboutWindows;
    QCOMPARE(aboutWindows, 1);
    QCOMPARE(about.windowTitle(), QString("über Lumora E-Viewer"));
    QCOMPARE(child<QPlainTextEdit>(&about, "Memo1")->toPlainText().split('\n').mid(0, 4),
             QStringList({"Lumora E-Viewer", "Version 20.25.04", "Stand 07.04.2025", ""}));
    QVERIFY(window->isEnabled());  // not modal
    QVERIFY(child<QPlainTextEdit>(&about, "Memo1")->isReadOnly());
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
    child<QAction>(window.get(), "berLumora1")->trigger();

    auto* closeButton = child<QPushButton>(&about, "BitBtn1");
    QCOMPARE(closeButton->text(), QString("S&chließen"));
    QTest::mouseClick(closeButton, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    child<QAction>(window.get(), "berLumora1")->trigger();
    QVERIFY(about.isVisible());
    about.hide();
  }

  // The manual beside an installed program, in the build tree, or missing.
  void helpCommandsOpenManualAndHomePage_data() {
    QTest::addColumn<QString>("manualFolder");
    QTest::newRow("installed") << "share/doc/lumora-eviewer";
    QTest::newRow("build tree") << "doc";
    QTest::newRow("missing") << "";
  }
  void helpCommandsOpenManualAndHomePage() {
    QFETCH(QString, manualFolder);
    namespace fs = std::filesystem;
    const std::string prefix = fs::current_path().string();
    const std::string manual = prefix + "/" + manualFolder.toStdString() + "/Lumora e-viewer.pdf";
    fs::create_directories(prefix + "/bin");
    if (!manualFolder.isEmpty()) {
      fs::create_directories(fs::path(manual).parent_path());
      m_directory->folder().write(fs::relative(manual, prefix).string(), "%PDF-1.4\n");
    }
    auto calls = std::make_shared<OpenCalls>();
    auto window = openWindow(calls);
    window->setProgramFolder(prefix + "/bin");
    // Armed only when a box is due: a watcher left waiting would answer the next test's.
    auto seen = manualFolder.isEmpty() ? answerNextMessageBox() : nullptr;
    child<QAction>(window.get(), "Gesamtdoku1")->trigger();
    if (manualFolder.isEmpty()) {
      QVERIFY(seen->shown);
      QVERIFY2(seen->text.startsWith("Das Handbuch „Lumora e-viewer.pdf“ ist nicht installiert."),
               qPrintable(seen->text));
      QVERIFY(calls->empty());
    } else {
      QCOMPARE(calls->size(), size_t(1));
      QCOMPARE(fs::canonical(calls->at(0).first), fs::canonical(manual));
    }
    calls->clear();
    child<QAction>(window.get(), "LumoraimInternet1")->trigger();
    QCOMPARE(calls->size(), size_t(1));
    QCOMPARE(calls->at(0),
             std::make_pair(std::string("https://www.lumora.example/"), std::string()));
  }

  void closeWritesNameIntoSettingsFolder_data() {
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("menu Ende") << true << "Anna" << QByteArray("Anna\r\n");
    QTest::newRow("close box") << false << "Anna" << QByteArray("Anna\r\n");
    QTest::newRow("blanks kept") << true << "  " << QByteArray("  \r\n");
    QTest::newRow("ü as byte FC") << false << "Müller" << QByteArray("M\xFCller\r\n");
    QTest::newRow("outside code page -> UTF-8")
        << true << "Łukasz" << QByteArray("\xC5\x81ukasz\r\n");
  }
  void closeWritesNameIntoSettingsFolder() {
    QFETCH(bool, fromMenu);
    QFETCH(QString, name);
    QFETCH(QByteArray, file);
    std::filesystem::create_directories(m_config);
    const std::string settings = m_config + "/lumora1.ini";
    m_directory->folder().write("config/lumora-eviewer/lumora1.ini", "Alt\r\nzweite Zeile\r\n");
    ::chmod(settings.c_str(), 0640);
    auto window = openWindow();
    logIn(*window, name);
    // An invoice chosen from another folder moves the current directory.
    std::filesystem::create_directory("rechnungen");
    std::filesystem::current_path("rechnungen");
    if (fromMenu)
      child<QAction>(window.get(), "Ende1")->trigger();
    else
      window->windowHandle()->close();  // what the window manager's close box does
    QVERIFY(!window->isVisible());
    QCOMPARE(
        QByteArray::fromStdString(m_directory->folder().read("config/lumora-eviewer/lumora1.ini")),
        file);
    QVERIFY(!std::filesystem::exists("lumora1.ini"));
    QVERIFY(!std::filesystem::exists(m_directory->folder().path() + "/lumora1.ini"));
    QCOMPARE(int(std::filesystem::status(settings).permissions()), 0640);
    // Nothing else is left behind: no temporary file.
    QCOMPARE(std::distance(std::filesystem::directory_iterator(m_config),
                           std::filesystem::directory_iterator()),
             1);
  }

  // What lies under the settings file's name at close: a link is replaced,
  // never followed; a FIFO or a folder is left alone and the window closes.
  void closeReplacesLinkAndLeavesOddFilesAlone_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to another file") << "link";
    QTest::newRow("dangling link") << "dangling";
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("folder") << "folder";
  }
  void closeReplacesLinkAndLeavesOddFilesAlone() {
    QFETCH(QString, kind);
    namespace fs = std::filesystem;
    const fs::path folder = m_config;
    fs::create_directories(folder);
    const fs::path settings = folder / "lumora1.ini";
    m_directory->folder().write("config/lumora-eviewer/fremd.txt", "fremd\n");
    if (kind == "link") fs::create_symlink(folder / "fremd.txt", settings);
    if (kind == "dangling") fs::create_symlink(folder / "neu.txt", settings);
    if (kind == "fifo") QCOMPARE(::mkfifo(settings.c_str(), 0600), 0);
    if (kind == "folder") fs::create_directory(settings);

    auto window = openWindow();
    logIn(*window, "Anna");
    ::alarm(20);  // a write that blocks on the FIFO ends the test here
    window->close();
    ::alarm(0);
    QVERIFY(!window->isVisible());

    QCOMPARE(m_directory->folder().read("config/lumora-eviewer/fremd.txt"), std::string("fremd\n"));
    QVERIFY(!fs::exists(folder / "neu.txt"));
    if (kind == "link" || kind == "dangling") {
      QVERIFY(fs::is_regular_file(fs::symlink_status(settings)));
      QCOMPARE(m_directory->folder().read("config/lumora-eviewer/lumora1.ini"),
               std::string("Anna\r\n"));
    }
    if (kind == "fifo") QVERIFY(fs::is_fifo(fs::symlink_status(settings)));
    if (kind == "folder") QVERIFY(fs::is_directory(fs::symlink_status(settings)));
  }

  // A picture that cannot be decoded leaves its label empty.
  void picturesDecodeOrStayEmpty_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("login picture") << ":/artwork/login.jpg" << QSize(411, 286);
    QTest::newRow("about picture") << ":/artwork/about.jpg" << QSize(316, 117);
    QTest::newRow("JPEG header, then garbage") << "kaputt.jpg" << QSize();
    QTest::newRow("not a JPEG") << "text.jpg" << QSize();
    QTest::newRow("missing") << "fehlt.jpg" << QSize();
  }
  void picturesDecodeOrStayEmpty() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    m_directory->folder().write("kaputt.jpg", std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11) +
                                                  std::string(300, '\x5A'));
    m_directory->folder().write("text.jpg", "kein Bild");
    const QPixmap picture = lumora::windowPicture(path);
    QCOMPARE(picture.isNull(), !size.isValid());
    if (size.isValid()) QCOMPARE(picture.size(), size);
  }

  // An earlier version's file is carried over into the settings folder.
  void closeWithoutLoginKeepsLoadedName() {
    m_directory->folder().write("lumora1.ini", " Anna \r\nBert\r\n");
    openWindow()->close();
    QCOMPARE(m_directory->folder().read("config/lumora-eviewer/lumora1.ini"),
             std::string(" Anna \r\n"));
    QCOMPARE(m_directory->folder().read("lumora1.ini"), std::string(" Anna \r\nBert\r\n"));
  }

 private:
  std::unique_ptr<CurrentDirectoryScope> m_directory;
  std::string m_config;
};

int runWindowShellTests(int argc, char** argv) {
  WindowShellTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_shell_test.moc"
