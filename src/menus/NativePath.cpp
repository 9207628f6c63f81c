#include "menus/NativePath.h"

#include <sys/stat.h>

namespace parvo {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at `i`, or 0 when there is none: no overlong
// forms, no surrogates, nothing above U+10FFFF.
qsizetype ValidSequence(QByteArrayView b, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(b[k]); };
    const auto cont = [&](qsizetype k) { return k < b.size() && (at(k) & 0xC0) == 0x80; };
    const unsigned char c = at(i);
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return cont(i + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!cont(i + 1) || !cont(i + 2))
            return 0;
        const unsigned char c1 = at(i + 1);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0))
            return 0;
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!cont(i + 1) || !cont(i + 2) || !cont(i + 3))
            return 0;
        const unsigned char c1 = at(i + 1);
        if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90))
            return 0;
        return 4;
    }
    return 0;
}

bool IsEscape(char16_t u) { return u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF; }

} // namespace

QString DecodeFileName(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        // Runs of valid text convert in one go.
        qsizetype end = i;
        while (end < bytes.size()) {
            const qsizetype n = ValidSequence(bytes, end);
            if (n == 0)
                break;
            end += n;
        }
        if (end > i)
            text += QString::fromUtf8(bytes.sliced(i, end - i));
        if (end < bytes.size())
            text += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[end++])));
        i = end;
    }
    return text;
}

QByteArray EncodeFileName(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i;
        while (end < text.size() && !IsEscape(text[end].unicode()))
            ++end;
        if (end > i)
            bytes += text.sliced(i, end - i).toUtf8();
        if (end < text.size())
            bytes += char(text[end++].unicode() - kEscapeBase);
        i = end;
    }
    return bytes;
}

QString DisplayFileName(QStringView text)
{
    QString shown = text.toString();
    for (QChar& c : shown) {
        if (IsEscape(c.unicode()))
            c = QChar::ReplacementCharacter;
    }
    return shown;
}

bool IsFolderPath(const QString& path)
{
    struct stat st;
    return !path.isEmpty() && stat(EncodeFileName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace parvo
