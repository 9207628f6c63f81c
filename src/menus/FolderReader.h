#pragma once
// Reading one level of a folder for a folder menu: its sub-folder and file names, each
// list sorted as the user's locale sorts names, without case. Names keep the file
// system's bytes (see NativePath.h), so every one of them can be opened again. The read
// touches the disk and may take any time: it runs off the interface thread.

#include <QString>
#include <QStringList>

namespace parvo {

struct FolderLevel {
    QStringList folders; // sub-folders, symbolic links to folders included
    QStringList files;   // everything else: files, broken links, devices, pipes
    bool readable = false; // false when the folder is missing, not a folder or not ours to read
};

// Reads the entries of `folder` (an absolute path; a relative or empty one reads nothing,
// so the process's current folder never leaks into a menu). "." and ".." are never
// listed; names starting with "." only when `hidden`. Files are collected only when
// `withFiles`. Both lists come back sorted by SortLikeLocale.
FolderLevel ReadFolderLevel(const QString& folder, bool hidden, bool withFiles = true);

// Sorts names by the user's locale, ignoring case; names equal for the locale keep a
// fixed order (by code points) so that a menu never shuffles between two readings.
void SortLikeLocale(QStringList& names);

} // namespace parvo
