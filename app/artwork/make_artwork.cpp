// Draws the two pictures of the windows (the Login page's 411 × 286 picture
// and the about window's 316 × 117 banner), written as JPEG files with
// Qt's JPEG writer, and the desktop icon as PNG. Run by hand; the files are kept in
// the repository:
//   lumora-make-artwork login.jpg about.jpg icon-256.png
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <vector>

namespace {

void writeJpeg(const QImage& picture, const char* path) {
  if (!picture.convertToFormat(QImage::Format_RGB888).save(path, "JPEG", /*quality=*/92)) {
    std::fprintf(stderr, "%s: cannot write\n", path);
    std::exit(1);
  }
}

// A sheet of paper with an invoice's lines on it, slightly turned.
void drawInvoiceSheet(QPainter& painter, QRectF sheet, qreal angle) {
  painter.save();
  painter.translate(sheet.center());
  painter.rotate(angle);
  painter.translate(-sheet.width() / 2, -sheet.height() / 2);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 70));
  painter.drawRoundedRect(QRectF(5, 6, sheet.width(), sheet.height()), 3, 3);
  painter.setBrush(QColor(250, 250, 244));
  painter.drawRoundedRect(QRectF(0, 0, sheet.width(), sheet.height()), 3, 3);
  painter.setBrush(QColor(35, 82, 140));
  painter.drawRect(QRectF(12, 12, sheet.width() * 0.45, 9));
  painter.setBrush(QColor(170, 178, 190));
  for (int line = 0; line < 9; ++line) {
    const qreal y = 38 + line * 11;
    painter.drawRect(QRectF(12, y, sheet.width() * (line % 3 == 0 ? 0.7 : 0.55), 3));
    painter.drawRect(QRectF(sheet.width() - 40, y, 28, 3));
  }
  painter.setBrush(QColor(35, 82, 140));
  painter.drawRect(QRectF(sheet.width() - 52, sheet.height() - 26, 40, 5));
  painter.restore();
}

QImage loginPicture() {
  QImage picture(411, 286, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 411, 286);
  sky.setColorAt(0, QColor(18, 44, 84));
  sky.setColorAt(1, QColor(30, 128, 150));
  painter.fillRect(picture.rect(), sky);

  // Soft rings behind the sheets.
  painter.setPen(QPen(QColor(255, 255, 255, 36), 10));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPointF(300, 110), 120, 120);
  painter.drawEllipse(QPointF(300, 110), 78, 78);

  drawInvoiceSheet(painter, QRectF(218, 28, 130, 170), 8);
  drawInvoiceSheet(painter, QRectF(196, 40, 130, 170), -4);

  QFont title("Liberation Sans");
  title.setPixelSize(40);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QPointF(22, 236), "Lumora");
  QFont subtitle("Liberation Sans");
  subtitle.setPixelSize(26);
  painter.setFont(subtitle);
  painter.setPen(QColor(200, 236, 240));
  painter.drawText(QPointF(24, 268), "E-Viewer");
  QFont tag("Liberation Sans");
  tag.setPixelSize(14);
  painter.setFont(tag);
  painter.setPen(QColor(255, 255, 255, 190));
  painter.drawText(QPointF(26, 40), QString::fromUtf8("E-Rechnung · UBL · CII · PDF"));
  return picture;
}

QImage aboutBanner() {
  QImage picture(316, 117, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, 316, 0);
  band.setColorAt(0, QColor(22, 60, 110));
  band.setColorAt(1, QColor(40, 150, 168));
  painter.fillRect(picture.rect(), band);
  drawInvoiceSheet(painter, QRectF(226, 14, 66, 88), 6);

  QFont title("Liberation Sans");
  title.setPixelSize(44);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QPointF(16, 62), "Lumora");
  QFont subtitle("Liberation Sans");
  subtitle.setPixelSize(22);
  painter.setFont(subtitle);
  painter.setPen(QColor(200, 236, 240));
  painter.drawText(QPointF(18, 94), "E-Viewer");
  return picture;
}

// The icon: the invoice sheet on a rounded tile, as the SVG icon draws it.
QImage icon() {
  QImage picture(256, 256, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient tile(0, 0, 256, 256);
  tile.setColorAt(0, QColor(18, 44, 84));
  tile.setColorAt(1, QColor(30, 128, 150));
  painter.setPen(Qt::NoPen);
  painter.setBrush(tile);
  painter.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
  drawInvoiceSheet(painter, QRectF(64, 36, 128, 170), 0);
  QFont letter("Liberation Sans");
  letter.setPixelSize(64);
  letter.setBold(true);
  painter.setFont(letter);
  painter.setPen(QColor(35, 82, 140));
  painter.drawText(QRectF(64, 110, 128, 80), Qt::AlignCenter, "L");
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s LOGIN.jpg ABOUT.jpg ICON-FOLDER\n", argv[0]);
    return 2;
  }
  writeJpeg(loginPicture(), argv[1]);
  writeJpeg(aboutBanner(), argv[2]);
  const QImage large = icon();
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QImage sized =
        size == 256 ? large
                    : large.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QString path =
        QString::fromLocal8Bit(argv[3]) + QString("/lumora-eviewer-%1.png").arg(size);
    if (!sized.save(path, "PNG")) return 1;
  }
  return 0;
}
