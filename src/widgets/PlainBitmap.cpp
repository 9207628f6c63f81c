#include "widgets/PlainBitmap.h"

#include <QtEndian>

namespace parvo {

namespace {

constexpr qsizetype FileHeaderSize = 14;
constexpr quint32 InfoHeaderSize = 40;
constexpr quint32 NoCompression = 0;
// Larger pictures are left to the toolkit, which weighs them against its own limit.
constexpr qint64 MaxPixels = 16 * 1024 * 1024;

quint16 U16(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.data() + at); }
quint32 U32(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.data() + at); }
qint32 I32(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<qint32>(bytes.data() + at); }

} // namespace

std::optional<PlainBitmap> ParsePlainBitmap(QByteArrayView file)
{
    const qsizetype headersEnd = FileHeaderSize + InfoHeaderSize;
    if (file.size() < headersEnd || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
    const quint32 rowsAt = U32(file, 10);
    const QByteArrayView info = file.sliced(FileHeaderSize);
    const qint32 width = I32(info, 4);
    const qint32 height = I32(info, 8);
    const int bits = U16(info, 14);
    const quint32 colours = U32(info, 32);
    if (U32(info, 0) != InfoHeaderSize || U16(info, 12) != 1 || U32(info, 16) != NoCompression)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return std::nullopt;
    // INT_MIN has no positive counterpart; the toolkit refuses it.
    if (width <= 0 || height == 0 || height == INT32_MIN || qint64(width) * qAbs(qint64(height)) > MaxPixels)
        return std::nullopt;

    PlainBitmap b;
    b.width = width;
    b.height = height < 0 ? -height : height;
    b.topDown = height < 0;
    b.bitsPerPixel = bits;
    b.dotsPerMeterX = I32(info, 24);
    b.dotsPerMeterY = I32(info, 28);
    qsizetype paletteSize = 0;
    if (bits <= 8) {
        const quint32 most = 1u << bits;
        if (colours > most)
            return std::nullopt;
        paletteSize = colours ? colours : most;
        // A two-colour picture is read by the toolkit as black and white where its
        // palette falls short; only a whole palette reads the same here.
        if (bits == 1 && paletteSize != 2)
            return std::nullopt;
    }
    const qsizetype paletteEnd = headersEnd + 4 * paletteSize;
    b.stride = ((qsizetype(width) * bits + 31) / 32) * 4;
    // The rows must follow the palette and be whole.
    if (rowsAt < paletteEnd || qint64(rowsAt) + qint64(b.stride) * b.height > file.size())
        return std::nullopt;
    b.palette.reserve(paletteSize);
    for (qsizetype i = headersEnd; i < paletteEnd; i += 4) {
        const auto* p = reinterpret_cast<const uchar*>(file.data() + i);
        b.palette.append(0xff000000u | quint32(p[2]) << 16 | quint32(p[1]) << 8 | p[0]);
    }
    b.rows = file.sliced(rowsAt, b.stride * b.height);
    return b;
}

QByteArrayView PlainBitmap::row(int y) const
{
    const int stored = topDown ? y : height - 1 - y;
    return rows.sliced(stride * stored, stride);
}

quint32 PlainBitmap::pixel(QByteArrayView row, int x) const
{
    const auto* bytes = reinterpret_cast<const uchar*>(row.data());
    switch (bitsPerPixel) {
    case 1:
        return (bytes[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (bytes[x / 2] >> (x % 2 ? 0 : 4)) & 0xf;
    case 8:
        return bytes[x];
    default: {
        const uchar* p = bytes + qsizetype(x) * (bitsPerPixel / 8);
        return 0xff000000u | quint32(p[2]) << 16 | quint32(p[1]) << 8 | p[0];
    }
    }
}

} // namespace parvo
