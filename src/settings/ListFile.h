#pragma once
// The text form shared by every list file: one comment header line, then one entry per
// line, every line ended by CR LF. Readers stop at the first empty line.

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
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

// The text of a whole list file being put together: the header, then line after line,
// each ended by CR LF, encoded as it comes (a list of thousands of entries costs no
// allocation per entry).
class ListFileText {
public:
    explicit ListFileText(const QString& header);
    void addLine(QStringView line);
    // An entry of two fields: name "|" target.
    void addEntry(QStringView name, QStringView target);
    // Replaces the file: the new file takes the old one's place only once it is
    // completely written, so a failure (full disk, no rights) leaves the old list as it
    // was. False on failure.
    bool writeTo(const QString& path) const;

private:
    void append(QStringView text);
    void endLine();

    QStringEncoder utf8_{QStringEncoder::Utf8};
    QByteArray bytes_;
};

// Rewrites the whole file: header, then the lines (see ListFileText::writeTo).
bool WriteListFile(const QString& path, const QString& header, const QStringList& lines);

// Adds one line at the end, creating the file with the header when it is missing.
bool AppendListLine(const QString& path, const QString& header, const QString& line);
// Adds the lines at the end in one rewrite.
bool AppendListLines(const QString& path, const QString& header, const QStringList& lines);

} // namespace parvo
