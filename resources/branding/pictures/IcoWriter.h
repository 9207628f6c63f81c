#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace parvo::pictures {

// Writes a Windows icon file holding several images, one directory entry each, in
// the order given. Each image is stored as a 32-bit device-independent bitmap with its
// alpha channel, followed by the 1-bit AND mask that older readers use (a pixel is
// masked out where its alpha is below one half). Images may be 1 to 256 pixels a side.
QByteArray icoFileBytes(const QList<QImage>& images);

// Writes the file atomically; false when an image is out of range or the file cannot
// be written.
bool saveIcoFile(const QList<QImage>& images, const QString& path);

}  // namespace parvo::pictures
