#include "settings/ListFile.h"

#include "settings/WindowsText.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace parvo {

namespace {

bool Commit(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// The lines after the first, each made text by `decode`. CR LF, LF and a lone CR each
// end a line.
template <typename View, typename Decode>
QStringList BodyLines(View text, bool stopAtEmptyLine, Decode decode)
{
    QStringList lines;
    bool header = true;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n')
            ++end;
        const View line = text.sliced(start, end - start);
        qsizetype next = end;
        if (next < n && text[next] == '\r')
            ++next;
        if (next < n && text[next] == '\n' && (next == end || text[next - 1] == '\r'))
            ++next;
        start = next;

        if (header) {
            header = false;
            continue;
        }
        if (line.isEmpty() && stopAtEmptyLine)
            break;
        lines.append(decode(line));
    }
    return lines;
}

} // namespace

std::optional<QStringList> ReadListBody(const QString& path, bool stopAtEmptyLine)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;

    // Most lists are UTF-8 from end to end: one decoding pass over the whole file then.
    // Line ends are single bytes that UTF-8 never uses inside a character, so its lines
    // are the lines a decoding line by line would give.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return BodyLines(QStringView(text), stopAtEmptyLine, [](QStringView line) { return line.toString(); });
    return BodyLines(QByteArrayView(bytes), stopAtEmptyLine, [](QByteArrayView line) { return DecodeWindowsText(line); });
}

ListFileText::ListFileText(const QString& header)
{
    addLine(header);
}

void ListFileText::append(QStringView text)
{
    const qsizetype at = bytes_.size();
    bytes_.resize(at + utf8_.requiredSpace(text.size())); // grows the buffer geometrically
    char* end = utf8_.appendToBuffer(bytes_.data() + at, text);
    bytes_.truncate(end - bytes_.constData());
}

void ListFileText::endLine()
{
    bytes_ += "\r\n";
}

void ListFileText::addLine(QStringView line)
{
    append(line);
    endLine();
}

void ListFileText::addEntry(QStringView name, QStringView target)
{
    append(name);
    bytes_ += '|';
    append(target);
    endLine();
}

bool ListFileText::writeTo(const QString& path) const
{
    return Commit(path, bytes_);
}

bool WriteListFile(const QString& path, const QString& header, const QStringList& lines)
{
    ListFileText text(header);
    for (const QString& line : lines)
        text.addLine(line);
    return text.writeTo(path);
}

bool AppendListLine(const QString& path, const QString& header, const QString& line)
{
    return AppendListLines(path, header, {line});
}

bool AppendListLines(const QString& path, const QString& header, const QStringList& lines)
{
    QByteArray bytes;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return false;
        bytes = file.readAll();
        file.close();
        // A file last written by hand may lack its final line end.
        if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
            bytes += "\r\n";
    } else {
        bytes = header.toUtf8() + "\r\n";
    }
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return Commit(path, bytes);
}

} // namespace parvo
