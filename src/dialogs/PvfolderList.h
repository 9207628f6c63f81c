#pragma once
// What the favourite-folder window shows and decides, without its widgets: the rows of
// its two views, adding, editing and removing favourite folders with the list file kept
// in step, and the answers to a drag over the list. The window renders the rows and
// shows the messages and status texts named here.

#include "menus/BarCommands.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace parvo {

class Registry;

// The image of every favourite folder; system folders use 0 to 9.
inline constexpr int PvfolderImage = 10;
// `DropDestination` while the pointer is over no row.
inline constexpr char NoTargetMarker[] = "--!nosing!--";

struct PvfolderRow {
    QString caption;
    QString path;
    int image = PvfolderImage;
    bool operator==(const PvfolderRow&) const = default;
};

// The result of an add, edit or remove: a message for a box, or a text for the status
// bar (string numbers; 0 for none).
struct PvfolderReply {
    int message = 0;
    int status = 0;
    bool operator==(const PvfolderReply&) const = default;
};

// Texts the favourite-folder window adds to the table.
inline constexpr int UnstorableEntryText = 530; // a name or folder the list cannot hold
inline constexpr int UnreadableListText = 531;  // the list file is there but cannot be read

class PvfolderList {
public:
    explicit PvfolderList(QString programFolder);

    PvfolderView view() const { return view_; }
    const QList<PvfolderRow>& rows() const { return rows_; }

    // The favourite folders of "efolder.mke", in file order (a missing file is created).
    void ShowPvfolders();
    // The system folders, in their fixed order, only those the system has; the bar's
    // copy of them is rebuilt too.
    void ShowWindowsFolders(Registry& reg, QStringList& winFolderList);

    void AddItem(const QString& name, const QString& path, int image);
    // True when a row's folder is `path`, compared in lower case (and without regard to a
    // final "/").
    bool IsListed(const QString& path) const;

    // Adds a favourite folder: 74 when it is listed already, 26 when it is not a folder
    // (or its disk does not answer in time), else the row is added, the list saved and the
    // status is 77.
    PvfolderReply Add(const QString& name, const QString& path);
    // Changes row `row`: 26 when the new path is not a folder, else 78. Another row may
    // have the same folder.
    PvfolderReply Edit(int row, const QString& name, const QString& path);
    // Removes row `row` without asking: 79.
    PvfolderReply Remove(int row);

    // How Add and Edit learn whether a path is a folder. The events handled while it
    // looks may change the rows; Add and Edit then do nothing.
    void SetFolderTest(std::function<bool(const QString&)> test) { folderTest_ = std::move(test); }

private:
    // True when the favourite folders shown are still `rows`.
    bool StillShown(const QList<PvfolderRow>& rows) const;
    bool Editable() const;
    void Save();

    QString programFolder_;
    PvfolderView view_ = PvfolderView::Pvfolders;
    QList<PvfolderRow> rows_;
    // False when the list file exists but could not be read: rewriting it from the
    // (empty) rows would lose the user's folders.
    bool listRead_ = true;
    std::function<bool(const QString&)> folderTest_;
};

// The status text for the row under the pointer or selected (string 513 when none).
QString PvfolderStatusText(const PvfolderRow* row);

// The answer to a drag at a point of the list.
struct PvfolderDragOver {
    QString DropDestination; // the row's folder, or NoTargetMarker
    QString status;
    bool refused = false;    // the drop is not offered (no effect)
};
// `row` is the row under the pointer, or null; `moveProposed` whether the drag would
// move. Over a row the status reads "Sposta in:" or "Copia in:" and the folder, with no
// blank between them; over empty space the system folders refuse the drop and the
// favourite folders offer to add it.
PvfolderDragOver PvfolderDragOverAt(PvfolderView view, const PvfolderRow* row, bool moveProposed);

// The dropped paths that are folders, in drop order: each may be added to the list. None
// when the disk does not answer in time.
QStringList DroppedFolders(const QStringList& paths);

} // namespace parvo
