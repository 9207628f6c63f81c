#pragma once
// One level of the popup menu: a single popup window that lays out the rows of one item's
// children and paints only those on screen. It holds no object per item, so its cost does
// not grow with the entries nobody sees. Input goes back to the menu, which decides.

#include "menus/MenuItem.h"

#include <QFont>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace parvo {

class TBcBarPopupMenu;

class PopupLevel : public QWidget {
    Q_OBJECT
public:
    // `path` leads from the menu's root through child indices to the item shown here.
    PopupLevel(TBcBarPopupMenu* menu, std::vector<int> path, bool sideBar, QWidget* parent);

    const std::vector<int>& path() const { return path_; }
    // The item whose children are shown; null once the path leads nowhere.
    MenuItem* owner() const;
    // Item indices of the shown rows.
    const std::vector<int>& rows() const { return rows_; }
    // Whether the rows still fit the items: changes made outside an update bracket are
    // not seen until the next one ends, and until then the level ignores input.
    bool inStep() const;

    // Reads the items again: rows, widths, size. False when there is nothing left to show.
    bool refresh();

    int currentRow() const { return current_; }
    // The item index of the current row, -1 when no row is current.
    int currentIndex() const;
    void setCurrentRow(int row, bool scrollIntoView = true);
    int rowOfIndex(int index) const;
    // The row's rectangle in this window (outside the window when scrolled away).
    QRect rowRect(int row) const;
    // The row under a point of this window, -1 for none (scroll strips included).
    int rowAt(const QPoint& pos) const;
    // The row a page up (-1) or down (+1) from the current one.
    int pageRow(int direction) const;
    void scrollBy(int pixels);
    // A turn of the wheel in eighths of a degree (120 to a notch), however fine: the rest
    // below a pixel is kept for the next turn.
    void wheelBy(int angleDelta);
    bool scrolls() const { return scrolls_; }
    // The row's whole caption when the row shows it cut short, else nothing.
    QString hiddenCaption(int row) const;

    // The pointer is over this window at `pos` (coordinates of this window).
    void hoverAt(const QPoint& pos);
    void stopAutoScroll();
    void keepOnScreen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int left() const;          // where the rows start, after the frame and side bar
    int sideBarCaptionLength(); // what the side bar's caption needs along the bar
    int viewTop() const;
    int viewHeight() const;
    QRect screenArea() const;
    bool titled(const MenuItem& separator) const;
    void scrollToRow(int row);
    void paintSideBar(QPainter& painter);
    void paintItem(QPainter& painter, const MenuItem& item, const QRect& rect, bool current);
    void paintSeparator(QPainter& painter, const MenuItem& item, const QRect& rect);
    void paintScrollStrips(QPainter& painter);

    QPointer<TBcBarPopupMenu> menu_;
    std::vector<int> path_;
    bool sideBar_;
    std::vector<int> rows_;
    std::vector<int> offsets_; // top of each row in the scrolled content, plus the end
    int current_ = -1;
    int scroll_ = 0;
    bool scrolls_ = false;
    bool checkColumn_ = false;
    int textWidth_ = 0;
    QFont font_;
    QFont boldFont_;
    int itemHeight_ = 20;
    QTimer autoScroll_;
    int autoScrollStep_ = 0;
    int wheelRest_ = 0; // in 1/120 of a pixel
};

} // namespace parvo
