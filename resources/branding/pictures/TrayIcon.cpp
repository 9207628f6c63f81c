#include "TrayIcon.h"

#include "BrandMark.h"
#include "Palette.h"

#include <QPainter>

namespace parvo::pictures {

QList<QImage> makeTrayIcons()
{
    QList<QImage> icons;
    for (int size : TrayIconSizes) {
        QImage icon(size, size, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        painter.setRenderHint(QPainter::Antialiasing);
        // A one-pixel margin at the small sizes, a little more at the large ones, so
        // that the mark does not touch the panel's neighbouring icons.
        const qreal margin = size <= 24 ? 1 : size / 16.0;
        paintBrandMark(painter, QRectF(margin, margin, size - 2 * margin, size - 2 * margin),
                       brand::Accent, brand::White);
        painter.end();
        icons.append(icon);
    }
    return icons;
}

}  // namespace parvo::pictures
