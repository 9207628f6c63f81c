#pragma once
// Rows of a list (name, and for two-column lists the target) as a table for a list view.
// The rows are owned elsewhere; the model only shows them, so that thousands of rows
// cost no item objects. Call reset() after the rows changed.

#include "settings/ListFiles.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace parvo {

class EditorRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // One column per header text: the first shows the name, the second the target.
    EditorRowsModel(const QList<EditorRow>& rows, QStringList headers, QObject* parent = nullptr);

    // The rows changed: when there are as many as before, only those from `first` to
    // `last` (a move, an edit), which are repainted; a view of thousands of rows need not
    // lay them all out again.
    void refresh(int first, int last);
    void reset();

    // Rows dragged inside a list carry their view and row number under this type.
    static QString RowMimeType();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;
    // Drops are taken by the view, which knows the dragged row; the model only lets
    // the view draw where one would land.
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData*, Qt::DropAction, int, int, const QModelIndex&) override { return false; }

private:
    const QList<EditorRow>& rows_;
    QStringList headers_;
    qsizetype shown_ = 0; // the number of rows the views were last told of
};

} // namespace parvo
