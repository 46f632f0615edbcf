#pragma once
// The windows' pictures are JPEG files built into the program; libjpeg
// decodes them.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace lumora {

// Decodes JPEG bytes into an RGB image; throws Exception when the bytes are
// not a JPEG image libjpeg can read.
QImage decodeJpeg(const QByteArray& jpeg);

// Decodes the built-in picture at resource path `path` (":/artwork/...").
QImage builtInPicture(const QString& path);

}  // namespace lumora
