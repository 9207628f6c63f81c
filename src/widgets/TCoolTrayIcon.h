#pragma once
// The bar's icon in the notification area: both mouse buttons open the bar's popup menu.

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;

namespace parvo {

class TCoolTrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TCoolTrayIcon(QObject* parent = nullptr);

    void setIcon(const QIcon& icon) { icon_.setIcon(icon); }
    void setHint(const QString& hint) { icon_.setToolTip(hint); }
    void setVisible(bool visible) { icon_.setVisible(visible); }
    bool isVisible() const { return icon_.isVisible(); }

signals:
    // A click with either button: the menu should open at this screen point.
    void menuRequested(const QPoint& globalPos);

private:
    QSystemTrayIcon icon_;
};

} // namespace parvo
