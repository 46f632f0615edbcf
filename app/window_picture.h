#pragma once
// The windows' pictures are JPEG files built into the program, decoded by
// Qt's own image reader.

#include <QPixmap>
#include <QString>

namespace lumora {

// The picture at `path` (":/artwork/..." for the built-in ones); an empty
// pixmap when the file is missing or cannot be decoded, so that its label
// stays empty and the window opens all the same.
QPixmap windowPicture(const QString& path);

}  // namespace lumora
