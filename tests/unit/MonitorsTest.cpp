#include "bar/Monitors.h"

#include <gtest/gtest.h>

using namespace parvo;

TEST(Monitors, ScaledMonitorsMapBothWaysAsTheToolkitDoes)
{
    // 1280 × 800 at 150 % is 853 × 533 for the toolkit.
    const Monitor m = Monitor::Scaled(QRect(0, 0, 853, 533), 1.5);
    EXPECT_EQ(m.physical, QRect(0, 0, 1280, 800));
    const QRect bottomBar(0, 505, 853, 28);
    EXPECT_EQ(ToPhysical(bottomBar, m), QRect(0, 758, 1280, 42));
    EXPECT_EQ(ToLogical(QRect(0, 758, 1280, 42), m), bottomBar);

    // A second monitor keeps its corner and scales from there.
    const Monitor right = Monitor::Scaled(QRect(1280, 0, 640, 400), 2);
    EXPECT_EQ(right.physical, QRect(1280, 0, 1280, 800));
    EXPECT_EQ(ToPhysical(QRect(1884, 0, 36, 400), right), QRect(2488, 0, 72, 800));
    EXPECT_EQ(ToLogical(QRect(2488, 0, 72, 800), right), QRect(1884, 0, 36, 400));
}

TEST(Monitors, TheMonitorUnderAPointOrTheNearest)
{
    const QList<Monitor> two = {Monitor::Scaled(QRect(0, 0, 1280, 800), 1),
                                Monitor::Scaled(QRect(1280, 0, 1024, 768), 1)};
    EXPECT_EQ(MonitorAt(two, {10, 10}), 0);
    EXPECT_EQ(MonitorAt(two, {1280, 10}), 1);
    EXPECT_EQ(MonitorAt(two, {2000, 790}), 1) << "below the shorter monitor";
    EXPECT_EQ(MonitorAt(two, {-50, 400}), 0);
    EXPECT_EQ(MonitorAt({}, {0, 0}), -1);
}

TEST(Monitors, OnlyEdgesNoOtherMonitorTouchesAreOuter)
{
    // Side by side, the right one shorter.
    const QList<Monitor> two = {Monitor::Scaled(QRect(0, 0, 1280, 800), 1),
                                Monitor::Scaled(QRect(1280, 0, 1024, 768), 1)};
    EXPECT_TRUE(IsOuterEdge(two, 0, abeLeft));
    EXPECT_TRUE(IsOuterEdge(two, 0, abeTop));
    EXPECT_TRUE(IsOuterEdge(two, 0, abeBottom));
    EXPECT_FALSE(IsOuterEdge(two, 0, abeRight));
    EXPECT_FALSE(IsOuterEdge(two, 1, abeLeft));
    EXPECT_TRUE(IsOuterEdge(two, 1, abeRight));
    EXPECT_TRUE(IsOuterEdge(two, 1, abeBottom)) << "nothing below, though the desktop goes further down";
    EXPECT_FALSE(IsOuterEdge(two, 2, abeTop)) << "no such monitor";

    // Stacked, at different scales: judged in the window system's pixels, where they touch.
    const QList<Monitor> stacked = {Monitor::Scaled(QRect(0, 0, 960, 540), 2),
                                    Monitor::Scaled(QRect(0, 1080, 1920, 1080), 1)};
    EXPECT_FALSE(IsOuterEdge(stacked, 0, abeBottom));
    EXPECT_FALSE(IsOuterEdge(stacked, 1, abeTop));
    EXPECT_TRUE(IsOuterEdge(stacked, 0, abeRight));
}

TEST(Monitors, StripsAreCutPerMonitorAndWorkAreasFollowThem)
{
    const QList<Monitor> two = {Monitor::Scaled(QRect(0, 0, 1280, 800), 1),
                                Monitor::Scaled(QRect(1280, 0, 640, 400), 2)};
    // A panel's strut along the whole top of the desktop, in physical pixels.
    const QList<DockedStrip> physical = {{abeTop, QRect(0, 0, 2560, 30)}, {abeLeft, QRect(5000, 0, 10, 10)}};
    const QList<DockedStrip> strips = LogicalStrips(physical, two);
    ASSERT_EQ(strips.size(), 2) << "what lies on no monitor is dropped";
    EXPECT_EQ(strips[0], (DockedStrip{abeTop, QRect(0, 0, 1280, 30)}));
    EXPECT_EQ(strips[1], (DockedStrip{abeTop, QRect(1280, 0, 640, 15)}));

    EXPECT_EQ(StripsOn(two[1].logical, strips), QList<DockedStrip>({strips[1]}));
    EXPECT_EQ(MonitorWorkArea(two[1].logical, strips), QRect(1280, 15, 640, 385));
    const QList<DockedStrip> sides = {{abeLeft, QRect(0, 30, 36, 770)}, {abeBottom, QRect(0, 772, 1280, 28)}};
    EXPECT_EQ(MonitorWorkArea(two[0].logical, strips + sides), QRect(36, 30, 1244, 742));
    EXPECT_EQ(MonitorWorkArea(two[0].logical, {{abeLeft, QRect(0, 0, 1280, 800)}}), two[0].logical)
        << "a strip that leaves nothing is not believed";
}
