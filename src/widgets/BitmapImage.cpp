#include "widgets/BitmapImage.h"

#include "widgets/PlainBitmap.h"

#include <QFile>
#include <QImageReader>

namespace parvo {

namespace {

// What the toolkit makes of the same bitmap: a palette picture for up to 8 bits per pixel,
// else opaque colours.
QImage ToImage(const PlainBitmap& b)
{
    const bool indexed = b.bitsPerPixel <= 8;
    QImage image(b.width, b.height, indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    if (indexed)
        image.setColorTable(b.palette);
    for (int y = 0; y < b.height; ++y) {
        const QByteArrayView row = b.row(y);
        if (indexed) {
            uchar* out = image.scanLine(y);
            for (int x = 0; x < b.width; ++x)
                out[x] = static_cast<uchar>(b.pixel(row, x));
        } else {
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < b.width; ++x)
                out[x] = b.pixel(row, x);
        }
    }
    image.setDotsPerMeterX(b.dotsPerMeterX);
    image.setDotsPerMeterY(b.dotsPerMeterY);
    return image;
}

// The bar's bitmaps are a few kilobytes; a file far larger goes to the toolkit whole.
constexpr qint64 MaxPlainFileBytes = 8 * 1024 * 1024;

} // namespace

QImage ReadBitmapImage(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.size() <= MaxPlainFileBytes) {
        const QByteArray bytes = file.readAll();
        if (const auto plain = ParsePlainBitmap(bytes))
            return ToImage(*plain);
    }
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

} // namespace parvo
