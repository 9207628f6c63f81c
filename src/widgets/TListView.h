#pragma once
// The extended list view of the folder windows: rows of a caption and one sub-item (a
// second column), each with a picture, shown in one of four styles — large icons, small
// icons, a list, or details with column headers. Captions are read-only; the owner
// decides what a row means.

#include <QIcon>
#include <QList>
#include <QStandardItemModel>
#include <QStringList>
#include <QWidget>

class QAbstractItemView;
class QListView;
class QTreeView;
class QKeyEvent;

namespace parvo {

class TListView : public QWidget {
    Q_OBJECT
public:
    // The view styles, by their stored numbers.
    enum ViewStyle { vsIcon = 0, vsSmallIcon = 1, vsList = 2, vsReport = 3 };

    explicit TListView(QWidget* parent = nullptr);

    void setColumns(const QStringList& captions);
    void setColumnWidth(int column, int width);
    int columnWidth(int column) const;

    void setViewStyle(int style); // other numbers leave the style as it is
    int viewStyle() const { return style_; }

    // Pictures by image index: each icon holds a 16- and a 32-pixel picture.
    void setImages(const QList<QIcon>& images);

    void clear();
    void addItem(const QString& caption, const QString& subItem, int image);
    void setItem(int row, const QString& caption, const QString& subItem);
    void removeRow(int row);
    int count() const;
    QString caption(int row) const;
    QString subItem(int row) const;

    int selectedRow() const; // -1 when none
    void setSelectedRow(int row);
    // The row at `point` (this widget's coordinates), or -1 over empty space.
    int rowAt(QPoint point) const;
    // Where row `row` is drawn, in this widget's coordinates.
    QRect rowRect(int row) const;

    // The row drawn as the target of a drag; -1 for none.
    void setDropHighlight(int row);
    int dropHighlight() const { return dropRow_; }

    // The view showing the rows now (the details view or the icon / list view).
    QAbstractItemView* currentView() const;

signals:
    void selectionChanged();
    void doubleClicked(int row);
    void keyPressed(QKeyEvent* event);
    // The pointer moved over the rows; `free` when no button or modifier key is held.
    void mouseMoved(QPoint point, bool free);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyStyle();
    void Prepare(QAbstractItemView* view);

    QStandardItemModel model_;
    QListView* list_;
    QTreeView* tree_;
    QList<QIcon> images_;
    int style_ = vsIcon;
    int dropRow_ = -1;
};

} // namespace parvo
