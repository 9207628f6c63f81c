#pragma once
// The directory of a compiled help file, walked with every number checked: the headers,
// the chain of listing chunks (no loop, no chunk outside the directory), the index tree
// (no loop, no level deeper than the directory says), and every entry (inside its chunk,
// its stored bytes inside the file). A file that passes can be handed to a reader that
// trusts these numbers; one that does not is refused with the reason.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class QIODevice;

namespace parvo::chm {

struct DirectoryEntry {
    QByteArray name;
    quint64 section = 0;
    quint64 offset = 0; // from the start of the section's content
    quint64 length = 0;

    bool isFolder() const { return name.endsWith('/'); }
};

struct Directory {
    quint64 fileSize = 0;
    quint64 contentOffset = 0; // where section 0's content begins in the file
    QList<DirectoryEntry> entries; // in directory order

    // The entry of that name (without regard to ASCII case), or none.
    const DirectoryEntry* find(const QByteArray& name) const;
};

struct DirectoryResult {
    std::optional<Directory> directory;
    QString error; // why the file was refused
};

// `head` holds the file's first bytes, at least up to the end of its directory;
// `fileSize` is the size of the whole file.
DirectoryResult ParseDirectory(const QByteArray& head, quint64 fileSize);

// Reads what ParseDirectory needs from an open file, never more than a bounded amount.
DirectoryResult ReadDirectory(QIODevice& file);

} // namespace parvo::chm
