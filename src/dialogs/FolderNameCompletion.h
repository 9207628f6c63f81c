#pragma once
// Completing a folder name while it is typed, in the GO! dialog's local-file box and the
// copy dialog's destination box. The rule goes by the shape of the text:
//   - one letter naming a drive of the bar ("c"): ":/" is offered;
//   - that letter and a colon ("c:"): "/" is offered;
//   - a drive root ("c:/", "/") or a text ending in "/": nothing;
//   - a path ("/home/an", "c:/home/an", "~/Doc"): the first entry of its folder whose
//     name starts with the last part typed; when that entry is a folder, the rest of its
//     name is offered, lower-cased where the folder's file system does not care about
//     case (elsewhere a lower-cased name would name nothing);
//   - anything else (a relative name, an empty text): nothing.
// An offered rest that is empty, "." or ".." is no offer. Entries are taken in code-point
// order of their names, so "first" means the same thing on every reading.
//
// Looking into a folder can hang (a network share gone away), so that part runs on a
// thread of its own in FolderNameCompleter; the rest is plain functions.

#include "platform/Drives.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace parvo {

// What turns typed text into a place on disk: the lettered drives of the bar, and the
// folder "~" stands for.
struct LocalNames {
    QList<DriveInfo> drives;
    QString home;

    // The drive a letter names, when it is there now.
    const DriveInfo* driveOf(QChar letter) const;
};

// What a typed text asks of completion: an offer known from its shape alone, or a look
// into `folder` (absolute, ending in "/") for a name starting with `prefix`.
struct FolderNameQuery {
    QString suffix;
    QString folder;
    QString prefix;

    bool needsDisk() const { return !folder.isEmpty(); }
};

FolderNameQuery ClassifyFolderName(const QString& text, const LocalNames& names);

// The path a typed local text names: a drive form becomes the drive's folder, "~" the home
// folder; other texts stay as typed (a bare program name, an address).
QString LocalPathOf(const QString& text, const LocalNames& names);

// One folder's entries, "." and ".." included as a listing of the system gives them.
// Names that are not valid in the system's encoding are left out: they could be neither
// typed nor offered. "First" is by name (code points): found by one pass over a fresh
// reading, by a binary search once the listing is sorted.
struct FolderEntry {
    QString name;
    bool folder = false;
    bool operator==(const FolderEntry&) const = default;
};

struct FolderListing {
    QString folder;
    QList<FolderEntry> entries;
    // Identity of the folder as read, so a changed folder is read again.
    quint64 device = 0, inode = 0;
    qint64 modifiedNs = 0;
    qint64 readNs = 0; // when the reading began
    bool readable = false;
    bool sorted = false;

    // Reads `folder` with one pass over its entries, in the order the system lists them.
    // Blocks for as long as the disk does.
    static FolderListing read(const QString& folder);
    void sort();
    // Whether the folder on disk is still the one read (same folder, not changed since).
    // A folder changed just before it was read may have changed again within the same
    // tick of the file system's clock, so such a reading is never taken as current.
    bool isCurrent() const;
    // The first entry whose name starts with `prefix`, or none.
    const FolderEntry* firstMatch(const QString& prefix) const;
};

// The rest of the name to offer for `query` out of `listing`, with the lower-casing rule
// and the empty/"."/".." rule applied. Touches the disk only to ask whether a lower-cased
// name still names the same folder.
QString CompleteFolderName(const FolderNameQuery& query, const FolderListing& listing);

// The whole rule for one text, reading the folder on the calling thread.
QString CompleteFolderName(const QString& text, const LocalNames& names);

// The text with an offer appended: the new text and the part to select, so that the
// next typed character replaces the offer. Nothing for an empty, "." or ".." offer.
struct CompletedText {
    QString text;
    qsizetype selectionStart = 0;
    qsizetype selectionLength = 0;
    bool operator==(const CompletedText&) const = default;
};
std::optional<CompletedText> AppendCompletion(const QString& text, const QString& suffix);

// Completion for an edit box, off the interface thread. Each request supersedes the ones
// before it; the answer to the latest one comes back on the thread that owns this object
// as `completed`, unless another request came in between. Offers known from the text's
// shape come back at once, inside request(). The last folder read is kept, so each
// keystroke in a folder of many thousand entries costs one look at the folder's date and
// a binary search. A folder that hangs holds only the completer's own thread; destroying
// the completer never waits for it.
class FolderNameCompleter : public QObject {
    Q_OBJECT
public:
    explicit FolderNameCompleter(LocalNames names, QObject* parent = nullptr);
    ~FolderNameCompleter() override;

    void request(const QString& text);
    // Forgets a pending request (the box was cleared, or a deletion was typed).
    void cancel();
    const LocalNames& names() const { return names_; }

signals:
    // `suffix` is the offer for `text`; empty when there is none.
    void completed(const QString& text, const QString& suffix);

private:
    struct Worker;
    LocalNames names_;
    quint64 latest_ = 0; // the request whose answer is still wanted
    std::shared_ptr<Worker> worker_;
};

} // namespace parvo
