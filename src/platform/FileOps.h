#pragma once
// Copying and moving files and folders the way the desktop does it: recursively, with a
// progress window, a question before anything is overwritten and a report of what could
// not be done. A move within one file system is a rename; across file systems each source
// is deleted only after its copy is complete and on disk.

#include <QString>
#include <QStringList>

namespace parvo {

// What a copy or a move did. Nothing is left unsaid: every source not fully done is
// named with the reason.
struct FileOpOutcome {
    QStringList done;       // sources copied or moved whole
    QStringList notDone;    // what failed, one text each naming the file and why
    QStringList skipped;    // files the user chose not to overwrite
    bool cancelled = false; // the user stopped the operation
    bool ok() const { return notDone.isEmpty() && !cancelled; }
};

// The sources that a copy or a move into `destFolder` would put into themselves (a folder
// into its own sub-folder) or onto themselves (anything into the folder it is in).
QStringList IntoItself(const QStringList& sources, const QString& destFolder);

class FileOps {
public:
    virtual ~FileOps() = default;
    // Copies each source (file, folder or symbolic link) into `destFolder` under its own
    // name. Shows progress, asks before overwriting, reports what went wrong.
    virtual FileOpOutcome copyFiles(const QStringList& sources, const QString& destFolder) = 0;
    // Moves each source into `destFolder` under its own name.
    virtual FileOpOutcome moveFiles(const QStringList& sources, const QString& destFolder) = 0;
};

} // namespace parvo
