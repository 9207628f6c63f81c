#include "menus/UrlShortcutFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>


namespace parvo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray Trimmed(QByteArrayView text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toByteArray();
}

bool SameAscii(QByteArrayView a, const char* b)
{
    return a.compare(QByteArrayView(b), Qt::CaseInsensitive) == 0;
}

// Windows also reads shortcut files saved as UTF-16 with a byte-order mark; they are
// turned into UTF-8 so that one parser serves both.
QByteArray Utf8Bytes(const QByteArray& bytes, bool& truncated)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.mid(3);
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE);
        QByteArray body = bytes.mid(2);
        if (body.size() % 2) {
            body.chop(1); // half a character at the end of a cut or damaged file
            truncated = true;
        }
        return QString(utf16(body)).toUtf8();
    }
    return bytes;
}

} // namespace

QString UrlNotFound() { return QStringLiteral("non trouvé"); }

QString UrlFromShortcutText(const QByteArray& raw, bool truncated)
{
    const QByteArray bytes = Utf8Bytes(raw, truncated);
    bool inSection = false;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end == bytes.size() && truncated)
            break; // the read limit may have cut this line short
        const QByteArray line = Trimmed(QByteArrayView(bytes).sliced(pos, end - pos));
        pos = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++pos;

        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            if (close > 0)
                inSection = SameAscii(Trimmed(QByteArrayView(line).sliced(1, close - 1)), "InternetShortcut");
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0 || !SameAscii(Trimmed(QByteArrayView(line).first(eq)), "URL"))
            continue;
        QByteArray value = Trimmed(QByteArrayView(line).sliced(eq + 1));
        const qsizetype nul = value.indexOf('\0');
        if (nul >= 0)
            value.truncate(nul);
        return DecodeWindowsText(value);
    }
    return UrlNotFound();
}

QString ReadUrlShortcut(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return UrlNotFound();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return UrlNotFound();
    const QByteArray bytes = file.read(kUrlFileReadLimit + 1);
    const bool truncated = bytes.size() > kUrlFileReadLimit;
    return UrlFromShortcutText(truncated ? bytes.first(kUrlFileReadLimit) : bytes, truncated);
}

} // namespace parvo
