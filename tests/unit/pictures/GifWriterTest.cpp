#include "GifWriter.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

#include <random>

using namespace parvo::pictures;

namespace {

QList<QRgb> spreadPalette(int colours)
{
    QList<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.append(qRgb((i * 37) % 256, (i * 91 + 17) % 256, (i * 53 + 101) % 256));
    return palette;
}

// An image whose pixels are drawn from the palette by a seeded generator; runs of
// equal pixels (runLength > 1) give the LZW strings something to grow on.
QImage randomImage(QSize size, const QList<QRgb>& palette, unsigned seed, int runLength = 1)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> pick(0, int(palette.size()) - 1);
    QImage image(size, QImage::Format_RGB32);
    QRgb colour = palette[0];
    int left = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (left-- <= 0) {
                colour = palette[pick(generator)];
                left = runLength - 1;
            }
            image.setPixel(x, y, colour);
        }
    }
    return image;
}

struct Decoded
{
    QList<QImage> frames;
    QList<int> delays;
    int loopCount = 0;
    int imageCount = 0;
};

Decoded decode(const QByteArray& gif)
{
    QBuffer buffer;
    buffer.setData(gif);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    Decoded decoded;
    decoded.imageCount = reader.imageCount();
    decoded.loopCount = reader.loopCount();
    while (reader.canRead()) {
        const int delay = reader.nextImageDelay();
        const QImage frame = reader.read();
        if (frame.isNull())
            break;
        decoded.frames.append(frame.convertToFormat(QImage::Format_RGB32));
        decoded.delays.append(delay);
    }
    return decoded;
}

// The first differing pixel, or an empty string when the images are equal.
std::string firstDifference(const QImage& expected, const QImage& actual)
{
    if (expected.size() != actual.size())
        return "size differs";
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (expected.pixel(x, y) != actual.pixel(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
        }
    }
    return {};
}

void expectRoundTrip(const QList<QImage>& frames, const QList<QRgb>& palette)
{
    GifWriter writer(frames.front().size(), palette);
    for (const QImage& frame : frames)
        ASSERT_TRUE(writer.addFrame(frame, 5));
    const Decoded decoded = decode(writer.toByteArray());
    ASSERT_EQ(decoded.frames.size(), frames.size());
    for (qsizetype i = 0; i < frames.size(); ++i)
        EXPECT_EQ(firstDifference(frames[i].convertToFormat(QImage::Format_RGB32), decoded.frames[i]), "")
            << "frame " << i << " of " << frames.front().width() << "x" << frames.front().height();
}

}  // namespace

// Short images stop at every point of the first code widths; the exact code stream
// itself, end code included, is checked by the strict decoder of GifLzwTest.
TEST(GifWriter, ShortImagesOfEveryLengthComeBackExactly)
{
    for (int colours : {2, 4, 7}) {
        const QList<QRgb> palette = spreadPalette(colours);
        for (int length = 1; length <= 70; ++length)
            expectRoundTrip({randomImage({length, 1}, palette, unsigned(length * 10 + colours))}, palette);
    }
}

// 256 colours of noise: the codes grow to 12 bits and the table fills up many times,
// each time followed by a clear code.
TEST(GifWriter, NoiseInAFullPaletteComeBackExactlyAcrossClearCodes)
{
    const QList<QRgb> palette = spreadPalette(256);
    expectRoundTrip({randomImage({300, 200}, palette, 1)}, palette);
    expectRoundTrip({randomImage({257, 131}, palette, 2, 3)}, palette);
}

// Long runs build long strings: the table fills slowly through every code width.
TEST(GifWriter, RunsAndFlatAreasComeBackExactly)
{
    const QList<QRgb> palette = spreadPalette(16);
    expectRoundTrip({randomImage({640, 480}, palette, 3, 40)}, palette);
    QImage flat(500, 400, QImage::Format_RGB32);
    flat.fill(palette[5]);
    expectRoundTrip({flat}, palette);
}

TEST(GifWriter, PalettesOfAnySizeUpTo256ComeBackExactly)
{
    for (int colours : {1, 3, 5, 17, 64, 129, 200}) {
        const QList<QRgb> palette = spreadPalette(colours);
        expectRoundTrip({randomImage({61, 37}, palette, unsigned(colours), 2)}, palette);
    }
}

TEST(GifWriter, EveryFrameIsKeptInOrderWithItsDelay)
{
    const QList<QRgb> palette = spreadPalette(32);
    QList<QImage> frames;
    GifWriter writer({90, 40}, palette, 0);
    const int delays[] = {10, 250, 3, 65535, 7};
    for (int i = 0; i < 5; ++i) {
        frames.append(randomImage({90, 40}, palette, unsigned(100 + i), i + 1));
        ASSERT_TRUE(writer.addFrame(frames.back(), delays[i]));
    }
    EXPECT_EQ(writer.frameCount(), 5);

    const Decoded decoded = decode(writer.toByteArray());
    EXPECT_EQ(decoded.imageCount, 5);
    ASSERT_EQ(decoded.frames.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(firstDifference(frames[i], decoded.frames[i]), "") << "frame " << i;
        EXPECT_EQ(decoded.delays[i], delays[i] * 10) << "frame " << i;
    }
}

TEST(GifWriter, LoopCountIsStored)
{
    const QList<QRgb> palette = spreadPalette(4);
    const QImage frame = randomImage({8, 8}, palette, 7);
    for (int loops : {0, 1, 3, 1000}) {
        GifWriter writer({8, 8}, palette, loops);
        writer.addFrame(frame, 10);
        writer.addFrame(frame, 10);
        // The reader counts repetitions, and reports endless looping as -1.
        EXPECT_EQ(decode(writer.toByteArray()).loopCount, loops == 0 ? -1 : loops) << loops;
    }
}

TEST(GifWriter, ColoursOutsideThePaletteTakeTheNearestOne)
{
    const QList<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(200, 0, 0)};
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(20, 10, 5));
    image.setPixel(1, 0, qRgb(240, 250, 230));
    image.setPixel(2, 0, qRgb(180, 30, 20));
    GifWriter writer({3, 1}, palette);
    ASSERT_TRUE(writer.addFrame(image, 0));
    const Decoded decoded = decode(writer.toByteArray());
    ASSERT_EQ(decoded.frames.size(), 1);
    EXPECT_EQ(decoded.frames[0].pixel(0, 0), palette[0]);
    EXPECT_EQ(decoded.frames[0].pixel(1, 0), palette[1]);
    EXPECT_EQ(decoded.frames[0].pixel(2, 0), palette[2]);
}

TEST(GifWriter, RefusesFramesOfAnotherSize)
{
    const QList<QRgb> palette = spreadPalette(4);
    GifWriter writer({20, 10}, palette);
    EXPECT_FALSE(writer.addFrame(randomImage({10, 20}, palette, 1), 5));
    EXPECT_FALSE(writer.addFrame(QImage(), 5));
    EXPECT_EQ(writer.frameCount(), 0);
    EXPECT_TRUE(writer.addFrame(randomImage({20, 10}, palette, 1), 5));
    EXPECT_EQ(writer.frameCount(), 1);
}
