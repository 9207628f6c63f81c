#include "IcoWriter.h"

#include <QSaveFile>

namespace parvo::pictures {

namespace {

void putWord(QByteArray& out, quint32 value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void putDword(QByteArray& out, quint32 value)
{
    putWord(out, value & 0xFFFF);
    putWord(out, value >> 16);
}

bool fits(const QImage& image)
{
    return !image.isNull() && image.width() <= 256 && image.height() <= 256;
}

// The image's BITMAPINFOHEADER and pixels as an icon stores them: the height field
// counts the colour rows and the mask rows together, and rows run bottom-up.
QByteArray iconImageData(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const int maskStride = ((width + 31) / 32) * 4;

    QByteArray out;
    putDword(out, 40);
    putDword(out, quint32(width));
    putDword(out, quint32(height * 2));
    putWord(out, 1);   // planes
    putWord(out, 32);  // bits per pixel
    putDword(out, 0);  // no compression
    putDword(out, quint32(width * height * 4 + maskStride * height));
    putDword(out, 0);
    putDword(out, 0);
    putDword(out, 0);
    putDword(out, 0);

    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
            out.append(char(qAlpha(line[x])));
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray maskRow(maskStride, '\0');
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) < 128)
                maskRow[x / 8] = char(maskRow[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(maskRow);
    }
    return out;
}

}  // namespace

QByteArray icoFileBytes(const QList<QImage>& images)
{
    for (const QImage& image : images) {
        if (!fits(image))
            return {};
    }

    QByteArray out;
    putWord(out, 0);  // reserved
    putWord(out, 1);  // icon, not cursor
    putWord(out, quint32(images.size()));

    QList<QByteArray> bodies;
    for (const QImage& image : images)
        bodies.append(iconImageData(image));

    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        // A side of 256 is written as 0.
        out.append(char(images[i].width() & 0xFF));
        out.append(char(images[i].height() & 0xFF));
        out.append('\0');  // no palette
        out.append('\0');
        putWord(out, 1);   // planes
        putWord(out, 32);  // bits per pixel
        putDword(out, quint32(bodies[i].size()));
        putDword(out, offset);
        offset += quint32(bodies[i].size());
    }
    for (const QByteArray& body : bodies)
        out.append(body);
    return out;
}

bool saveIcoFile(const QList<QImage>& images, const QString& path)
{
    const QByteArray data = icoFileBytes(images);
    if (data.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data) != data.size())
        return false;
    return file.commit();
}

}  // namespace parvo::pictures
