#include "dialogs/EditorRowsModel.h"

#include <QMimeData>

namespace parvo {

EditorRowsModel::EditorRowsModel(const QList<EditorRow>& rows, QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), headers_(std::move(headers)), shown_(rows.size())
{
}

void EditorRowsModel::refresh(int first, int last)
{
    if (rows_.size() != shown_) {
        reset();
        return;
    }
    first = std::max(first, 0);
    last = std::min(last, int(rows_.size()) - 1);
    if (first <= last)
        emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}

void EditorRowsModel::reset()
{
    beginResetModel();
    shown_ = rows_.size();
    endResetModel();
}

QString EditorRowsModel::RowMimeType()
{
    return QStringLiteral("application/x-parvo-list-row");
}

int EditorRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int EditorRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant EditorRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const EditorRow& row = rows_.at(index.row());
    return index.column() == 0 ? row.caption : row.second;
}

QVariant EditorRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headers_.size())
        return headers_.at(section);
    return {};
}

Qt::ItemFlags EditorRowsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled
        | Qt::ItemNeverHasChildren;
}

QStringList EditorRowsModel::mimeTypes() const
{
    return {RowMimeType(), QStringLiteral("text/uri-list")};
}

Qt::DropActions EditorRowsModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::LinkAction;
}

Qt::DropActions EditorRowsModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

bool EditorRowsModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex&) const
{
    return data && (data->hasFormat(RowMimeType()) || data->hasUrls());
}

} // namespace parvo
