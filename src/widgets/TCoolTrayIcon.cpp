#include "widgets/TCoolTrayIcon.h"

#include <QCursor>

namespace parvo {

TCoolTrayIcon::TCoolTrayIcon(QObject* parent)
    : QObject(parent)
{
    // The menu is the bar's one shared popup, built afresh at every opening; it is not
    // handed to the tray as a context menu because the tray would then own its timing.
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context
            || reason == QSystemTrayIcon::DoubleClick)
            emit menuRequested(QCursor::pos());
    });
}

} // namespace parvo
