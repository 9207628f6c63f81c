// The branding pictures as the build leaves them in the program folder.

#include <QDir>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

const QRgb Fuchsia = qRgb(255, 0, 255);

QString programFile(const char* name)
{
    return QDir(QStringLiteral(PARVO_PROGRAM_DIR)).filePath(QLatin1String(name));
}

// Reads a picture the way the program does: by its content, whatever its name says.
QImage readPicture(const char* name, const QByteArray& expectedFormat)
{
    QImageReader reader(programFile(name));
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), expectedFormat) << name;
    QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << name << ": " << reader.errorString().toStdString();
    return image;
}

QImage cell(const QImage& strip, int index)
{
    return strip.copy(16 * index, 0, 16, 16).convertToFormat(QImage::Format_RGB32);
}

bool isBlank(const QImage& glyph)
{
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            if (glyph.pixel(x, y) != Fuchsia)
                return false;
        }
    }
    return true;
}

// Smoothing an edge against the transparent colour leaves pixels close to it that the
// program would draw as pink seams.
int fuchsiaFringePixels(const QImage& image)
{
    int fringe = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == Fuchsia)
                continue;
            const double distance = std::hypot(qRed(pixel) - 255, qGreen(pixel), qBlue(pixel) - 255);
            if (distance < 120)
                ++fringe;
        }
    }
    return fringe;
}

}  // namespace

TEST(ShippedPictures, PopupStripHas54DistinctGlyphCellsOnFuchsia)
{
    const QImage strip = readPicture("data5.mke", "bmp").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(strip.size(), QSize(864, 16));
    EXPECT_EQ(fuchsiaFringePixels(strip), 0);

    std::set<QByteArray> seen;
    for (int index = 0; index < 54; ++index) {
        const QImage glyph = cell(strip, index);
        EXPECT_FALSE(isBlank(glyph)) << "cell " << index;
        EXPECT_EQ(glyph.pixel(0, 0), Fuchsia) << "cell " << index;
        EXPECT_TRUE(seen.insert(QByteArray(reinterpret_cast<const char*>(glyph.constBits()),
                                           glyph.sizeInBytes())).second)
            << "cell " << index << " repeats an earlier cell";
    }
}

// The scroll buttons and the drive-list button of the bar are 11 pixels across (and
// the vertical bar's are 11 high), so their glyphs must stay inside the middle of
// the cell.
TEST(ShippedPictures, GlyphsOfNarrowButtonsStayInTheMiddle)
{
    const QImage strip = readPicture("data5.mke", "bmp");
    for (int index : {42, 43, 44, 45, 46, 47}) {
        const QImage glyph = cell(strip, index);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const bool middle = x >= 4 && x <= 11 && y >= 4 && y <= 11;
                if (!middle)
                    EXPECT_EQ(glyph.pixel(x, y), Fuchsia) << "cell " << index << " at " << x << "," << y;
            }
        }
    }
}

TEST(ShippedPictures, WebLinkStripHasAtLeastSixteenCells)
{
    const QImage strip = readPicture("data2.mke", "bmp").convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(strip.height(), 16);
    EXPECT_EQ(strip.width() % 16, 0);
    EXPECT_GE(strip.width(), 16 * 16);
    EXPECT_EQ(fuchsiaFringePixels(strip), 0);
    for (int index = 0; index < strip.width() / 16; ++index) {
        EXPECT_FALSE(isBlank(cell(strip, index))) << "cell " << index;
        EXPECT_EQ(cell(strip, index).pixel(0, 0), Fuchsia) << "cell " << index;
    }
    // The home site's icon is not the globe of an ordinary link.
    EXPECT_NE(cell(strip, 0), cell(strip, strip.width() / 16 - 1));
}

TEST(ShippedPictures, LogosFitTheBarButtons)
{
    const QImage horizontal = readPicture("data6.mke", "bmp").convertToFormat(QImage::Format_RGB32);
    const QImage vertical = readPicture("data7.mke", "bmp").convertToFormat(QImage::Format_RGB32);

    // Horizontal: inside a 22-pixel button; vertical: inside a 30-pixel button whose
    // height is the horizontal logo's width plus 6.
    EXPECT_LE(horizontal.height(), 22);
    EXPECT_GE(horizontal.width(), 60);
    EXPECT_LE(horizontal.width(), 90);
    EXPECT_LE(vertical.width(), 30);
    EXPECT_LE(vertical.height(), horizontal.width());
    EXPECT_GE(vertical.height(), horizontal.width() - 6);

    for (const QImage* logo : {&horizontal, &vertical}) {
        EXPECT_EQ(fuchsiaFringePixels(*logo), 0);
        const int right = logo->width() - 1;
        const int bottom = logo->height() - 1;
        EXPECT_EQ(logo->pixel(0, 0), Fuchsia);
        EXPECT_EQ(logo->pixel(right, bottom), Fuchsia);
        EXPECT_NE(logo->pixel(logo->width() / 2, logo->height() / 2), Fuchsia);
    }
}

TEST(ShippedPictures, TrayIconHoldsFourSizesWithTransparentCorners)
{
    QImageReader reader(programFile("data3.mke"));
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), "ico");
    ASSERT_EQ(reader.imageCount(), 4);
    std::set<int> sizes;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage icon = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(icon.isNull()) << i;
        EXPECT_EQ(icon.width(), icon.height());
        sizes.insert(icon.width());
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << icon.width();
        EXPECT_EQ(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)), 255) << icon.width();
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48}));
}

TEST(ShippedPictures, BannerIsAnEndlessAnimation468Wide)
{
    QImageReader reader(programFile("data4.mke"));
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), "gif");
    EXPECT_TRUE(reader.supportsAnimation());
    EXPECT_EQ(reader.size(), QSize(468, 60));
    EXPECT_EQ(reader.loopCount(), -1);
    const int count = reader.imageCount();
    EXPECT_GE(count, 3);

    QList<QImage> frames;
    while (reader.canRead()) {
        EXPECT_GT(reader.nextImageDelay(), 0);
        const QImage frame = reader.read();
        if (frame.isNull())
            break;
        EXPECT_EQ(frame.size(), QSize(468, 60));
        frames.append(frame.convertToFormat(QImage::Format_RGB32));
    }
    ASSERT_EQ(frames.size(), count);
    EXPECT_NE(frames.front(), frames.back());
}
