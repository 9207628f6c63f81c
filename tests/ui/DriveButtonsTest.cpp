#include "UiApp.h"
#include "bar/DriveButtons.h"
#include "widgets/ImageStrip.h"
#include "widgets/TPlumBut.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

QList<DriveInfo> ThreeDrives()
{
    return {{'C', "/", DriveFixed, "root"}, {'D', "/home/", DriveFixed, "home"}, {'E', "/media/u/stick/", DriveRemovable, "stick"}};
}

struct Strip : ::testing::Test {
    QApplication& app = test::App();
    QWidget bar;
    DriveButtons* strip = new DriveButtons(&bar);
    ImageStrip glyphs{QImage(54 * 16, 16, QImage::Format_RGB32), 16};
    void SetUp() override
    {
        bar.resize(400, 60);
        bar.show();
    }
    QList<TPlumBut*> buttons() const { return strip->buttons(); }
};

} // namespace

TEST_F(Strip, SplitButtonsOverlapAndDropTheMenuFromTheirArrow)
{
    EXPECT_EQ(strip->ArrangeDriveButtons(ThreeDrives(), true, 1, 4, glyphs), 156);
    ASSERT_EQ(buttons().size(), 3);
    EXPECT_EQ(buttons().at(1)->geometry(), QRect(52, 0, 54, 22));
    EXPECT_EQ(buttons().at(2)->text(), "E");

    QSignalSpy entered(strip, &DriveButtons::entered);
    QSignalSpy clicked(strip, &DriveButtons::clicked);
    QSignalSpy menus(strip, &DriveButtons::menuRequested);
    TPlumBut* stick = buttons().at(2);
    QTest::mouseClick(stick, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).value<DriveInfo>().root, "/media/u/stick/");
    EXPECT_GE(entered.count(), 1) << "the drive is announced before anything else happens";
    QTest::mousePress(stick, Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_EQ(menus.count(), 1);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(Strip, EveryRebuildReplacesTheButtonsAndFollowsTheFace)
{
    strip->ArrangeDriveButtons(ThreeDrives(), true, 1, 4, glyphs);
    EXPECT_EQ(strip->ArrangeDriveButtons(ThreeDrives().mid(0, 2), false, 3, 6, glyphs), 44);
    ASSERT_EQ(buttons().size(), 2);
    EXPECT_EQ(buttons().at(1)->geometry(), QRect(0, 22, 30, 22));
    EXPECT_TRUE(buttons().at(0)->glyph().isNull()) << "letter-only face";
    EXPECT_EQ(buttons().at(0)->menuPart(), TPlumBut::MenuPart::None) << "click-only buttons drop no menu";
    EXPECT_EQ(strip->ArrangeDriveButtons({}, true, 2, 5, glyphs), 0);
    EXPECT_TRUE(buttons().isEmpty());
}
