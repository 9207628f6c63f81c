#include "UiApp.h"
#include "widgets/TPlumBut.h"

#include <QContextMenuEvent>
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

    // A drive button of a column, icon above letter: the arrow part is still the
    // rightmost 11 pixels, the whole height down.
    button.setVertical(true);
    button.resize(32, 44);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(15, 40));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(15, 40));
    EXPECT_EQ(menus.count(), 1) << "the bottom of the face clicks";
    EXPECT_EQ(clicks.count(), 2);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(21, 5));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(21, 5));
    EXPECT_EQ(menus.count(), 2);
    EXPECT_EQ(clicks.count(), 2);
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

TEST(ButtonInAPanel, TheContextMenuEventStopsAtTheButton)
{
    // The program strip's panel offers a menu of its own on a right click; a right click
    // on a button must leave the button's menu open.
    test::App();
    QWidget panel;
    auto* button = new TPlumBut(&panel);
    button->resize(22, 22);
    struct Counter : QObject {
        int menus = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            menus += e->type() == QEvent::ContextMenu;
            return false;
        }
    } counter;
    panel.installEventFilter(&counter);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &event);
    EXPECT_EQ(counter.menus, 0);
}
