// The main window's controls and menu, laid out as the designer placed them:
// positions and sizes in pixels at 96 dots per inch, font heights in pixels.
#include "app/tform1.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include "app/tform30.h"
#include "app/window_geometry.h"
#include "app/window_keys.h"
#include "app/window_picture.h"
#include "lumora/version.h"

namespace lumora {

namespace {

// A menu bar of 20 pixels stood between the caption and the client area.
constexpr QSize kContentSize = clientSizeFor(/*outerWidth=*/679, /*outerHeight=*/545 - 20);

QFont pixelFont(const QString& family, int pixels, bool bold = false) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

void setBackground(QWidget* widget, const QColor& colour) {
  setColour(widget, QPalette::Window, colour);
  widget->setAutoFillBackground(true);
}

template <typename Widget, typename... Args>
Widget* place(QWidget* parent, const char* name, QRect geometry, Args&&... args) {
  auto* widget = new Widget(std::forward<Args>(args)..., parent);
  widget->setObjectName(name);
  widget->setGeometry(geometry);
  return widget;
}

// Labels size themselves to their text, and a caption is never cut off:
// where this desktop's fonts run wider than the designer's, the control grows
// to the right and down from its place.
void growToText(QWidget* widget) {
  const QSize needed = widget->sizeHint();
  widget->resize(qMax(widget->width(), needed.width()), qMax(widget->height(), needed.height()));
}

QLabel* placeLabel(QWidget* parent, const char* name, QRect geometry, const QString& text) {
  auto* label = place<QLabel>(parent, name, geometry, text);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent),
      m_output(*this, &m_printer),
      m_opener(std::make_unique<DesktopOpener>()) {
  setObjectName("Form1");
  setWindowTitle(QStringLiteral("Lumora E-Viewer Version ") + kVersion);

  buildMenu();

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  // The window's font and colour belong to its client area, not to the menu.
  PageControl1->setFont(pixelFont("System", 13));
  setColour(PageControl1, QPalette::Window, QColor(133, 133, 133));
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName("TabSheet1");
  TabSheet1->setAutoFillBackground(true);
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName("TabSheet2");
  TabSheet2->setAutoFillBackground(true);
  PageControl1->addTab(TabSheet1, "Login");
  PageControl1->addTab(TabSheet2, "Rechnung");
  setCentralWidget(PageControl1);

  buildLoginPage();
  buildInvoicePage();
  EnterPressesButton::installOn(*this);

  // The controls stand at fixed places, so the window keeps its designed size.
  setFixedSize(kContentSize.width(), kContentSize.height() + MainMenu1->sizeHint().height());
  centreOnScreen(*this);

  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::buildMenu() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName("MainMenu1");

  projekte1 = MainMenu1->addAction("E-Rechnung");
  projekte1->setObjectName("projekte1");
  projekte1->setEnabled(false);
  connectCommand(projekte1, &QAction::triggered, &TForm1::projekte1Click);

  Dokumentation1 = MainMenu1->addMenu("Dokumentation");
  Dokumentation1->setObjectName("Dokumentation1");
  Dokumentation1->menuAction()->setObjectName("Dokumentation1");
  Gesamtdoku1 = Dokumentation1->addAction("Dokumentation");
  Gesamtdoku1->setObjectName("Gesamtdoku1");
  connectCommand(Gesamtdoku1, &QAction::triggered, &TForm1::Gesamtdoku1Click);
  LumoraimInternet1 = Dokumentation1->addAction("Lumora im Internet");
  LumoraimInternet1->setObjectName("LumoraimInternet1");
  connectCommand(LumoraimInternet1, &QAction::triggered, &TForm1::LumoraimInternet1Click);
  berLumora1 = Dokumentation1->addAction(QString::fromUtf8("über Lumora"));
  berLumora1->setObjectName("berLumora1");
  connectCommand(berLumora1, &QAction::triggered, &TForm1::berLumora1Click);

  Ende1 = MainMenu1->addAction("Ende");
  Ende1->setObjectName("Ende1");
  connectCommand(Ende1, &QAction::triggered, &TForm1::Ende1Click);
}

void TForm1::buildLoginPage() {
  Label4 = placeLabel(TabSheet1, "Label4", {16, 8, 354, 55}, "Lumora E-Viewer");
  Label4->setFont(pixelFont("Arial", 48));
  setColour(Label4, QPalette::WindowText, Qt::white);
  growToText(Label4);

  Image1 = place<QLabel>(TabSheet1, "Image1", {16, 80, 377, 273});
  Image1->setScaledContents(true);
  Image1->setPixmap(windowPicture(":/artwork/login.jpg"));

  // The login group: start-up moves it into place and shows it.
  GroupBox1 = place<QGroupBox>(TabSheet1, "GroupBox1", {416, 80, 225, 169});
  GroupBox1->hide();

  Label1 = placeLabel(GroupBox1, "Label1", {24, 16, 59, 27}, "Login");
  Label1->setFont(pixelFont("Arial", 24));
  setColour(Label1, QPalette::WindowText, QColor(0, 0, 128));
  growToText(Label1);

  Label2 = placeLabel(GroupBox1, "Label2", {24, 48, 68, 16}, "Bearbeiter");
  growToText(Label2);

  Edit1 = place<QLineEdit>(GroupBox1, "Edit1", {24, 64, 193, 40});
  Edit1->setFont(pixelFont("Arial", 27));
  setColour(Edit1, QPalette::Base, QColor(254, 254, 233));
  setColour(Edit1, QPalette::Text, Qt::black);

  BitBtn1 = place<QPushButton>(GroupBox1, "BitBtn1", {24, 112, 193, 41},
                               style()->standardIcon(QStyle::SP_DialogOkButton), "OK");
  // The window's default button: Enter in the name field logs in.
  BitBtn1->setDefault(true);
  connectCommand(BitBtn1, &QPushButton::clicked, &TForm1::BitBtn1Click);
  connect(Edit1, &QLineEdit::returnPressed, BitBtn1, &QPushButton::click);
}

void TForm1::buildInvoicePage() {
  GroupBox3 = place<QGroupBox>(TabSheet2, "GroupBox3", {32, 48, 577, 353}, "E-Rechnung einlesen");
  setBackground(GroupBox3, QColor(121, 121, 121));
  setColour(GroupBox3, QPalette::WindowText, Qt::white);
  GroupBox3->setFont(pixelFont("System", 13, /*bold=*/true));

  // The push button keeps the style's text colour on its face.
  Button3 = place<QPushButton>(GroupBox3, "Button3", {32, 64, 137, 49}, "Start");
  setColour(Button3, QPalette::ButtonText, palette().color(QPalette::ButtonText));
  connectCommand(Button3, &QPushButton::clicked, &TForm1::Button3Click);

  GroupBox4 = place<QGroupBox>(GroupBox3, "GroupBox4", {256, 64, 185, 121}, "Ausgabemedium");
  setBackground(GroupBox4, QColor(88, 88, 88));

  RadioButton2 = place<QRadioButton>(GroupBox4, "RadioButton2", {16, 32, 113, 17}, "PDF");
  RadioButton2->setChecked(true);
  connectCommand(RadioButton2, &QRadioButton::clicked, &TForm1::RadioButton2Click);
  RadioButton1 = place<QRadioButton>(GroupBox4, "RadioButton1", {16, 72, 113, 17}, "Drucker");
  connectCommand(RadioButton1, &QRadioButton::clicked, &TForm1::RadioButton1Click);

  CheckBox1 = place<QCheckBox>(GroupBox3, "CheckBox1", {40, 160, 177, 17}, "mit Langtext  drucken");
  for (QWidget* choice : {static_cast<QWidget*>(RadioButton2), static_cast<QWidget*>(RadioButton1),
                          static_cast<QWidget*>(CheckBox1)})
    growToText(choice);

  Label5 = placeLabel(GroupBox3, "Label5", {24, 224, 538, 20},
                      QString::fromUtf8("Die PDF-Datei wird in dem Verzeichnis abgelegt, aus dem "
                                        "die E-Rechnung geöffnet wurde."));
  Label5->setFont(pixelFont("Arial Narrow", 15, /*bold=*/true));
  growToText(Label5);
}

}  // namespace lumora
