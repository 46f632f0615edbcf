// The main window's commands: start-up and close, the login, the page and
// medium switches, the help menu, and Start with the dialogs it asks for.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <utility>

#include "app/manual_lookup.h"
#include "app/operator_settings.h"
#include "app/tform1.h"
#include "app/tform30.h"
#include "app/wait_cursor.h"
#include "platform/current_directory.h"
#include "render/render_run.h"

namespace lumora {

namespace {

constexpr char kHomePage[] = "https://www.lumora.example/";

}  // namespace

void TForm1::setInvoiceChooser(InvoiceChooser chooser) {
  m_chooseInvoice = std::move(chooser);
}

void TForm1::setPrinterChooser(PrinterChooser chooser) {
  m_choosePrinter = std::move(chooser);
}

void TForm1::setOpener(std::unique_ptr<Opener> opener) {
  m_opener = std::move(opener);
}

void TForm1::FormCreate() {
  PageControl1->tabBar()->hide();
  PageControl1->setCurrentWidget(TabSheet1);

  m_bearbeiter = m_settings.loadOperatorName();
  Edit1->setText(m_bearbeiter);

  GroupBox1->move(416, 80);
  GroupBox1->show();
}

void TForm1::FormActivate() {
  if (PageControl1->currentWidget() == TabSheet1) Edit1->setFocus();
}

void TForm1::FormClose() {
  m_settings.saveOperatorName(m_bearbeiter);
}

bool TForm1::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QMainWindow::event(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TForm1::BitBtn1Click() {
  // Taken as typed: a name of blanks is a name.
  m_bearbeiter = Edit1->text();
  if (m_bearbeiter.isEmpty()) {
    QMessageBox message(QMessageBox::NoIcon, applicationTitle(), "Bitte Bearbeiter eingeben",
                        QMessageBox::Ok, this);
    message.exec();
    Edit1->setFocus();
    return;
  }
  projekte1->setEnabled(true);
  GroupBox1->hide();
  PageControl1->setCurrentWidget(TabSheet2);
}

void TForm1::projekte1Click() {
  PageControl1->setCurrentWidget(TabSheet2);
}

void TForm1::RadioButton2Click() {
  Label5->setVisible(RadioButton2->isChecked());
}

void TForm1::RadioButton1Click() {
  Label5->hide();
}

void TForm1::Ende1Click() {
  close();
}

void TForm1::Gesamtdoku1Click() {
  const std::string programFolder =
      m_programFolder.empty() ? QFile::encodeName(QApplication::applicationDirPath()).toStdString()
                              : m_programFolder;
  if (const std::optional<std::string> manual = findManual(programFolder)) {
    m_opener->open(*manual, manual->substr(0, manual->find_last_of('/')));
    return;
  }
  QString folders;
  for (const std::string& folder : manualFolders(programFolder))
    folders += "\n" + QFile::decodeName(QByteArray::fromStdString(folder));
  QMessageBox message(QMessageBox::Warning, applicationTitle(),
                      QString::fromUtf8("Das Handbuch „%1“ ist nicht installiert. Gesucht in:")
                              .arg(kManualFileName) +
                          folders,
                      QMessageBox::Ok, this);
  message.exec();
}

void TForm1::LumoraimInternet1Click() {
  m_opener->open(kHomePage, "");
}

void TForm1::berLumora1Click() {
  if (!m_about) {
    m_ownAbout = std::make_unique<TForm30>();
    m_about = m_ownAbout.get();
  }
  m_about->show();
  m_about->raise();
  m_about->activateWindow();
}

void TForm1::Button3Click() {
  const WaitCursor wait;
  RenderRun(*this, m_output).start();
}

Medium TForm1::medium() const {
  return RadioButton1->isChecked() ? Medium::Printer : Medium::Pdf;
}

bool TForm1::longTextChecked() const {
  return CheckBox1->isChecked();
}

Opener& TForm1::opener() {
  return *m_opener;
}

std::optional<std::string> TForm1::chooseInvoiceFile() {
  if (m_startInvoice) return std::exchange(m_startInvoice, std::nullopt);
  const DialogCursor arrow;
  if (m_chooseInvoice) return m_chooseInvoice();

  QFileDialog dialog(this, QString::fromUtf8("Bitte E-Rechnung auswählen"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // An invoice comes as XML or as a PDF carrying the XML.
  dialog.setNameFilters({QString::fromUtf8("E-Rechnungen (*.xml *.pdf)"), "E-Rechnung (*.xml)",
                         "PDF mit E-Rechnung (*.pdf)"});
  dialog.setDefaultSuffix("xml");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

bool TForm1::choosePrinter() {
  const DialogCursor arrow;
  if (m_choosePrinter) return m_choosePrinter(m_printer.qprinter());

  QPrintDialog dialog(&m_printer.qprinter(), this);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace lumora
