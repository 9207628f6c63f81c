#include "platform/linux/EwmhStrut.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

const QSize Root(1280, 800);

} // namespace

TEST(EwmhStrut, ADockedStripReservesFromItsEdgeToItsFarSide)
{
    EXPECT_EQ(StrutFor(abeTop, QRect(0, 0, 1280, 28), Root),
              (EwmhStrut{0, 0, 28, 0, 0, 0, 0, 0, 0, 1279, 0, 0}));
    EXPECT_EQ(StrutFor(abeLeft, QRect(0, 0, 36, 800), Root),
              (EwmhStrut{36, 0, 0, 0, 0, 799, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(StrutFor(abeRight, QRect(1244, 28, 36, 772), Root),
              (EwmhStrut{0, 36, 0, 0, 0, 0, 28, 799, 0, 0, 0, 0}));
    EXPECT_EQ(StrutFor(abeBottom, QRect(36, 772, 1244, 28), Root),
              (EwmhStrut{0, 0, 0, 28, 0, 0, 0, 0, 0, 0, 36, 1279}));
    // Stacked below another bar, the reservation reaches back to the edge.
    EXPECT_EQ(StrutFor(abeTop, QRect(0, 24, 1280, 28), Root).top, 52u);
}

TEST(EwmhStrut, FloatingOrEmptyReservesNothing)
{
    EXPECT_TRUE(StrutFor(abeFloat, QRect(100, 100, 500, 22), Root).isEmpty());
    EXPECT_TRUE(StrutFor(abeUnknown, QRect(0, 0, 1280, 28), Root).isEmpty());
    EXPECT_TRUE(StrutFor(abeTop, QRect(), Root).isEmpty());
    // A strip pushed off the screen cannot reserve a negative depth.
    EXPECT_TRUE(StrutFor(abeTop, QRect(0, -40, 1280, 28), Root).isEmpty());
}

TEST(EwmhStrut, TheOlderFormReservesWholeEdges)
{
    EXPECT_EQ(StrutFromLegacy(0, 0, 24, 0, Root), (EwmhStrut{0, 0, 24, 0, 0, 799, 0, 799, 0, 1279, 0, 1279}));
    const QList<DockedStrip> strips = StripsOfStrut(StrutFromLegacy(0, 0, 24, 0, Root), QRect(0, 0, 1280, 24), Root);
    EXPECT_EQ(strips, QList<DockedStrip>({{abeTop, QRect(0, 0, 1280, 24)}}));
}

TEST(EwmhStrut, AWindowHoldsThePartOfItsReservationItCovers)
{
    // A second bar at the top reserves 56 but stands on the lower 28: it holds those.
    const EwmhStrut second = StrutFor(abeTop, QRect(0, 28, 1280, 28), Root);
    EXPECT_EQ(StripsOfStrut(second, QRect(0, 28, 1280, 28), Root),
              QList<DockedStrip>({{abeTop, QRect(0, 28, 1280, 28)}}));
    // A panel whose window lies elsewhere holds its whole reservation.
    const EwmhStrut panel = StrutFor(abeBottom, QRect(0, 770, 1280, 30), Root);
    EXPECT_EQ(StripsOfStrut(panel, QRect(0, 0, 10, 10), Root),
              QList<DockedStrip>({{abeBottom, QRect(0, 770, 1280, 30)}}));
    const EwmhStrut right = StrutFor(abeRight, QRect(1244, 0, 36, 800), Root);
    EXPECT_EQ(StripsOfStrut(right, QRect(1244, 0, 36, 800), Root),
              QList<DockedStrip>({{abeRight, QRect(1244, 0, 36, 800)}}));
    const EwmhStrut left = StrutFor(abeLeft, QRect(0, 100, 36, 200), Root);
    EXPECT_EQ(StripsOfStrut(left, QRect(), Root), QList<DockedStrip>({{abeLeft, QRect(0, 100, 36, 200)}}));
}

TEST(EwmhStrut, RangesLeftAtZeroSpanTheEdge)
{
    EwmhStrut s;
    s.top = 30; // some panels give a depth and no range
    EXPECT_EQ(StripsOfStrut(s, QRect(), Root), QList<DockedStrip>({{abeTop, QRect(0, 0, 1280, 30)}}));
    EXPECT_TRUE(StripsOfStrut(EwmhStrut{}, QRect(0, 0, 1280, 800), Root).isEmpty());
}
