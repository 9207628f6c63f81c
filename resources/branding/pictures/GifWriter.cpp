#include "GifWriter.h"

#include "GifLzw.h"

#include <QSaveFile>

#include <algorithm>

namespace parvo::pictures {

namespace {

void putWord(QByteArray& out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// GIF data goes in sub-blocks of at most 255 bytes, each preceded by its length and
// the run closed by an empty block.
void putSubBlocks(QByteArray& out, const QByteArray& data)
{
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype length = std::min<qsizetype>(255, data.size() - at);
        out.append(char(length));
        out.append(data.constData() + at, length);
    }
    out.append('\0');
}

}  // namespace

GifWriter::GifWriter(QSize size, QList<QRgb> palette, int loopCount)
    : m_size(size), m_palette(std::move(palette)), m_loopCount(std::clamp(loopCount, 0, 0xFFFF))
{
    if (m_palette.isEmpty())
        m_palette.append(qRgb(0, 0, 0));
    if (m_palette.size() > 256)
        m_palette.resize(256);
    for (QRgb& colour : m_palette)
        colour = qRgb(qRed(colour), qGreen(colour), qBlue(colour));
    while ((1 << m_tableBits) < m_palette.size())
        ++m_tableBits;
}

bool GifWriter::addFrame(const QImage& frame, int delayCentiseconds)
{
    if (frame.size() != m_size || m_size.isEmpty())
        return false;

    // Nearest-colour mapping without dithering keeps every palette colour exact.
    const QImage indexed = frame.convertToFormat(QImage::Format_RGB32)
                               .convertToFormat(QImage::Format_Indexed8, m_palette,
                                                Qt::ThresholdDither);
    std::vector<uchar> indices;
    indices.reserve(std::size_t(m_size.width()) * m_size.height());
    for (int y = 0; y < m_size.height(); ++y) {
        const uchar* line = indexed.constScanLine(y);
        indices.insert(indices.end(), line, line + m_size.width());
    }

    // Graphic control extension: no disposal, no transparent colour, the delay.
    m_frames.append("\x21\xF9\x04", 3);
    m_frames.append(char(1 << 2));
    putWord(m_frames, std::clamp(delayCentiseconds, 0, 0xFFFF));
    m_frames.append('\0');
    m_frames.append('\0');

    // Image descriptor: the whole screen, no local colour table, not interlaced.
    m_frames.append(char(0x2C));
    putWord(m_frames, 0);
    putWord(m_frames, 0);
    putWord(m_frames, m_size.width());
    putWord(m_frames, m_size.height());
    m_frames.append('\0');

    const int minCodeSize = std::max(2, m_tableBits);
    m_frames.append(char(minCodeSize));
    putSubBlocks(m_frames, gifLzwCompress(indices, minCodeSize));
    ++m_frameCount;
    return true;
}

QByteArray GifWriter::toByteArray() const
{
    QByteArray out("GIF89a");
    putWord(out, m_size.width());
    putWord(out, m_size.height());
    // Global colour table present, 8 bits of colour resolution, table size.
    out.append(char(0x80 | (7 << 4) | (m_tableBits - 1)));
    out.append('\0');  // background colour index
    out.append('\0');  // no aspect ratio
    for (int i = 0; i < (1 << m_tableBits); ++i) {
        const QRgb colour = i < m_palette.size() ? m_palette[i] : qRgb(0, 0, 0);
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }

    out.append("\x21\xFF\x0B" "NETSCAPE2.0" "\x03\x01", 16);
    putWord(out, m_loopCount);
    out.append('\0');

    out.append(m_frames);
    out.append(char(0x3B));
    return out;
}

bool GifWriter::save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = toByteArray();
    if (file.write(data) != data.size())
        return false;
    return file.commit();
}

}  // namespace parvo::pictures
