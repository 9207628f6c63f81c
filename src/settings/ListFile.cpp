#include "settings/ListFile.h"

#include "settings/WindowsText.h"

#include <QFile>
#include <QSaveFile>

namespace parvo {

namespace {

QByteArray EncodeLines(const QString& header, const QStringList& lines)
{
    QByteArray out;
    out.reserve(header.size() + 2 + lines.size() * 32);
    out += header.toUtf8();
    out += "\r\n";
    for (const QString& line : lines) {
        out += line.toUtf8();
        out += "\r\n";
    }
    return out;
}

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

} // namespace

std::optional<QStringList> ReadListBody(const QString& path, bool stopAtEmptyLine)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;

    QStringList lines;
    bool header = true;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QByteArrayView line(bytes.constData() + start, end - start);
        qsizetype next = end;
        if (next < n && bytes[next] == '\r')
            ++next;
        if (next < n && bytes[next] == '\n' && (next == end || bytes[next - 1] == '\r'))
            ++next;
        start = next;

        if (header) {
            header = false;
            continue;
        }
        if (line.isEmpty() && stopAtEmptyLine)
            break;
        lines.append(DecodeWindowsText(line));
    }
    return lines;
}

bool WriteListFile(const QString& path, const QString& header, const QStringList& lines)
{
    return Commit(path, EncodeLines(header, lines));
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
