#include "ChmFormat.h"

namespace parvo::chm {

void AppendEncInt(QByteArray& out, quint64 value)
{
    char groups[10];
    int n = 0;
    do {
        groups[n++] = char(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1)
        out += char(groups[--n] | 0x80);
    out += groups[0];
}

std::optional<quint64> ReadEncInt(const char* data, qsizetype& pos, qsizetype end)
{
    quint64 value = 0;
    while (pos < end) {
        const auto b = static_cast<quint8>(data[pos++]);
        if ((value >> 57) != 0)
            return std::nullopt; // more than 64 bits
        value = (value << 7) | (b & 0x7F);
        if ((b & 0x80) == 0)
            return value;
    }
    return std::nullopt;
}

void AppendLe16(QByteArray& out, quint16 v)
{
    out += char(v & 0xFF);
    out += char(v >> 8);
}

void AppendLe32(QByteArray& out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}

void AppendLe64(QByteArray& out, quint64 v)
{
    for (int i = 0; i < 8; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}

quint16 Le16(const char* p)
{
    return quint16(quint8(p[0]) | (quint8(p[1]) << 8));
}

quint32 Le32(const char* p)
{
    return quint32(Le16(p)) | (quint32(Le16(p + 2)) << 16);
}

quint64 Le64(const char* p)
{
    return quint64(Le32(p)) | (quint64(Le32(p + 4)) << 32);
}

int CompareNames(const QByteArray& a, const QByteArray& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        auto ca = quint8(a[i]), cb = quint8(b[i]);
        if (ca >= 'A' && ca <= 'Z')
            ca += 'a' - 'A';
        if (cb >= 'A' && cb <= 'Z')
            cb += 'a' - 'A';
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

} // namespace parvo::chm
