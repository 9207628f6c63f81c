#include "bar/BarLayout.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

// A top bar 1000 wide with every button, a 60-pixel logo, three split drive buttons with
// letters (156) and five programs (110).
BarLayoutInput Row()
{
    BarLayoutInput in;
    in.edge = abeTop;
    in.clientWidth = 1000;
    in.clientHeight = 28;
    in.logoWidth = 60;
    in.driveStripLength = 156;
    in.programStripLength = 110;
    return in;
}

// The same contents on a left bar 1000 high; three letter-and-icon drives (3 × 44).
BarLayoutInput Column()
{
    BarLayoutInput in = Row();
    in.edge = abeLeft;
    in.clientWidth = 36;
    in.clientHeight = 1000;
    in.driveStripLength = 132;
    return in;
}

BarLayout Lay(const BarLayoutInput& in)
{
    auto layout = FormResize(in);
    EXPECT_TRUE(layout.has_value());
    return layout.value_or(BarLayout{});
}

void ExpectHidden(const Placed& p)
{
    EXPECT_FALSE(p.shown);
    EXPECT_TRUE(p.rect.isEmpty());
}

} // namespace

TEST(BarLayout, EdgeChoosesOrientation)
{
    EXPECT_EQ(OrientationFor(abeTop), BarOrientation::Horizontal);
    EXPECT_EQ(OrientationFor(abeBottom), BarOrientation::Horizontal);
    EXPECT_EQ(OrientationFor(abeFloat), BarOrientation::Horizontal);
    EXPECT_EQ(OrientationFor(abeLeft), BarOrientation::Vertical);
    EXPECT_EQ(OrientationFor(abeRight), BarOrientation::Vertical);
    EXPECT_FALSE(OrientationFor(abeUnknown));

    BarLayoutInput in = Row();
    in.edge = abeUnknown;
    EXPECT_FALSE(FormResize(in));
    in.edge = static_cast<TAppBarEdge>(9);
    EXPECT_FALSE(FormResize(in));
}

TEST(BarLayout, OnlyAFloatingBarResizesInWidth)
{
    BarLayoutInput in = Row();
    EXPECT_EQ(Lay(in).HorzSizeInc, 0);
    in.edge = abeFloat;
    EXPECT_EQ(Lay(in).HorzSizeInc, 1);
    in.edge = abeBottom;
    EXPECT_EQ(Lay(in).HorzSizeInc, 0);
    EXPECT_EQ(Lay(Column()).HorzSizeInc, 0);
}

TEST(BarLayout, HorizontalRowWithEveryButton)
{
    const BarLayout l = Lay(Row());
    EXPECT_EQ(l.orientation, BarOrientation::Horizontal);

    EXPECT_EQ(l.bInfH.rect, QRect(2, 0, 76, 22));
    EXPECT_TRUE(l.bInfH.shown);
    ExpectHidden(l.bInf);
    EXPECT_EQ(l.Bev1.rect, QRect(79, 2, 2, 18));
    EXPECT_EQ(l.Bev11.rect, QRect(82, 2, 2, 18));
    EXPECT_EQ(l.bFavs.rect, QRect(85, 0, 32, 22));
    EXPECT_EQ(l.bSlinks.rect, QRect(117, 0, 32, 22));
    EXPECT_EQ(l.bMail.rect, QRect(149, 0, 32, 22));
    EXPECT_EQ(l.Bev12.rect, QRect(182, 2, 2, 18));
    EXPECT_EQ(l.bWinFolders.rect, QRect(185, 0, 32, 22));
    EXPECT_EQ(l.bFolders.rect, QRect(217, 0, 32, 22));
    EXPECT_EQ(l.a1.rect, QRect(10, 0, 249, 30));

    EXPECT_EQ(l.a15.rect, QRect(259, 0, 65, 30));
    EXPECT_EQ(l.Bev2.rect, QRect(0, 2, 2, 18));
    EXPECT_EQ(l.Bev21.rect, QRect(3, 2, 2, 18));
    EXPECT_EQ(l.bComp.rect, QRect(6, 0, 22, 22));
    EXPECT_EQ(l.bCompSearch.rect, QRect(28, 0, 22, 22));
    EXPECT_EQ(l.Bev22.rect, QRect(51, 2, 2, 18));
    EXPECT_EQ(l.bScrDrv.rect, QRect(54, 0, 11, 22));

    EXPECT_EQ(l.a2.rect, QRect(324, 0, 156, 30));
    EXPECT_EQ(l.a3.rect, QRect(480, 0, 19, 30));
    EXPECT_EQ(l.Bev3.rect, QRect(1, 2, 2, 18));
    EXPECT_EQ(l.bev31.rect, QRect(4, 2, 2, 18));
    EXPECT_EQ(l.bScrLeft.rect, QRect(7, 0, 11, 22));
    EXPECT_EQ(l.a4m.rect, QRect(499, 0, 477, 30));
    EXPECT_EQ(l.a4.rect, QRect(0, 0, 110, 30));
    EXPECT_EQ(l.a5.rect, QRect(976, 0, 14, 30));
    EXPECT_EQ(l.bScrRight.rect, QRect(1, 0, 11, 22));
    ExpectHidden(l.Url1);
    EXPECT_EQ(l.bScrLeftCell, 42);
    EXPECT_EQ(l.bScrRightCell, 44);

    // The bare 10-pixel margin after `a5` is the drag grip.
    EXPECT_EQ(l.a5.rect.right() + 1, 1000 - 10);
}

TEST(BarLayout, HorizontalSeparatorsFollowTheVisibleButtons)
{
    BarLayoutInput in = Row();
    in.bFavs = in.bSlinks = in.bMail = false;
    BarLayout l = Lay(in);
    ExpectHidden(l.Bev12);
    ExpectHidden(l.bFavs);
    EXPECT_EQ(l.bWinFolders.rect.left(), l.Bev11.rect.left() + 3);
    EXPECT_EQ(l.a1.rect.width(), l.bFolders.rect.left() + 32);

    in.bWinFolders = in.bFolders = false;
    l = Lay(in);
    EXPECT_EQ(l.a1.rect.width(), l.Bev11.rect.left() + 3);
    ExpectHidden(l.Bev12);
    ExpectHidden(l.bFolders);
    EXPECT_EQ(l.a15.rect.left(), l.a1.rect.width() + 10);

    // A separator placed after the menu buttons is taken back when no folder button follows.
    in.bMail = true;
    l = Lay(in);
    ExpectHidden(l.Bev12);
    EXPECT_EQ(l.bMail.rect, QRect(85, 0, 32, 22));
    EXPECT_EQ(l.a1.rect.width(), 117);

    in = Row();
    in.bCompSearch = false;
    l = Lay(in);
    ExpectHidden(l.bCompSearch);
    EXPECT_EQ(l.Bev22.rect.left(), 29);
    EXPECT_EQ(l.bScrDrv.rect.left(), 32);
    EXPECT_EQ(l.a15.rect.width(), 43);
    EXPECT_EQ(l.a2.rect.left(), 259 + 43);
}

TEST(BarLayout, VerticalColumnWithEveryButton)
{
    BarLayoutInput in = Column();
    in.HasWebAddress = true;
    in.webLabelWidth = 10;
    const BarLayout l = Lay(in);
    EXPECT_EQ(l.orientation, BarOrientation::Vertical);

    EXPECT_EQ(l.bInf.rect, QRect(0, 2, 30, 66));
    ExpectHidden(l.bInfH);
    EXPECT_EQ(l.Bev1.rect, QRect(2, 69, 26, 2));
    EXPECT_EQ(l.Bev11.rect, QRect(2, 72, 26, 2));
    EXPECT_EQ(l.bFavs.rect, QRect(0, 75, 30, 22));
    EXPECT_EQ(l.bSlinks.rect, QRect(0, 97, 30, 22));
    EXPECT_EQ(l.bMail.rect, QRect(0, 119, 30, 22));
    EXPECT_EQ(l.Bev12.rect, QRect(2, 142, 26, 2));
    EXPECT_EQ(l.bWinFolders.rect, QRect(0, 145, 30, 22));
    EXPECT_EQ(l.bFolders.rect, QRect(0, 167, 30, 22));
    EXPECT_EQ(l.a1.rect, QRect(0, 10, 30, 190));

    EXPECT_EQ(l.a15.rect, QRect(0, 200, 30, 65));
    EXPECT_EQ(l.Bev2.rect, QRect(2, 0, 26, 2));
    EXPECT_EQ(l.Bev21.rect, QRect(2, 3, 26, 2));
    EXPECT_EQ(l.bComp.rect, QRect(0, 6, 30, 22));
    EXPECT_EQ(l.bCompSearch.rect, QRect(0, 28, 30, 22));
    EXPECT_EQ(l.Bev22.rect, QRect(2, 51, 26, 2));
    EXPECT_EQ(l.bScrDrv.rect, QRect(0, 54, 32, 11));

    EXPECT_EQ(l.a2.rect, QRect(0, 265, 30, 132));
    EXPECT_EQ(l.a3.rect, QRect(0, 397, 30, 19));
    EXPECT_EQ(l.Bev3.rect, QRect(2, 1, 26, 2));
    EXPECT_EQ(l.bev31.rect, QRect(2, 4, 26, 2));
    EXPECT_EQ(l.bScrLeft.rect, QRect(0, 7, 30, 11));
    EXPECT_EQ(l.a4m.rect, QRect(0, 416, 30, 560));
    EXPECT_EQ(l.a4.rect, QRect(0, 0, 30, 110));
    EXPECT_EQ(l.a5.rect, QRect(0, 976, 30, 14));
    EXPECT_EQ(l.bScrRight.rect, QRect(0, 1, 30, 11));
    EXPECT_EQ(l.bScrLeftCell, 43);
    EXPECT_EQ(l.bScrRightCell, 45);
    EXPECT_EQ(l.a5.rect.bottom() + 1, 1000 - 10);

    // A column never shows the web label, however much room it has.
    ExpectHidden(l.Url1);
}

TEST(BarLayout, VerticalSeparatorsFollowTheVisibleButtons)
{
    BarLayoutInput in = Column();
    in.bFavs = in.bSlinks = in.bMail = in.bWinFolders = in.bFolders = false;
    BarLayout l = Lay(in);
    ExpectHidden(l.Bev12);
    EXPECT_EQ(l.a1.rect.height(), l.Bev11.rect.top() + 3 + 1);

    in.bFavs = true;
    l = Lay(in);
    ExpectHidden(l.Bev12);
    EXPECT_EQ(l.bFavs.rect.top(), 75);
    EXPECT_EQ(l.a1.rect.height(), 98);

    in.bFavs = false;
    in.bFolders = true;
    in.bCompSearch = false;
    l = Lay(in);
    ExpectHidden(l.Bev12);
    EXPECT_EQ(l.bFolders.rect.top(), l.Bev11.rect.top() + 3);
    EXPECT_EQ(l.Bev22.rect.top(), 29);
    EXPECT_EQ(l.bScrDrv.rect.top(), 32);
    EXPECT_EQ(l.a15.rect.height(), 43);
}

TEST(BarLayout, WebLabelTakesTheViewportsSpareEnd)
{
    BarLayoutInput in = Row();
    in.HasWebAddress = true;
    in.webLabelWidth = 100;
    BarLayout l = Lay(in);
    EXPECT_TRUE(l.Url1.shown);
    EXPECT_EQ(l.Url1.rect.left(), 1);
    EXPECT_EQ(l.Url1.rect.width(), 100);
    EXPECT_EQ(l.a4m.rect, QRect(499, 0, 477 - 108, 30));
    EXPECT_EQ(l.a5.rect, QRect(976 - 108, 0, 14 + 108, 30));
    EXPECT_EQ(l.bScrRight.rect, QRect(109, 0, 11, 22));

    // The spare room is 477 − 110 = 367: a label needing all of it (t + 8 = 367) stays hidden.
    in.webLabelWidth = 359;
    l = Lay(in);
    ExpectHidden(l.Url1);
    EXPECT_EQ(l.a4m.rect.width(), 477);
    EXPECT_EQ(l.a5.rect, QRect(976, 0, 14, 30));
    EXPECT_EQ(l.bScrRight.rect.left(), 1);

    in.webLabelWidth = 358;
    l = Lay(in);
    EXPECT_TRUE(l.Url1.shown);
    EXPECT_EQ(l.a4m.rect.width(), 111);

    in.webLabelWidth = 10;
    in.HasWebAddress = false;
    ExpectHidden(Lay(in).Url1);
}

TEST(BarLayout, EveryLayoutStartsTheProgramStripAtItsBeginning)
{
    BarLayoutInput in = Row();
    BarLayout l = Lay(in);
    EXPECT_FALSE(l.scroll.bScrRightEnabled()); // 110 in 477
    EXPECT_FALSE(l.scroll.bScrLeftEnabled());

    in.programStripLength = 30 * 22;
    l = Lay(in);
    EXPECT_TRUE(l.scroll.bScrRightEnabled());
    EXPECT_FALSE(l.scroll.bScrLeftEnabled());
    l.scroll.bScrRightClick();
    EXPECT_EQ(l.ScrolledProgramStrip(), QRect(-22, 0, 660, 30));
    EXPECT_EQ(Lay(in).ScrolledProgramStrip(), QRect(0, 0, 660, 30));

    // The label's room comes out of the viewport, so the programs still fit after it.
    in.programStripLength = 110;
    in.HasWebAddress = true;
    in.webLabelWidth = 358;
    EXPECT_FALSE(Lay(in).scroll.bScrRightEnabled());

    BarLayoutInput col = Column();
    col.programStripLength = 26 * 22; // 572 in 560
    l = Lay(col);
    EXPECT_TRUE(l.scroll.bScrRightEnabled());
    l.scroll.bScrRightClick();
    EXPECT_EQ(l.ScrolledProgramStrip(), QRect(0, -22, 30, 572));
    EXPECT_FALSE(l.scroll.bScrRightEnabled());
}

TEST(BarLayout, TooSmallAClientLeavesAnEmptyViewport)
{
    BarLayoutInput in = Row();
    in.clientWidth = 400; // less than the 499 pixels before the viewport
    in.HasWebAddress = true;
    in.webLabelWidth = 0;
    BarLayout l = Lay(in);
    EXPECT_EQ(l.a4m.rect.width(), 0);
    EXPECT_EQ(l.a5.rect.left(), l.a4m.rect.left());
    ExpectHidden(l.Url1);
    EXPECT_TRUE(l.scroll.bScrRightEnabled()); // every program lies beyond the viewport
    in.programStripLength = 0;
    EXPECT_FALSE(Lay(in).scroll.bScrRightEnabled());

    BarLayoutInput col = Column();
    col.clientHeight = 300;
    l = Lay(col);
    EXPECT_EQ(l.a4m.rect.height(), 0);
    EXPECT_EQ(l.a5.rect.top(), 416);
}

TEST(BarLayout, AccentSquaresFillTheBareCorners)
{
    const AccentSquares s = FormPaintSquares(500, 22);
    EXPECT_EQ(s.topLeft, QRect(0, 0, 30, 30));
    EXPECT_EQ(s.bottomRight, QRect(470, -8, 30, 30));
    EXPECT_EQ(s.bottomRight.bottomRight(), QPoint(499, 21));

    const AccentSquares v = FormPaintSquares(36, 1000);
    EXPECT_EQ(v.bottomRight, QRect(6, 970, 30, 30));
}
