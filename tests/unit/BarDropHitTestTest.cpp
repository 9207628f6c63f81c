#include "bar/BarDropHitTest.h"
#include "bar/DriveStripLayout.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

const QStringList Roots = {"/", "/home/", "/media/stick/"};

// A bar laid out by the real layout: three drives, five programs, every button.
BarLayout Laid(TAppBarEdge edge, int Layout, int ClickLayout = 5)
{
    BarLayoutInput in;
    in.edge = edge;
    const bool row = edge != abeLeft && edge != abeRight;
    in.clientWidth = row ? 1000 : 36;
    in.clientHeight = row ? 28 : 1000;
    in.logoWidth = 60;
    in.driveStripLength = ArrangeDriveButtons(row, int(Roots.size()), Layout, ClickLayout).extent;
    in.programStripLength = ProgramStripLength(5);
    return FormResize(in).value();
}

BarDropHit At(TAppBarEdge edge, QPoint p, int Layout = 1, int ClickLayout = 5)
{
    return BarDropHitTest(edge, p, Laid(edge, Layout, ClickLayout), Layout, ClickLayout, Roots).value();
}

} // namespace

TEST(BarDropHitTest, ColumnFindsEachTargetAndNothingBetweenPanels)
{
    const BarLayout l = Laid(abeLeft, 1);
    const int a2 = l.a2.rect.top();
    // Layout 1 on a column: 44-pixel buttons, so 50 below the strip's top is the second drive.
    EXPECT_EQ(At(abeLeft, {10, a2 + 50}), (BarDropHit{DropTarget::Drive, 1, "/home/"}));
    EXPECT_EQ(At(abeLeft, {10, a2 + 1}).DropKey, "/");
    EXPECT_EQ(At(abeLeft, {10, a2 + 3 * 44 - 1}).DropKey, "/media/stick/");

    const int goTop = l.a15.rect.top() + l.bComp.rect.top();
    EXPECT_EQ(At(abeLeft, {10, goTop + 5}), (BarDropHit{DropTarget::Go, -1, "go"}));
    EXPECT_EQ(At(abeLeft, {10, l.a4m.rect.top() + 30}), (BarDropHit{DropTarget::Programs, -1, "links_apps"}));

    // The menu buttons above GO!, the panel edges themselves, the scroll panel between
    // drives and programs, and the margin beyond 32 pixels across take no drop.
    for (const QPoint p : {QPoint(10, l.a1.rect.top() + 15), QPoint(10, goTop), QPoint(10, a2),
                           QPoint(10, l.a3.rect.top() + 5), QPoint(10, l.a4m.rect.top()),
                           QPoint(33, a2 + 10), QPoint(33, l.a4m.rect.top() + 30)})
        EXPECT_EQ(At(abeLeft, p).target, DropTarget::None) << p.x() << "," << p.y();
}

TEST(BarDropHitTest, ColumnStepFollowsLayout)
{
    const int a2 = Laid(abeLeft, 2).a2.rect.top();
    // Icon-only buttons are 22 high: 50 below the top is the third drive.
    EXPECT_EQ(At(abeLeft, {10, a2 + 50}, 2).driveIndex, 2);
    EXPECT_EQ(At(abeRight, {10, a2 + 23}, 3).DropKey, "/home/");
}

TEST(BarDropHitTest, RowFindsEachTargetAndNothingBetweenPanels)
{
    for (TAppBarEdge edge : {abeTop, abeBottom, abeFloat}) {
        const BarLayout l = Laid(edge, 1);
        const int a2 = l.a2.rect.left();
        EXPECT_EQ(At(edge, {a2 + 60, 10}), (BarDropHit{DropTarget::Drive, 1, "/home/"}));
        const int goLeft = l.a15.rect.left() + l.bComp.rect.left();
        EXPECT_EQ(At(edge, {goLeft + 1, 21}).target, DropTarget::Go);
        EXPECT_EQ(At(edge, {l.a4m.rect.left() + 1, 0}).target, DropTarget::Programs);
        for (const QPoint p : {QPoint(goLeft, 10), QPoint(goLeft + 5, 22), QPoint(a2, 10), QPoint(a2 + 10, 22),
                               QPoint(l.a3.rect.left() + 5, 10), QPoint(l.a4m.rect.left() + 5, 22),
                               QPoint(l.a4m.rect.right() + 1, 10), QPoint(l.a1.rect.left() + 20, 10)})
            EXPECT_EQ(At(edge, p).target, DropTarget::None) << int(edge) << ": " << p.x() << "," << p.y();
    }
}

TEST(BarDropHitTest, RowStepIsTheButtonsStep)
{
    // Layout 1: 52 wide; other faces: 30 wide.
    const int a2 = Laid(abeTop, 1).a2.rect.left();
    EXPECT_EQ(At(abeTop, {a2 + 51, 5}).driveIndex, 0);
    EXPECT_EQ(At(abeTop, {a2 + 52, 5}).driveIndex, 1);
    const int a2small = Laid(abeTop, 3).a2.rect.left();
    EXPECT_EQ(At(abeTop, {a2small + 61, 5}, 3).driveIndex, 2);
    // Click-only buttons are narrower; the drop goes to the button drawn under the point.
    const BarLayout clickOnly = Laid(abeTop, 1, 6);
    const int step = DriveButtonStyleFor(true, 1, 6).step;
    EXPECT_EQ(At(abeTop, {clickOnly.a2.rect.left() + step + 1, 5}, 1, 6).driveIndex, 1);
}

TEST(BarDropHitTest, PointsPastTheButtonsOrAtNoEdgeChangeNothing)
{
    // A strip longer than the drives it was given (a drive that went away meanwhile).
    BarLayout l = Laid(abeLeft, 1);
    EXPECT_EQ(BarDropHitTest(abeLeft, {10, l.a2.rect.top() + 100}, l, 1, 5, {"/"})->target, DropTarget::None);
    EXPECT_FALSE(BarDropHitTest(abeUnknown, {10, 10}, l, 1, 5, Roots));
}
