#include "BrandMark.h"

#include <QPainter>
#include <QPainterPath>

namespace parvo::pictures {

void paintBrandMark(QPainter& painter, const QRectF& square, QColor background, QColor letter)
{
    const qreal s = square.width();
    painter.save();
    painter.translate(square.topLeft());
    painter.setPen(Qt::NoPen);

    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(0, 0, s, s), s * 0.2, s * 0.2);

    // The letter: a stem and a bowl closed on the stem, with a round counter.
    const qreal stemLeft = s * 0.28;
    const qreal stemWidth = s * 0.17;
    const qreal top = s * 0.2;
    const qreal bottom = s * 0.82;
    const qreal bowlHeight = s * 0.38;
    const qreal bowlRight = s * 0.76;

    QPainterPath path;
    path.addRect(QRectF(stemLeft, top, stemWidth, bottom - top));
    QPainterPath bowl;
    const qreal r = bowlHeight / 2;
    bowl.moveTo(stemLeft, top);
    bowl.lineTo(bowlRight - r, top);
    bowl.arcTo(QRectF(bowlRight - 2 * r, top, 2 * r, 2 * r), 90, -180);
    bowl.lineTo(stemLeft, top + bowlHeight);
    bowl.closeSubpath();
    const qreal stroke = s * 0.15;
    QPainterPath counter;
    const qreal ri = r - stroke;
    counter.moveTo(stemLeft + stemWidth, top + stroke);
    counter.lineTo(bowlRight - r, top + stroke);
    counter.arcTo(QRectF(bowlRight - r - ri, top + stroke, 2 * ri, 2 * ri), 90, -180);
    counter.lineTo(stemLeft + stemWidth, top + bowlHeight - stroke);
    counter.closeSubpath();
    path = path.united(bowl.subtracted(counter));

    painter.setBrush(letter);
    painter.drawPath(path);
    painter.restore();
}

}  // namespace parvo::pictures
