#include "widgets/TPlumBut.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace parvo {

TPlumBut::TPlumBut(QWidget* parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void TPlumBut::setGlyph(const QPixmap& glyph)
{
    glyph_ = glyph;
    update();
}

void TPlumBut::setHovered(bool hovered)
{
    if (hovered_ == hovered)
        return;
    hovered_ = hovered;
    update();
}

void TPlumBut::setMenuPart(MenuPart part)
{
    menuPart_ = part;
    update();
}

void TPlumBut::setBarColors(const QColor& background, const QColor& text)
{
    background_ = background;
    text_ = text;
    update();
}

QRect TPlumBut::arrowRect() const
{
    if (menuPart_ != MenuPart::Arrow)
        return {};
    // The rightmost pixels in a row and in a column alike.
    const int length = std::min(arrowLength_, width());
    return QRect(width() - length, 0, length, height());
}

bool TPlumBut::onArrowPart(const QPoint& pos) const
{
    return arrowRect().contains(pos);
}

bool TPlumBut::hitButton(const QPoint& pos) const
{
    // The menu part of a button never clicks it.
    if (menuPart_ == MenuPart::Whole)
        return false;
    return rect().contains(pos) && !onArrowPart(pos);
}

void TPlumBut::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    emit entered();
    QAbstractButton::enterEvent(event);
}

void TPlumBut::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    emit left();
    QAbstractButton::leaveEvent(event);
}

void TPlumBut::mousePressEvent(QMouseEvent* event)
{
    // A press can come without an enter (the pointer was already there when the button
    // appeared); the hover key must be set before any menu drops.
    if (!hovered_) {
        hovered_ = true;
        emit entered();
    }
    if (event->button() == Qt::RightButton) {
        emit rightClicked(event->globalPosition().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton
        && (menuPart_ == MenuPart::Whole || (menuPart_ == MenuPart::Arrow && onArrowPart(event->position().toPoint())))) {
        setDown(true);
        repaint();
        emit menuRequested(mapToGlobal(QPoint(0, height())));
        setDown(false);
        update();
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void TPlumBut::contextMenuEvent(QContextMenuEvent* event)
{
    // The press has answered already; the event must not go on to the panel behind,
    // whose own menu would replace the button's.
    event->accept();
}

void TPlumBut::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor back = background_.isValid() ? background_ : palette().button().color();
    p.fillRect(rect(), back);

    const bool sunk = isDown() || isChecked();
    if (isEnabled() && (hovered_ || sunk)) {
        // A thin bevel: light on the lit sides, dark on the shaded ones, swapped when down.
        const QColor light = back.lighter(160);
        const QColor dark = back.darker(160);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.setPen(sunk ? dark : light);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(sunk ? light : dark);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        if (menuPart_ == MenuPart::Arrow) {
            const QRect a = arrowRect();
            p.setPen(dark);
            p.drawLine(a.left(), a.top() + 1, a.left(), a.bottom() - 1);
        }
    }

    QRect face = rect();
    if (menuPart_ == MenuPart::Arrow)
        face.setRight(arrowRect().left() - 1);
    const int shift = sunk ? 1 : 0;
    face.translate(shift, shift);

    const QString caption = text();
    const QColor ink = isEnabled() ? (text_.isValid() ? text_ : palette().buttonText().color())
                                   : palette().color(QPalette::Disabled, QPalette::ButtonText);
    if (!glyph_.isNull() && caption.isEmpty()) {
        QPixmap g = glyph_;
        if (!isEnabled()) {
            QImage grey = g.toImage().convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < grey.height(); ++y)
                for (int x = 0; x < grey.width(); ++x) {
                    const QRgb c = grey.pixel(x, y);
                    const int v = qGray(c) / 2 + 100;
                    grey.setPixel(x, y, qRgba(v, v, v, qAlpha(c)));
                }
            g = QPixmap::fromImage(grey);
        }
        const QSize s = g.deviceIndependentSize().toSize();
        p.drawPixmap(face.left() + (face.width() - s.width()) / 2, face.top() + (face.height() - s.height()) / 2, g);
    } else if (!glyph_.isNull() && vertical_ && face.height() >= 36) {
        // A tall button of a vertical strip: the glyph above its caption.
        const QSize s = glyph_.deviceIndependentSize().toSize();
        const int top = face.top() + std::max(1, (face.height() - s.height() - fontMetrics().height()) / 2);
        p.drawPixmap(face.left() + (face.width() - s.width()) / 2, top, glyph_);
        p.setPen(ink);
        p.drawText(QRect(face.left(), top + s.height(), face.width(), fontMetrics().height()), Qt::AlignHCenter, caption);
    } else if (!glyph_.isNull()) {
        const QSize s = glyph_.deviceIndependentSize().toSize();
        const int textWidth = fontMetrics().horizontalAdvance(caption);
        const int total = s.width() + 2 + textWidth;
        const int x = face.left() + std::max(1, (face.width() - total) / 2);
        p.drawPixmap(x, face.top() + (face.height() - s.height()) / 2, glyph_);
        p.setPen(ink);
        p.drawText(QRect(x + s.width() + 2, face.top(), textWidth + 2, face.height()), Qt::AlignVCenter, caption);
    } else {
        p.setPen(ink);
        p.drawText(face, Qt::AlignCenter, caption);
    }

    if (showArrow_ || menuPart_ == MenuPart::Arrow) {
        // A small triangle: in the arrow part, or in the bottom-right corner of the face.
        const QRect a = menuPart_ == MenuPart::Arrow ? arrowRect() : QRect(width() - 7, height() - 5, 5, 3);
        const QPointF c = a.center() + QPointF(0.5 + shift, 0.5 + shift);
        QPainterPath tri;
        tri.moveTo(c.x() - 2.5, c.y() - 1);
        tri.lineTo(c.x() + 2.5, c.y() - 1);
        tri.lineTo(c.x(), c.y() + 1.5);
        tri.closeSubpath();
        p.fillPath(tri, ink);
    }
}

} // namespace parvo
