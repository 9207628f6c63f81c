#include "widgets/GradientTitle.h"

#include <QLinearGradient>
#include <QPainter>

namespace parvo {

GradientTitle::GradientTitle(QWidget* parent)
    : QWidget(parent)
{
    QFont f = font();
    f.setBold(true);
    setFont(f);
}

void GradientTitle::setText(const QString& text)
{
    text_ = text;
    setAccessibleName(text);
    update();
}

void GradientTitle::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient fill(0, 0, width(), 0);
    fill.setColorAt(0, QColor(0x80, 0x80, 0x80));
    fill.setColorAt(1, QColor(0xC0, 0xC0, 0xC0));
    p.fillRect(rect(), fill);
    p.setPen(Qt::white);
    p.drawText(rect().adjusted(8, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, text_);
}

} // namespace parvo
