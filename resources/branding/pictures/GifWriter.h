#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace parvo::pictures {

// Writes a GIF89a file: one global colour table, a NETSCAPE2.0 block with the loop
// count and, per frame, a graphic control extension carrying that frame's delay.
// Every frame covers the whole logical screen and replaces the previous one.
//
// Frames are mapped onto the palette colour by colour: a pixel whose colour is in the
// palette keeps exactly that colour, any other colour becomes the nearest palette
// colour. Frames drawn from the palette alone therefore come back pixel for pixel.
class GifWriter
{
public:
    // loopCount is the value stored in the loop block: 0 plays the animation forever,
    // n > 0 repeats it n times. The palette holds 1 to 256 opaque colours.
    GifWriter(QSize size, QList<QRgb> palette, int loopCount = 0);

    // Appends a frame shown for delayCentiseconds (0 to 65535). A frame whose size
    // differs from the screen size is refused.
    bool addFrame(const QImage& frame, int delayCentiseconds);

    int frameCount() const { return m_frameCount; }

    // The complete file: header, colour table, loop block, frames, trailer.
    QByteArray toByteArray() const;

    // Writes the file atomically; false when it cannot be written.
    bool save(const QString& path) const;

private:
    QSize m_size;
    QList<QRgb> m_palette;
    int m_tableBits = 1;  // the colour table holds 2^m_tableBits entries
    int m_loopCount = 0;
    int m_frameCount = 0;
    QByteArray m_frames;
};

}  // namespace parvo::pictures
