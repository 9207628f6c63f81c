#pragma once
// The text form shared by every list file: one comment header line, then one entry per
// line, every line ended by CR LF. Readers stop at the first empty line.

#include <QString>
#include <QStringList>
#include <optional>

namespace parvo {

// The lines of a file after its first (header) line. With stopAtEmptyLine the lines end
// at the first empty one, as every list reader wants; without it all lines are returned
// (empty ones included), for rewrites that must carry the hidden entries over. Nothing
// when the file cannot be read. CR LF, LF and lone CR all end a line; a line that is not
// valid UTF-8 is taken as Windows-1252, so a list written by a Windows version still
// reads with its "€" and typographic quotes.
std::optional<QStringList> ReadListBody(const QString& path, bool stopAtEmptyLine = true);

// Rewrites the whole file: header, then the lines, each ended by CR LF. The new file
// replaces the old one only once it is completely written, so a failure (full disk, no
// rights) leaves the old list as it was. False on failure.
bool WriteListFile(const QString& path, const QString& header, const QStringList& lines);

// Adds one line at the end, creating the file with the header when it is missing.
bool AppendListLine(const QString& path, const QString& header, const QString& line);
// Adds the lines at the end in one rewrite.
bool AppendListLines(const QString& path, const QString& header, const QStringList& lines);

} // namespace parvo
