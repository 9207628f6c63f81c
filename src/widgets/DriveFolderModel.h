#pragma once
// The folder tree of the copy / move dialog: one top row per drive (its letter and the
// folder it opens at), and below each the folders, read when a row is first opened.
// Folders are read off the interface thread, so that a slow or hung mount delays only
// its own rows.

#include "platform/Drives.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <memory>
#include <vector>

namespace parvo {

class DriveFolderModel : public QAbstractItemModel {
    Q_OBJECT
public:
    static constexpr int PathRole = Qt::UserRole + 1;

    DriveFolderModel(QIcon driveIcon, QIcon folderIcon, QObject* parent = nullptr);
    ~DriveFolderModel() override;

    // The drives shown at the top; absent ones are left out. Reads everything afresh.
    void SetDrives(const QList<DriveInfo>& drives);
    // Forgets what was read, so that folders made or removed since show as they are.
    void Refresh();
    // The folder of a row ("/" ends only drive roots).
    QString FilePath(const QModelIndex& index) const;
    // Opens the rows down to `path` as they are read and then raises Revealed with its
    // row; a path on no drive, or a folder that is not there, is given up quietly.
    void Reveal(const QString& path);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    void Revealed(const QModelIndex& index);

private:
    struct Node;
    Node* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const Node* node) const;
    void Read(Node* node);
    void Filled(quint64 generation, Node* node, const QStringList& names);
    void ContinueReveal();

    QIcon driveIcon_;
    QIcon folderIcon_;
    QList<DriveInfo> drives_;
    std::vector<std::unique_ptr<Node>> roots_;
    quint64 generation_ = 0;
    QString revealing_;
    // Shared with the reads still running, which answer only while the model lives.
    struct Owner;
    std::shared_ptr<Owner> owner_;
};

} // namespace parvo
