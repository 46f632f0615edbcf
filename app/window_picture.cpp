#include "app/window_picture.h"

#include <QImageReader>

namespace lumora {

QPixmap windowPicture(const QString& path) {
  QImageReader reader(path, "jpeg");
  const QImage picture = reader.read();
  if (picture.isNull()) return {};
  return QPixmap::fromImage(picture);
}

}  // namespace lumora
