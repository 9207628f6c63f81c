#include "Logos.h"

#include "BrandFont.h"
#include "BrandMark.h"
#include "Palette.h"

#include <QFontMetrics>
#include <QPainter>

namespace parvo::pictures {

namespace {

const QString Name = QStringLiteral("Parvo");
constexpr int NamePixelSize = 13;
constexpr int MinimumWidth = 60;
constexpr int MaximumWidth = 90;

// A plate filling the image, with a darker rim and its corner pixels cut away.
QImage plate(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(brand::AccentDark);
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(1, 1), size - QSize(2, 2)), QColor(brand::Accent));
    painter.end();
    const int right = size.width() - 1;
    const int bottom = size.height() - 1;
    for (QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        image.setPixel(corner, brand::Transparent);
    return image;
}

// The name's font, made smaller when a stand-in face would not fit the widest logo.
QFont nameFont()
{
    for (int pixelSize = NamePixelSize; pixelSize > 8; --pixelSize) {
        const QFont font = brandFont(pixelSize);
        if (QFontMetrics(font).horizontalAdvance(Name) <= MaximumWidth - 24)
            return font;
    }
    return brandFont(8);
}

}  // namespace

QImage makeHorizontalLogo()
{
    const QFont font = nameFont();
    const QFontMetrics metrics(font);
    const int markSize = HorizontalLogoHeight - 6;
    const int textLeft = 3 + markSize + 4;
    const int width = std::clamp(textLeft + metrics.horizontalAdvance(Name) + 5, MinimumWidth, MaximumWidth);

    QImage image = plate(QSize(width, HorizontalLogoHeight));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintBrandMark(painter, QRectF(3, 3, markSize, markSize), brand::White, brand::Accent);

    painter.setFont(font);
    painter.setPen(QColor(brand::White));
    const QRect textBox(textLeft, 1, width - textLeft - 2, HorizontalLogoHeight - 2);
    painter.drawText(textBox, Qt::AlignCenter, Name);
    return image;
}

QImage makeVerticalLogo(int height)
{
    const QFont font = nameFont();
    const int markSize = VerticalLogoWidth - 8;
    QImage image = plate(QSize(VerticalLogoWidth, height));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintBrandMark(painter, QRectF(4, 4, markSize, markSize), brand::White, brand::Accent);

    // The name reads from bottom to top in the space under the mark.
    const int textTop = 4 + markSize + 3;
    painter.translate(0, height - 2);
    painter.rotate(-90);
    painter.setFont(font);
    painter.setPen(QColor(brand::White));
    const QRect textBox(0, 1, height - 2 - textTop, VerticalLogoWidth - 2);
    painter.drawText(textBox, Qt::AlignCenter, Name);
    return image;
}

}  // namespace parvo::pictures
