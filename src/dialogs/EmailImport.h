#pragma once
// Reading e-mail addresses and their owners' names from a comma- or semicolon-separated
// text file, as an e-mail program exports its address book: a header line, then one
// contact a line. The file comes from anywhere, so only a bounded prefix is read, lines
// that are not text are skipped, and text that is not UTF-8 is read as Windows-1252.

#include "settings/ListFiles.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <atomic>
#include <optional>

namespace parvo {

// How much of a file is read: far more than any address book, little enough that a
// mistaken choice (a film, a disk image) is read in a moment.
inline constexpr qint64 kImportReadLimit = 16 * 1024 * 1024;

// The row one line gives (name, address), or nothing when it holds no "@". The address
// runs from just after the separator ("," or ";") nearest before the first "@", or from
// the start of the line, to just before the next separator or the end of the line. The
// name is everything before the separator in front of the address, each separator in it
// turned into a blank. Nothing is trimmed; only the double quotes of quoted fields go.
std::optional<EditorRow> ImportRowFromLine(QStringView line);

struct ImportResult {
    QList<EditorRow> rows;  // in file order
    qint64 unreadBytes = 0; // what lay beyond the read limit
    int skippedLines = 0;   // lines that are not text (they hold NUL bytes)
    bool operator==(const ImportResult&) const = default;
};

// The rows of a whole file's bytes; the first line is always taken as the header. With
// `truncated` the bytes are the start of a longer file and their last, cut line is left
// out. A set `cancel` ends the parse early.
ImportResult ParseImportBytes(const QByteArray& bytes, bool truncated = false,
                              const std::atomic_bool* cancel = nullptr);

// Whether `path` names a file the import can read: an existing regular file (a pipe or
// a device would never end).
bool IsImportFile(const QString& path);

// Reads at most kImportReadLimit bytes of the file and parses them. A read that fails
// part-way keeps the rows read so far.
ImportResult ReadImportFile(const QString& path, const std::atomic_bool* cancel = nullptr);

} // namespace parvo
