#include "app/tform30.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

#include "app/window_geometry.h"
#include "app/window_keys.h"
#include "app/window_picture.h"
#include "lumora/version.h"

namespace lumora {

namespace {

// "2025-04-07" as "07.04.2025".
QString germanDate(const char* isoDate) {
  const QString iso = QString::fromLatin1(isoDate);
  return iso.mid(8, 2) + "." + iso.mid(5, 2) + "." + iso.left(4);
}

}  // namespace

TForm30::TForm30(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form30");
  setWindowTitle(QString::fromUtf8("über Lumora E-Viewer"));
  QFont windowFont("MS Sans Serif");
  windowFont.setPixelSize(11);
  setFont(windowFont);
  // Closing the main window ends the program even while this one is shown.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFixedSize(clientSizeFor(/*outerWidth=*/490, /*outerHeight=*/252));

  Image2 = new QLabel(this);
  Image2->setObjectName("Image2");
  Image2->setGeometry(16, 21, 209, 116);
  Image2->setScaledContents(true);
  Image2->setPixmap(windowPicture(":/artwork/about.jpg"));

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(248, 24, 185, 113);
  QPalette memoColours = Memo1->palette();
  memoColours.setColor(QPalette::Base, QColor(167, 216, 245));
  Memo1->setPalette(memoColours);
  Memo1->setReadOnly(true);
  Memo1->setPlainText(QStringLiteral("Lumora E-Viewer\nVersion ") + kVersion + "\nStand " +
                      germanDate(kReleaseDate) + "\n\nLumora Software GmbH\nwww.lumora.example");

  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                            QString::fromUtf8("S&chließen"), this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setGeometry(336, 160, 97, 25);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm30::BitBtn1Click);

  EnterPressesButton::installOn(*this);
  centreOnScreen(*this);
}

void TForm30::keyPressEvent(QKeyEvent* event) {
  // Escape closes the window as its close button does.
  if (event->key() == Qt::Key_Escape) return BitBtn1Click();
  QWidget::keyPressEvent(event);
}

void TForm30::BitBtn1Click() {
  hide();
}

}  // namespace lumora
