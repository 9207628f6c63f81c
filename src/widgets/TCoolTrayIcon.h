#pragma once
// The bar's icon in the notification area: both mouse buttons open the bar's popup menu.
//
// The icon itself (and with it the connection to the session bus, where notification
// areas are found) is made the first time it is to be shown, so a bar that starts
// without it, or before it, pays for neither.

#include <QIcon>
#include <QObject>
#include <QString>

#include <memory>

class QSystemTrayIcon;

namespace parvo {

class TCoolTrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TCoolTrayIcon(QObject* parent = nullptr);
    ~TCoolTrayIcon() override;

    void setIcon(const QIcon& icon);
    void setHint(const QString& hint);
    void setVisible(bool visible);
    bool isVisible() const;

signals:
    // A click with either button: the menu should open at this screen point.
    void menuRequested(const QPoint& globalPos);

private:
    QIcon iconImage_;
    QString hint_;
    std::unique_ptr<QSystemTrayIcon> icon_;
};

} // namespace parvo
