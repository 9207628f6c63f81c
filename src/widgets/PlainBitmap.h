#pragma once
// The plain form of a Windows bitmap file, read without the toolkit's image reader: before
// that reader decodes a single bitmap it loads and asks every image-format plugin
// installed, which costs the bar a millisecond and the plugins' memory as it starts. Only
// what the bar's own pictures are made of is taken here (a 40-byte header, no compression,
// 1, 4, 8, 24 or 32 bits per pixel, the rows whole); anything else is left to the toolkit,
// so that a picture never reads differently for being read here.

#include <QByteArrayView>
#include <QList>

#include <optional>

namespace parvo {

struct PlainBitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;   // 1, 4, 8, 24 or 32
    QList<quint32> palette; // 0xffRRGGBB, for up to 8 bits per pixel
    QByteArrayView rows;    // as the file holds them, the bottom row first unless topDown
    qsizetype stride = 0;   // bytes per row, padded to whole 32-bit words
    bool topDown = false;
    qint32 dotsPerMeterX = 0;
    qint32 dotsPerMeterY = 0;

    // Row y of the picture, 0 the top one.
    QByteArrayView row(int y) const;
    // Pixel x of a row: a palette index up to 8 bits per pixel, else 0xffRRGGBB (the
    // fourth byte of a 32-bit pixel means nothing without compression, as the toolkit reads it).
    quint32 pixel(QByteArrayView row, int x) const;
};

// The bitmap in the file's bytes; nothing when it is not of the plain form.
std::optional<PlainBitmap> ParsePlainBitmap(QByteArrayView file);

} // namespace parvo
