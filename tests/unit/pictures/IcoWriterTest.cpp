#include "IcoWriter.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

using namespace parvo::pictures;

namespace {

// A square with a transparent margin, a half-transparent ring and opaque colours that
// differ by position, so that flipped rows or swapped channels show.
QImage sample(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int edge = std::min({x, y, size - 1 - x, size - 1 - y});
            const int alpha = edge == 0 ? 0 : edge == 1 ? 128 : 255;
            image.setPixel(x, y, qRgba(x * 255 / size, y * 255 / size, 90, alpha));
        }
    }
    return image;
}

QList<QImage> readAll(const QByteArray& ico)
{
    QBuffer buffer;
    buffer.setData(ico);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QList<QImage> images;
    const int count = reader.imageCount();
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i))
            break;
        images.append(reader.read().convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

}  // namespace

TEST(IcoWriter, EveryImageComesBackWithItsSizeAndPixels)
{
    const QList<QImage> images = {sample(16), sample(24), sample(32), sample(48), sample(256)};
    const QList<QImage> read = readAll(icoFileBytes(images));
    ASSERT_EQ(read.size(), images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        ASSERT_EQ(read[i].size(), images[i].size()) << i;
        const int size = images[i].width();
        EXPECT_EQ(qAlpha(read[i].pixel(0, 0)), 0) << size;
        EXPECT_EQ(read[i].pixel(size / 2, 3), images[i].pixel(size / 2, 3)) << size;
        EXPECT_EQ(read[i].pixel(2, size - 3), images[i].pixel(2, size - 3)) << size;
        EXPECT_EQ(read[i].pixel(size - 3, size / 3), images[i].pixel(size - 3, size / 3)) << size;
    }
}

TEST(IcoWriter, RefusesImagesAnIconCannotHold)
{
    EXPECT_TRUE(icoFileBytes({sample(16), QImage()}).isEmpty());
    EXPECT_TRUE(icoFileBytes({sample(257)}).isEmpty());
}
