#pragma once
// The list view of the options dialog's list pages: one row per entry, selected whole,
// never edited in place. A row dragged onto another row asks to be moved there; the
// program list also takes files dropped from the file manager, as links.

#include <QStringList>
#include <QTreeView>

namespace parvo {

class ListEditorView : public QTreeView {
    Q_OBJECT
public:
    explicit ListEditorView(QWidget* parent = nullptr);

    // Whether files dropped from outside are taken (the program list).
    void setAcceptsFiles(bool accepts) { acceptsFiles_ = accepts; }
    // Whether rows may be dragged to a new place.
    void setReorderable(bool reorderable);

    // The selected row, -1 for none.
    int currentRow() const;
    void selectRow(int row);

    // The drag data of a row of this view.
    QMimeData* rowDragData(int row) const;

signals:
    // A row of this view was dropped onto `onto` (-1: the free space under the rows).
    void rowDropped(int dragged, int onto);
    // A drag of a row ended, dropped or not.
    void dragEnded();
    // Files were dropped from outside, in their order.
    void filesDropped(const QStringList& paths);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The row a drag of this view carries, -1 when the drag is not one.
    int draggedRow(const QMimeData* data) const;
    QStringList droppedFiles(const QMimeData* data) const;
    bool acceptDrag(QDropEvent* event);

    bool acceptsFiles_ = false;
};

} // namespace parvo
