// The folder lists' pictures as the program holds them.

#include "UiApp.h"
#include "widgets/ProgramBitmaps.h"

#include <QImage>
#include <gtest/gtest.h>

#include <set>

using namespace parvo;

namespace {

QImage ImageOf(const QPixmap& p)
{
    return p.toImage().convertToFormat(QImage::Format_ARGB32);
}

QByteArray Bytes(const QImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
}

} // namespace

TEST(ProgramBitmaps, EveryFolderPictureAtBothSizesOnATransparentGround)
{
    test::App();
    std::set<QByteArray> seen;
    for (const char* base : {"WIN0", "WIN1", "WIN2", "WIN3", "WIN4", "WIN5", "WIN6", "WIN7", "WIN8", "WIN9", "PvF"}) {
        for (const bool large : {false, true}) {
            const QString name = QLatin1String(base) + (large ? "L" : "");
            const QImage image = ImageOf(ProgramBitmap(name));
            const int size = large ? 32 : 16;
            ASSERT_EQ(image.size(), QSize(size, size)) << name.toStdString();
            // Fuchsia is gone: the corners are see-through, and no pixel is left pink.
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << name.toStdString();
            int opaque = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const QRgb p = image.pixel(x, y);
                    EXPECT_FALSE(qAlpha(p) && qRed(p) == 255 && qGreen(p) == 0 && qBlue(p) == 255);
                    opaque += qAlpha(p) ? 1 : 0;
                }
            EXPECT_GT(opaque, size * size / 4) << name.toStdString();
            EXPECT_TRUE(seen.insert(Bytes(image)).second) << name.toStdString() << " repeats another picture";
        }
    }
    EXPECT_TRUE(ProgramBitmap(QStringLiteral("WIN10")).isNull());
}

TEST(ProgramBitmaps, ListsHoldThePicturesInIndexOrder)
{
    test::App();
    const QList<QPixmap> folderList = BuildFolderListImages();
    ASSERT_EQ(folderList.size(), 2);
    EXPECT_EQ(Bytes(ImageOf(folderList[0])), Bytes(ImageOf(ProgramBitmap(QStringLiteral("PvF")))));
    EXPECT_EQ(Bytes(ImageOf(folderList[1])), Bytes(ImageOf(ProgramBitmap(QStringLiteral("WIN9")))));

    const QList<QIcon> images = PvfolderImages();
    ASSERT_EQ(images.size(), 11);
    const QStringList order = {"WIN1", "WIN2", "WIN3", "WIN4", "WIN5", "WIN6", "WIN7", "WIN8", "WIN9", "WIN0", "PvF"};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(Bytes(ImageOf(images[i].pixmap(16, 16))), Bytes(ImageOf(ProgramBitmap(order[i])))) << i;
        EXPECT_EQ(Bytes(ImageOf(images[i].pixmap(32, 32))), Bytes(ImageOf(ProgramBitmap(order[i] + 'L')))) << i;
    }
}
