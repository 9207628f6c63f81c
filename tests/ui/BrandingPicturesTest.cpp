#include "UiApp.h"
#include "app/BrandingPictures.h"
#include "app/DataFilePath.h"
#include "widgets/ImageStrip.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

using parvo::test::App;

// A copy of the shipped picture files in a folder of the test's own.
struct Pictures : ::testing::Test {
    QTemporaryDir dir;
    QString folder;
    void SetUp() override
    {
        App();
        folder = dir.path() + '/';
        for (int index : {1, 2, 3, 4, 5, 6})
            ASSERT_TRUE(QFile::copy(DataFilePath(index, PARVO_PROGRAM_DIR), DataFilePath(index, folder))) << index;
    }
};

} // namespace

TEST(ImageStrip, CutsCellsAndClearsFuchsia)
{
    App();
    QImage image(48, 16, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    image.setPixel(17, 3, qRgb(10, 20, 30)); // one dark pixel in cell 1
    const ImageStrip strip(image, 16);
    ASSERT_EQ(strip.count(), 3);
    const QImage cell = strip.cell(1).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(cell.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(cell.pixel(0, 0)), 0);
    EXPECT_EQ(cell.pixel(1, 3), qRgb(10, 20, 30));
    EXPECT_TRUE(strip.cell(3).isNull());
    EXPECT_TRUE(strip.cell(-1).isNull());
    const ImageStrip whole(image, 0);
    EXPECT_EQ(whole.count(), 1);
    EXPECT_EQ(whole.cell(0).width(), 48);
}

TEST_F(Pictures, TheShippedSetLoadsWithItsCells)
{
    const auto pictures = LoadBrandingPictures(folder);
    ASSERT_TRUE(pictures.has_value());
    EXPECT_EQ(pictures->PopupImg.count(), 54);
    EXPECT_GE(pictures->SponsorImg.count(), 7);
    const auto tray = LoadTrayIcon(folder);
    ASSERT_TRUE(tray.has_value());
    EXPECT_FALSE(tray->availableSizes().isEmpty());
    EXPECT_LE(pictures->SponsorImg2.cell(0).height(), 22) << "the horizontal logo fits the floating bar";
    EXPECT_LE(pictures->SponsorImg3.cell(0).width(), 30) << "the vertical logo fits the docked column";
}

TEST_F(Pictures, AnyMissingOrBrokenPictureFailsTheWholeSet)
{
    for (int index : {1, 2, 4, 5, 6}) {
        const QString path = DataFilePath(index, folder);
        const QString keep = path + ".keep";
        ASSERT_TRUE(QFile::rename(path, keep));
        EXPECT_FALSE(LoadBrandingPictures(folder).has_value()) << "missing " << index;
        QFile broken(path);
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("BM this is not a bitmap");
        broken.close();
        EXPECT_FALSE(LoadBrandingPictures(folder).has_value()) << "broken " << index;
        QFile::remove(path);
        ASSERT_TRUE(QFile::rename(keep, path));
    }
    // An icon file broken after its first bytes is found out when the icon is read.
    const QString icon = DataFilePath(2, folder);
    QFile file(icon);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(40);
    file.close();
    EXPECT_TRUE(LoadBrandingPictures(folder).has_value());
    EXPECT_FALSE(LoadTrayIcon(folder).has_value());

    // The GO! banner is not needed to start: it is checked when its dialog opens.
    QFile::remove(DataFilePath(3, folder));
    EXPECT_TRUE(LoadBrandingPictures(folder).has_value());
}
