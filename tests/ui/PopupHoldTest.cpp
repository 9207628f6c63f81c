// Levels of the popup whose items are still being read: held a moment, opened with what
// they hold by then, filled in place.
#include "UiApp.h"
#include "widgets/PopupLevel.h"
#include "widgets/TBcBarPopupMenu.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

MenuItem Item(const QString& caption, ItemClick click = ItemClick::Launch)
{
    MenuItem item;
    item.Caption = caption;
    item.OnClick = click;
    return item;
}

MenuItem Waiting()
{
    MenuItem item = Item("reading", ItemClick::None);
    item.Enabled = false;
    return item;
}

struct PopupHold : ::testing::Test {
    QApplication& app = test::App();
    TBcBarPopupMenu menu;

    ~PopupHold() override
    {
        menu.closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    int depth() const { return int(menu.openLevels().size()); }
    PopupLevel* level(int i) const { return qobject_cast<PopupLevel*>(menu.openLevels().value(i)); }

    // A root whose one folder item waits for its read when opened.
    void OpenWithFolder(int holdMs)
    {
        menu.OnPopup = [this] { menu.Items().children = {Item("folder", ItemClick::ExpandFolder), Item("other")}; };
        menu.OnExpand = [this, holdMs](MenuItem& item) {
            item.children = {Item("-> folder"), Waiting()};
            menu.HoldOpening(holdMs);
        };
        menu.popup(QPoint(100, 100));
        ASSERT_EQ(depth(), 1);
    }
};

} // namespace

TEST_F(PopupHold, ARootStillReadOpensAfterTheHoldWithWhatItHolds)
{
    menu.OnPopup = [this] {
        menu.Items().children = {Waiting()};
        menu.HoldOpening(100);
    };
    menu.popup(QPoint(100, 100));
    EXPECT_FALSE(menu.isOpen()) << "nothing shows, nothing grabs, while it is held";
    EXPECT_TRUE(menu.isHolding());
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isOpen(); }, 2000));
    EXPECT_EQ(level(0)->rows().size(), 1u);

    // The read ends: the open level takes the items in place.
    menu.BeginUpdate();
    menu.Items().children = {Item("a"), Item("b"), Item("c")};
    menu.EndUpdate();
    EXPECT_EQ(level(0)->rows().size(), 3u);
    EXPECT_TRUE(level(0)->inStep());
}

TEST_F(PopupHold, AReadEndingEarlyOpensTheLevelAtOnceFilled)
{
    menu.OnPopup = [this] {
        menu.Items().children = {Waiting()};
        menu.HoldOpening(10000);
        QTimer::singleShot(20, &menu, [this] {
            menu.Items().children = {Item("a"), Item("b")};
            menu.ReleaseOpening();
        });
    };
    QElapsedTimer clock;
    clock.start();
    menu.popup(QPoint(100, 100));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isOpen(); }, 5000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(level(0)->rows().size(), 2u);
}

TEST_F(PopupHold, ASubmenuStillReadOpensLaterAndEscapeDropsIt)
{
    OpenWithFolder(150);
    QTest::keyClick(level(0), Qt::Key_Down);
    QTest::keyClick(level(0), Qt::Key_Right);
    EXPECT_EQ(depth(), 1);
    EXPECT_TRUE(menu.isHolding());
    ASSERT_TRUE(QTest::qWaitFor([&] { return depth() == 2; }, 2000));
    EXPECT_EQ(level(1)->rows().size(), 2u) << "the header and the waiting item";

    // Escape closes the sub-menu, and a new one held for its read goes with a second Escape.
    QTest::keyClick(level(1), Qt::Key_Escape);
    EXPECT_EQ(depth(), 1);
    menu.OnExpand = [this](MenuItem&) { menu.HoldOpening(10000); };
    QTest::keyClick(level(0), Qt::Key_Right);
    EXPECT_TRUE(menu.isHolding());
    QTest::keyClick(level(0), Qt::Key_Escape);
    EXPECT_FALSE(menu.isOpen());
    EXPECT_FALSE(menu.isHolding());
    menu.ReleaseOpening();
    EXPECT_FALSE(menu.isOpen());
}

TEST_F(PopupHold, AHeldSubmenuDoesNotOpenOnceTheUserHasMovedOn)
{
    OpenWithFolder(10000);
    QTest::keyClick(level(0), Qt::Key_Down);
    QTest::keyClick(level(0), Qt::Key_Right);
    ASSERT_TRUE(menu.isHolding());
    QTest::keyClick(level(0), Qt::Key_Down); // on to "other"
    menu.ReleaseOpening();
    EXPECT_EQ(depth(), 1);

    // Released while its row is still current, it opens at once.
    QTest::keyClick(level(0), Qt::Key_Up);
    QTest::keyClick(level(0), Qt::Key_Right);
    ASSERT_TRUE(menu.isHolding());
    menu.ReleaseOpening();
    EXPECT_EQ(depth(), 2);
}
