#include "widgets/TLinkLabel.h"

#include "platform/Shell.h"
#include "widgets/LinkTarget.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>

namespace parvo {

TLinkLabel::TLinkLabel(QWidget* parent) : QLabel(parent)
{
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    setPressed(false);
}

void TLinkLabel::setPressed(bool pressed)
{
    pressed_ = pressed;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, pressed ? QColor(0x80, 0x00, 0x80) : QColor(Qt::blue));
    setPalette(pal);
}

void TLinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    setPressed(true);
    event->accept();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return QLabel::mouseReleaseEvent(event);
    setPressed(false);
    event->accept();
    // A press dragged off the label and let go elsewhere is no click.
    if (!rect().contains(event->position().toPoint()))
        return;
    if (shell_ && !text().isEmpty())
        shell_->openWithDesktop(LinkTarget(text()));
    emit clicked();
}

void TLinkLabel::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    connect(menu.addAction(QStringLiteral("Copy")), &QAction::triggered, this, &TLinkLabel::copyCaption);
    menu.exec(event->globalPos());
}

void TLinkLabel::copyCaption() const
{
    QGuiApplication::clipboard()->setText(text());
}

} // namespace parvo
