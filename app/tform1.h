#pragma once
// TForm1, the main window, owns the program.
//
// Start-up reads the operator's name from "lumora1.ini" and shows the Login
// page; the login switches to the Rechnung page. "Start" (Button3Click) runs
// one render run: the run asks this window for the invoice file (the file
// dialog) and, for the printer medium, the printer (the print dialog); it
// reads the invoice in one pass into an invoice value and places every
// text through the TextOutput, which writes to the PDF document or to the
// QtPrinter depending on the radio buttons "PDF" and "Drucker". A finished PDF
// is opened through the Opener. An error stops the run and ends in the
// application's error box. Closing writes the operator's name back into the
// settings file.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/operator_settings.h"
#include "app/qt_printer.h"
#include "output/text_output.h"
#include "platform/opener.h"
#include "render/render_host.h"

QT_BEGIN_NAMESPACE
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
QT_END_NAMESPACE

namespace lumora {

class TForm30;

class TForm1 : public QMainWindow, public RenderHost {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // The about window made at program start; without one, the first
  // "über Lumora" makes it.
  void setAboutWindow(TForm30* about) { m_about = about; }

  // The invoice named on the command line: the first Start takes it instead
  // of asking, later ones ask again.
  void setStartInvoice(std::string path) { m_startInvoice = std::move(path); }

  // The file dialog's stand-in: returns the chosen path or nothing.
  using InvoiceChooser = std::function<std::optional<std::string>()>;
  void setInvoiceChooser(InvoiceChooser chooser);
  // The print dialog's stand-in: configures the printer, false on cancel.
  using PrinterChooser = std::function<bool(QPrinter&)>;
  void setPrinterChooser(PrinterChooser chooser);
  void setOpener(std::unique_ptr<Opener> opener);
  // Where the manual is looked for from; the program's own folder by default.
  void setProgramFolder(std::string folder) { m_programFolder = std::move(folder); }

  const QString& bearbeiter() const { return m_bearbeiter; }
  QtPrinter& printer() { return m_printer; }

  // RenderHost: what the render run asks of the window.
  Medium medium() const override;
  std::optional<std::string> chooseInvoiceFile() override;
  bool choosePrinter() override;
  bool longTextChecked() const override;
  Opener& opener() override;

 public slots:
  void FormCreate();
  void FormActivate();
  void FormClose();
  void BitBtn1Click();
  void Button3Click();
  void RadioButton1Click();
  void RadioButton2Click();
  void projekte1Click();
  void Ende1Click();
  void Gesamtdoku1Click();
  void LumoraimInternet1Click();
  void berLumora1Click();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Connects a control's signal to a command that runs through
  // Application::runCommand, so an error it raises ends in the error box.
  template <typename Sender, typename Signal>
  void connectCommand(Sender* sender, Signal signal, void (TForm1::*command)()) {
    connect(sender, signal, this,
            [this, command] { Application::runCommand([this, command] { (this->*command)(); }); });
  }

  void buildLoginPage();
  void buildInvoicePage();
  void buildMenu();

  QString m_bearbeiter;
  OperatorSettings m_settings;

  QtPrinter m_printer;
  TextOutput m_output;
  std::unique_ptr<Opener> m_opener;
  std::optional<std::string> m_startInvoice;
  std::string m_programFolder;
  InvoiceChooser m_chooseInvoice;
  PrinterChooser m_choosePrinter;
  TForm30* m_about = nullptr;
  std::unique_ptr<TForm30> m_ownAbout;

  QMenuBar* MainMenu1;
  QAction* projekte1;
  QMenu* Dokumentation1;
  QAction* Gesamtdoku1;
  QAction* LumoraimInternet1;
  QAction* berLumora1;
  QAction* Ende1;

  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QWidget* TabSheet2;

  QLabel* Label4;
  QLabel* Image1;
  QGroupBox* GroupBox1;
  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Edit1;
  QPushButton* BitBtn1;

  QGroupBox* GroupBox3;
  QPushButton* Button3;
  QGroupBox* GroupBox4;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton1;
  QCheckBox* CheckBox1;
  QLabel* Label5;
};

}  // namespace lumora
