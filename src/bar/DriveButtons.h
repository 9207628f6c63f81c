#pragma once
// The drive strip (`a2`): one flat button per drive not hidden by the user, in letter
// order, with the face and click behaviour the options chose. The buttons only report
// what happens to them; the bar decides what that means.

#include "bar/DriveStripLayout.h"
#include "platform/Drives.h"

#include <QList>
#include <QWidget>

namespace parvo {

class ImageStrip;
class TPlumBut;

class DriveButtons : public QWidget {
    Q_OBJECT
public:
    explicit DriveButtons(QWidget* parent);

    void setBarColors(const QColor& background, const QColor& text);
    void setDriveFont(int pointSize, bool bold);

    // Deletes the buttons and builds them anew for these drives; returns the strip's
    // length along the bar.
    int ArrangeDriveButtons(const QList<DriveInfo>& drives, bool horizontal, int layout, int clickLayout,
                            const ImageStrip& popupImg);
    const QList<TPlumBut*>& buttons() const { return buttons_; }
    // The drives of the buttons, in strip order.
    const QList<DriveInfo>& drives() const { return drives_; }
    // Draws button `index` as hovered while a drag is over it; -1 for none.
    void setDropHover(int index);

signals:
    void entered(const DriveInfo& drive, QWidget* button);
    void left();
    void clicked(const DriveInfo& drive);
    void menuRequested(const QPoint& globalTopLeft);
    void rightClicked(const DriveInfo& drive, const QPoint& globalPos);

private:
    QList<TPlumBut*> buttons_;
    QList<DriveInfo> drives_;
    QColor background_;
    QColor text_;
};

} // namespace parvo
