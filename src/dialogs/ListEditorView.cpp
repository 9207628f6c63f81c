#include "dialogs/ListEditorView.h"

#include "dialogs/EditorRowsModel.h"
#include "widgets/TDropFileTarget.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>

namespace parvo {

namespace {

// Which view a dragged row comes from: rows are only ever moved inside their own list.
QByteArray ViewToken(const ListEditorView* view)
{
    return QByteArray::number(quintptr(view), 16);
}

} // namespace

ListEditorView::ListEditorView(QWidget* parent)
    : QTreeView(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    setReorderable(true);
}

void ListEditorView::setReorderable(bool reorderable)
{
    setDragEnabled(reorderable);
    setAcceptDrops(reorderable);
    setDropIndicatorShown(reorderable);
    setDragDropMode(reorderable ? QAbstractItemView::DragDrop : QAbstractItemView::NoDragDrop);
}

int ListEditorView::currentRow() const
{
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListEditorView::selectRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    const QModelIndex index = model()->index(row, 0);
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

QMimeData* ListEditorView::rowDragData(int row) const
{
    auto* data = new QMimeData;
    data->setData(EditorRowsModel::RowMimeType(), ViewToken(this) + ' ' + QByteArray::number(row));
    return data;
}

int ListEditorView::draggedRow(const QMimeData* data) const
{
    if (!data || !data->hasFormat(EditorRowsModel::RowMimeType()))
        return -1;
    const QList<QByteArray> parts = data->data(EditorRowsModel::RowMimeType()).split(' ');
    if (parts.size() != 2 || parts[0] != ViewToken(this))
        return -1;
    bool ok = false;
    const int row = parts[1].toInt(&ok);
    return ok && model() && row >= 0 && row < model()->rowCount() ? row : -1;
}

QStringList ListEditorView::droppedFiles(const QMimeData* data) const
{
    return acceptsFiles_ ? TDropFileTarget::LocalPaths(data) : QStringList();
}

void ListEditorView::startDrag(Qt::DropActions)
{
    const int row = currentRow();
    if (row < 0)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(rowDragData(row));
    drag->exec(Qt::MoveAction);
    emit dragEnded();
}

bool ListEditorView::acceptDrag(QDropEvent* event)
{
    if (draggedRow(event->mimeData()) >= 0) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        return true;
    }
    // Files come as links only: the list keeps a shortcut to them, never the files.
    if ((event->possibleActions() & Qt::LinkAction) && !droppedFiles(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::LinkAction);
        event->accept();
        return true;
    }
    event->ignore();
    return false;
}

void ListEditorView::dragEnterEvent(QDragEnterEvent* event)
{
    acceptDrag(event);
}

void ListEditorView::dragMoveEvent(QDragMoveEvent* event)
{
    // The base class scrolls a long list near its edges and shows where the row goes.
    QTreeView::dragMoveEvent(event);
    acceptDrag(event);
}

void ListEditorView::dropEvent(QDropEvent* event)
{
    if (!acceptDrag(event))
        return;
    setState(NoState);
    viewport()->update();
    if (const int dragged = draggedRow(event->mimeData()); dragged >= 0) {
        const QModelIndex target = indexAt(event->position().toPoint());
        emit rowDropped(dragged, target.isValid() ? target.row() : -1);
        return;
    }
    emit filesDropped(droppedFiles(event->mimeData()));
}

} // namespace parvo
