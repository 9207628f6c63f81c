#pragma once
// Windows bitmap files as images: the plain ones decoded here, any other by the toolkit's
// image reader (see PlainBitmap.h for why).

#include <QImage>
#include <QString>

namespace parvo {

// The bitmap in the file at path (a resource path too), whatever its name's extension; a
// null image when it is not a bitmap the toolkit can read either.
QImage ReadBitmapImage(const QString& path);

} // namespace parvo
