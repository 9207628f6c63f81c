#include "widgets/TCoolTrayIcon.h"

#include <QCursor>
#include <QSystemTrayIcon>

namespace parvo {

TCoolTrayIcon::TCoolTrayIcon(QObject* parent)
    : QObject(parent)
{
}

TCoolTrayIcon::~TCoolTrayIcon() = default;

void TCoolTrayIcon::setIcon(const QIcon& icon)
{
    iconImage_ = icon;
    if (icon_)
        icon_->setIcon(icon);
}

void TCoolTrayIcon::setHint(const QString& hint)
{
    hint_ = hint;
    if (icon_)
        icon_->setToolTip(hint);
}

void TCoolTrayIcon::setVisible(bool visible)
{
    if (!icon_ && !visible)
        return;
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>(iconImage_);
        icon_->setToolTip(hint_);
        // The menu is the bar's one shared popup, built afresh at every opening; it is not
        // handed to the tray as a context menu because the tray would then own its timing.
        connect(icon_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context
                || reason == QSystemTrayIcon::DoubleClick)
                emit menuRequested(QCursor::pos());
        });
    }
    icon_->setVisible(visible);
}

bool TCoolTrayIcon::isVisible() const
{
    return icon_ && icon_->isVisible();
}

} // namespace parvo
