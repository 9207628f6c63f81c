#include "widgets/PathLabel.h"

#include <QPainter>

namespace parvo {

PathLabel::PathLabel(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void PathLabel::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    setToolTip(text);
    update();
}

void PathLabel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect area = contentsRect().adjusted(3, 0, -3, 0);
    p.setPen(palette().windowText().color());
    // A path keeps both ends; a message keeps its beginning, which says what happened.
    const Qt::TextElideMode mode = text_.contains(QLatin1Char('/')) ? Qt::ElideMiddle : Qt::ElideRight;
    p.drawText(area, Qt::AlignVCenter | Qt::AlignLeft, fontMetrics().elidedText(text_, mode, area.width()));
}

} // namespace parvo
