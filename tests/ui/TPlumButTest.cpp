#include "UiApp.h"
#include "widgets/TPlumBut.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

struct Button : ::testing::Test {
    QApplication& app = test::App(); // before any widget
    TPlumBut button;
    void SetUp() override
    {
        button.resize(54, 22);
        button.show();
    }
};

} // namespace

TEST_F(Button, APressWithoutEnterSetsTheHoverKeyBeforeTheMenuDrops)
{
    button.setMenuPart(TPlumBut::MenuPart::Whole);
    QStringList order;
    QObject::connect(&button, &TPlumBut::entered, [&] { order << "entered"; });
    QObject::connect(&button, &TPlumBut::menuRequested, [&](const QPoint& at) {
        order << "menu";
        EXPECT_EQ(at, button.mapToGlobal(QPoint(0, 22))) << "the menu hangs from the bottom-left corner";
    });
    QSignalSpy clicks(&button, &TPlumBut::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(order, QStringList({"entered", "menu"}));
    EXPECT_EQ(clicks.count(), 0) << "a menu button does not also click";
}

TEST_F(Button, ASplitButtonClicksOnItsFaceAndDropsOnItsArrow)
{
    button.setMenuPart(TPlumBut::MenuPart::Arrow);
    button.setArrowLength(11);
    QSignalSpy menus(&button, &TPlumBut::menuRequested);
    QSignalSpy clicks(&button, &TPlumBut::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(menus.count(), 0);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(48, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(48, 10));
    EXPECT_EQ(menus.count(), 1);
    EXPECT_EQ(clicks.count(), 1);

    button.setVertical(true);
    button.resize(30, 40);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(15, 35));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(15, 35));
    EXPECT_EQ(menus.count(), 2) << "on a vertical strip the arrow part is at the bottom";
}

TEST_F(Button, RightClickReportsThePointerAndDoesNotClick)
{
    QSignalSpy right(&button, &TPlumBut::rightClicked);
    QSignalSpy clicks(&button, &TPlumBut::clicked);
    QTest::mouseClick(&button, Qt::RightButton, {}, QPoint(5, 6));
    ASSERT_EQ(right.count(), 1);
    EXPECT_EQ(right.at(0).at(0).toPoint(), button.mapToGlobal(QPoint(5, 6)));
    EXPECT_EQ(clicks.count(), 0);
}
