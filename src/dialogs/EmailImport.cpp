#include "dialogs/EmailImport.h"

#include "settings/WindowsText.h"

#include <QFile>
#include <QFileInfo>

namespace parvo {

namespace {

bool IsSeparator(QChar c) { return c == u',' || c == u';'; }

// A field wrapped in double quotes, blanks around them allowed, loses them.
QString Unquoted(QString field)
{
    const QString inner = field.trimmed();
    if (inner.size() >= 2 && inner.startsWith(u'"') && inner.endsWith(u'"'))
        return inner.mid(1, inner.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return field;
}

} // namespace

std::optional<EditorRow> ImportRowFromLine(QStringView line)
{
    const qsizetype at = line.indexOf(u'@');
    if (at < 0)
        return std::nullopt;
    qsizetype start = at;
    while (start > 0 && !IsSeparator(line[start - 1]))
        --start;
    qsizetype end = at;
    while (end < line.size() && !IsSeparator(line[end]))
        ++end;
    QString name = start > 0 ? line.left(start - 1).toString() : QString();
    for (QChar& c : name) {
        if (IsSeparator(c))
            c = u' ';
    }
    // A quoted name may hold separators of its own ("Rossi, Mario"): its quotes go
    // wherever they stand.
    name.remove(u'"');
    return EditorRow{name, Unquoted(line.mid(start, end - start).toString())};
}

ImportResult ParseImportBytes(const QByteArray& bytes, bool truncated, const std::atomic_bool* cancel)
{
    ImportResult result;
    const qsizetype n = bytes.size();
    qsizetype pos = 0;
    bool header = true;
    for (int lineNumber = 0; pos < n; ++lineNumber) {
        if (cancel && (lineNumber & 1023) == 0 && cancel->load(std::memory_order_relaxed))
            break;
        qsizetype end = pos;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end == n && truncated)
            break; // cut by the read limit
        const QByteArray line = bytes.mid(pos, end - pos);
        pos = end;
        // CR LF, LF and a lone CR each end a line.
        if (pos < n && bytes[pos] == '\r')
            ++pos;
        if (pos < n && bytes[pos] == '\n' && (pos == end || bytes[pos - 1] == '\r'))
            ++pos;
        if (header) {
            header = false;
            continue;
        }
        if (!line.contains('@'))
            continue;
        if (line.contains('\0')) {
            ++result.skippedLines;
            continue;
        }
        if (auto row = ImportRowFromLine(DecodeWindowsText(line)))
            result.rows.append(std::move(*row));
    }
    return result;
}

bool IsImportFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile();
}

ImportResult ReadImportFile(const QString& path, const std::atomic_bool* cancel)
{
    QFile file(path);
    if (!IsImportFile(path) || !file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    QByteArray bytes = file.read(kImportReadLimit);
    // A read failure part-way keeps what came before it.
    const bool truncated = size > bytes.size();
    ImportResult result = ParseImportBytes(bytes, truncated, cancel);
    if (truncated)
        result.unreadBytes = size - bytes.size();
    return result;
}

} // namespace parvo
