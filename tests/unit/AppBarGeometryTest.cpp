#include "bar/AppBarGeometry.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

const QRect Screen(0, 0, 1280, 800);

// The bar's docking sizes: 28 high at the top or bottom, 36 wide at the sides, no
// resizing while docked.
AppBarSizes BarSizes()
{
    AppBarSizes s = AppBarSizes::ForScreen(Screen.size());
    s.HorzSizeInc = 0;
    s.VertSizeInc = 0;
    s.HorzDockSize = 28;
    s.VertDockSize = 36;
    return s;
}

EdgeProposal At(int x, int y, QRect workArea = Screen)
{
    EdgeProposal p;
    p.pointer = {x, y};
    p.screen = Screen;
    p.workArea = workArea;
    p.scrollBar = {16, 16};
    return p;
}

} // namespace

TEST(AppBarGeometry, UnknownFloatingSettingsLeaveTheEdge)
{
    // The values of the edges themselves are checked in the registry by the X11 tests.
    EXPECT_EQ(EdgeFromFloating(5), std::nullopt) << "unknown values leave the edge as it was";
    EXPECT_EQ(EdgeFromFloating(0xFFFFFFFF), std::nullopt);
    for (quint32 v = 0; v <= 4; ++v)
        EXPECT_EQ(FloatingFromEdge(*EdgeFromFloating(v)), v);
    EXPECT_EQ(FloatingFromEdge(abeUnknown), 0u);
}

TEST(AppBarGeometry, FloatingRectangleCountsTheFrame)
{
    // Start-up: the bottom is the top + 46, and a floating bar is 22 high inside.
    const QRect start(0, 40, 500, 46);
    EXPECT_EQ(FloatClientSize(start), QSize(500, 22));
    EXPECT_EQ(FloatRectFor({123, 77}, {640, 22}), QRect(123, 77, 640, 46));
    EXPECT_EQ(FloatClientSize(QRect(0, 0, 10, 5)), QSize(10, 0)) << "never a negative height";
}

TEST(AppBarGeometry, PointerProposesAnEdgeOrFloating)
{
    EXPECT_EQ(ProposeEdge(At(640, 400)), abeFloat) << "middle of the screen";
    EXPECT_EQ(ProposeEdge(At(640, 20)), abeFloat) << "inside the work area less a scroll bar";
    EXPECT_EQ(ProposeEdge(At(640, 15)), abeTop) << "within a scroll bar of the top";
    EXPECT_EQ(ProposeEdge(At(640, 0)), abeTop);
    EXPECT_EQ(ProposeEdge(At(640, 799)), abeBottom);
    EXPECT_EQ(ProposeEdge(At(2, 400)), abeLeft);
    EXPECT_EQ(ProposeEdge(At(1270, 400)), abeRight);

    // The screen's diagonals decide near the corners: at (0, 0) the two sides of the
    // comparison are equal and the side edge wins; a little further along the top, the top.
    EXPECT_EQ(ProposeEdge(At(0, 0)), abeLeft);
    EXPECT_EQ(ProposeEdge(At(10, 5)), abeTop);
    EXPECT_EQ(ProposeEdge(At(1279, 799)), abeRight);
    EXPECT_EQ(ProposeEdge(At(1269, 794)), abeBottom);

    // Another bar at the top leaves a work area from y 28: the pointer in its strip, or a
    // scroll bar below it, proposes the top.
    const QRect belowPanel(0, 28, 1280, 772);
    EXPECT_EQ(ProposeEdge(At(640, 40, belowPanel)), abeTop);
    EXPECT_EQ(ProposeEdge(At(640, 44, belowPanel)), abeFloat);
}

TEST(AppBarGeometry, CtrlAndFlagsOverrideThePointer)
{
    EdgeProposal p = At(640, 0);
    p.ctrlHeld = true;
    EXPECT_EQ(ProposeEdge(p), abeFloat) << "Ctrl always floats";
    p.flags = AllAppBarFlags & ~abfAllowFloat;
    EXPECT_EQ(ProposeEdge(p), abeTop) << "unless floating is not allowed";
    p = At(640, 500);
    p.flags = AllAppBarFlags & ~abfAllowFloat;
    p.current = abeLeft;
    EXPECT_EQ(ProposeEdge(p), abeBottom) << "no floating: the middle still proposes an edge";

    p = At(640, 0);
    p.flags = AllAppBarFlags & ~abfAllowTop;
    EXPECT_EQ(ProposeEdge(p), abeFloat) << "an edge not allowed floats";
    p.flags = abfAllowLeft | abfAllowRight;
    p.current = abeRight;
    EXPECT_EQ(ProposeEdge(p), abeRight) << "nor floating: the bar stays where it is";
    p.flags = abfAllowFloat;
    p.current = abeTop;
    EXPECT_EQ(ProposeEdge(p), abeFloat) << "no edge allowed at all";
}

TEST(AppBarGeometry, DockRectanglesAtEachEdge)
{
    const AppBarSizes s = BarSizes();
    EXPECT_EQ(DockRect(abeTop, Screen, s), QRect(0, 0, 1280, 28));
    EXPECT_EQ(DockRect(abeBottom, Screen, s), QRect(0, 772, 1280, 28));
    EXPECT_EQ(DockRect(abeLeft, Screen, s), QRect(0, 0, 36, 800));
    EXPECT_EQ(DockRect(abeRight, Screen, s), QRect(1244, 0, 36, 800));
    EXPECT_EQ(DockThickness(abeTop, s), 28);
    EXPECT_EQ(DockThickness(abeRight, s), 36);
    // A second screen to the right of the first.
    EXPECT_EQ(DockRect(abeRight, QRect(1280, 0, 1024, 768), s), QRect(2268, 0, 36, 768));
}

TEST(AppBarGeometry, DockAreaLeavesOtherBarsTheirStrips)
{
    const AppBarSizes s = BarSizes();
    EXPECT_EQ(DockArea(abeTop, 28, Screen, {}), Screen);

    // A panel 24 deep at the top: the bar goes right below it.
    const DockedStrip panel{abeTop, QRect(0, 0, 1280, 24)};
    EXPECT_EQ(DockRect(abeTop, DockArea(abeTop, 28, Screen, {panel}), s), QRect(0, 24, 1280, 28));

    // A bar at the left crossing the top strip shortens it; one that ends lower does not.
    const DockedStrip left{abeLeft, QRect(0, 0, 36, 800)};
    EXPECT_EQ(DockRect(abeTop, DockArea(abeTop, 28, Screen, {left}), s), QRect(36, 0, 1244, 28));
    const DockedStrip lowerLeft{abeLeft, QRect(0, 28, 36, 772)};
    EXPECT_EQ(DockRect(abeTop, DockArea(abeTop, 28, Screen, {lowerLeft}), s), QRect(0, 0, 1280, 28));
    // The left bar under a top bar starts below it.
    const DockedStrip top{abeTop, QRect(0, 0, 1280, 28)};
    EXPECT_EQ(DockRect(abeLeft, DockArea(abeLeft, 36, Screen, {top}), s), QRect(0, 28, 36, 772));
    // The opposite edge does not matter.
    EXPECT_EQ(DockArea(abeTop, 28, Screen, {{abeBottom, QRect(0, 772, 1280, 28)}}), Screen);
}

TEST(AppBarGeometry, TwoBarsAtOneEdgeSettle)
{
    const AppBarSizes s = BarSizes();
    // The first bar takes the edge; the second, seeing it, goes next to it.
    const QRect first = DockRect(abeTop, DockArea(abeTop, 28, Screen, {}), s);
    const QRect second = DockRect(abeTop, DockArea(abeTop, 28, Screen, {{abeTop, first}}), s);
    EXPECT_EQ(second, QRect(0, 28, 1280, 28));
    // Asked again, each keeps its place: the first is not pushed out past the second.
    EXPECT_EQ(DockRect(abeTop, DockArea(abeTop, 28, Screen, {{abeTop, second}}), s), first);
    EXPECT_EQ(DockRect(abeTop, DockArea(abeTop, 28, Screen, {{abeTop, first}}), s), second);

    // A gap too small for the bar is skipped, whatever order the strips come in.
    const QList<DockedStrip> others{{abeBottom, QRect(0, 760, 1280, 40)}, {abeBottom, QRect(0, 740, 1280, 10)}};
    EXPECT_EQ(DockRect(abeBottom, DockArea(abeBottom, 28, Screen, others), s), QRect(0, 712, 1280, 28));
}

TEST(AppBarGeometry, AutoHidePlacesKeepTwoBordersOnScreen)
{
    const QSize border(1, 1);
    const QRect bottom(0, 772, 1280, 28);
    EXPECT_EQ(AutoHidePlace(abeBottom, bottom, Screen, border, true), bottom);
    const QRect hidden = AutoHidePlace(abeBottom, bottom, Screen, border, false);
    EXPECT_EQ(hidden, QRect(0, 798, 1280, 28));
    EXPECT_EQ(hidden.intersected(Screen).height(), 2) << "exactly two border widths stay visible";

    EXPECT_EQ(AutoHidePlace(abeTop, QRect(0, 0, 1280, 28), Screen, border, false), QRect(0, -26, 1280, 28));
    EXPECT_EQ(AutoHidePlace(abeLeft, QRect(0, 0, 36, 800), Screen, border, false), QRect(-34, 0, 36, 800));
    EXPECT_EQ(AutoHidePlace(abeRight, QRect(1244, 0, 36, 800), Screen, border, false), QRect(1278, 0, 36, 800));
    EXPECT_EQ(AutoHidePlace(abeRight, QRect(1278, 0, 36, 800), Screen, border, true), QRect(1244, 0, 36, 800));
    // Thicker borders leave more; the coordinate along the edge never moves.
    EXPECT_EQ(AutoHidePlace(abeLeft, QRect(0, 30, 36, 700), Screen, {3, 3}, false), QRect(-30, 30, 36, 700));
}

TEST(AppBarGeometry, PointerAwayFromBarBeyondTwiceTheDoubleClickArea)
{
    const QRect bar(0, 772, 1280, 28);
    const QSize area(4, 4);
    EXPECT_FALSE(PointerAwayFromBar(bar, {640, 780}, area));
    EXPECT_FALSE(PointerAwayFromBar(bar, {640, 764}, area)) << "8 above the bar is still near";
    EXPECT_TRUE(PointerAwayFromBar(bar, {640, 763}, area));
    const QRect side(0, 0, 36, 800);
    EXPECT_FALSE(PointerAwayFromBar(side, {43, 400}, area));
    EXPECT_TRUE(PointerAwayFromBar(side, {44, 400}, area));
}

TEST(AppBarGeometry, SlideInterpolatesEverySideOverTheSlideTime)
{
    const QRect hidden(0, 798, 1280, 28);
    const QRect shown(0, 772, 1280, 28);
    EXPECT_EQ(SlideStep(hidden, shown, 0, 400), hidden);
    EXPECT_EQ(SlideStep(hidden, shown, 100, 400), QRect(0, 792, 1280, 28)) << "798 - 26/4, truncated";
    EXPECT_EQ(SlideStep(hidden, shown, 200, 400), QRect(0, 785, 1280, 28));
    EXPECT_EQ(SlideStep(hidden, shown, 399, 400), QRect(0, 773, 1280, 28));
    EXPECT_EQ(SlideStep(hidden, shown, 400, 400), shown);
    EXPECT_EQ(SlideStep(hidden, shown, 900, 400), shown) << "a late tick lands exactly on the target";
    EXPECT_EQ(SlideStep(hidden, shown, 50, 0), shown) << "no slide time: straight there";

    // Sides move separately, so a change of size slides too.
    EXPECT_EQ(SlideStep(QRect(0, 0, 100, 10), QRect(100, 0, 200, 30), 200, 400), QRect(50, 0, 150, 20));
}

TEST(AppBarGeometry, TrackingLimitsFloatingAndDocked)
{
    AppBarSizes s = BarSizes();
    const QSize screen = Screen.size();
    EXPECT_EQ(TrackingLimits(abeFloat, s, screen), (SizeLimits{{0, 0}, {1280, 800}}));
    EXPECT_EQ(TrackingLimits(abeLeft, s, screen), (SizeLimits{{0, 0}, {640, 800}})) << "at most half the width";
    EXPECT_EQ(TrackingLimits(abeBottom, s, screen), (SizeLimits{{0, 0}, {1280, 400}}));
    s.MinWidth = 100;
    s.MinVertDockSize = 20;
    s.MinHorzDockSize = 10;
    s.MaxVertDockSize = 5000;
    EXPECT_EQ(TrackingLimits(abeFloat, s, screen).minimum, QSize(100, 0));
    EXPECT_EQ(TrackingLimits(abeRight, s, screen), (SizeLimits{{20, 10}, {1280, 800}})) << "never past the screen";
}

TEST(AppBarGeometry, OnlyTheAllowedBordersResize)
{
    AppBarSizes s = BarSizes();
    EXPECT_EQ(ResizableSides(abeTop, s), SizingSides{}) << "a docked bar cannot be resized";
    EXPECT_EQ(ResizableSides(abeLeft, s), SizingSides{});
    s.HorzSizeInc = 1; // the bar's value while floating
    EXPECT_EQ(ResizableSides(abeFloat, s), (SizingSides{true, false, true, false})) << "width only";
    EXPECT_EQ(ResizableSides(abeLeft, s), (SizingSides{false, false, true, false})) << "inner side only";
    EXPECT_EQ(ResizableSides(abeRight, s), (SizingSides{true, false, false, false}));
    EXPECT_EQ(ResizableSides(abeTop, s), SizingSides{});
    s.VertSizeInc = 2;
    EXPECT_EQ(ResizableSides(abeTop, s), (SizingSides{false, false, false, true}));
    EXPECT_EQ(ResizableSides(abeBottom, s), (SizingSides{false, true, false, false}));
    EXPECT_EQ(ResizableSides(abeUnknown, s), SizingSides{});
}

TEST(AppBarGeometry, WindowSizeHintsHoldTheFixedAxes)
{
    AppBarSizes s = BarSizes();
    s.HorzSizeInc = 1;
    const WindowSizeHints floating = SizeHintsFor(abeFloat, s, Screen.size(), {500, 22});
    EXPECT_EQ(floating.minimum, QSize(0, 22));
    EXPECT_EQ(floating.maximum, QSize(1280, 22));
    EXPECT_EQ(floating.increment, QSize(1, 0));
    EXPECT_EQ(floating.base, QSize(0, 22));

    s.HorzSizeInc = 0;
    const WindowSizeHints top = SizeHintsFor(abeTop, s, Screen.size(), {1280, 28});
    EXPECT_EQ(top.minimum, QSize(1280, 28));
    EXPECT_EQ(top.maximum, QSize(1280, 28));

    s.HorzSizeInc = 4;
    s.MinVertDockSize = 20;
    const WindowSizeHints left = SizeHintsFor(abeLeft, s, Screen.size(), {36, 800});
    EXPECT_EQ(left.minimum, QSize(20, 800));
    EXPECT_EQ(left.maximum, QSize(640, 800));
    EXPECT_EQ(left.increment, QSize(4, 0));
    EXPECT_EQ(left.base, QSize(20, 800));
}

TEST(AppBarGeometry, FloatingSizeComesOffAnEdgeUnderThePointer)
{
    EXPECT_EQ(FloatRectAtPointer({500, 46}, {640, 300}), QRect(390, 300, 500, 46));
    EXPECT_EQ(FloatRectAtPointer({501, 46}, {10, 0}), QRect(-240, 0, 501, 46));
}

TEST(AppBarGeometry, EndOfMoveKeepsSizesAndTheFloatingRectangle)
{
    const AppBarSizes s = BarSizes();
    const QRect floatRect(100, 40, 500, 46);
    const QRect workArea = Screen;

    MoveEnd e = EndOfMove(abeTop, abeTop, QRect(0, 0, 1280, 30), floatRect, workArea, s);
    EXPECT_EQ(e.edge, abeTop);
    EXPECT_EQ(e.HorzDockSize, 30) << "same edge: the dragged height becomes the dock height";
    EXPECT_EQ(e.VertDockSize, 36);
    EXPECT_EQ(e.floatRect, floatRect);

    e = EndOfMove(abeRight, abeRight, QRect(1240, 0, 40, 800), floatRect, workArea, s);
    EXPECT_EQ(e.VertDockSize, 40);
    EXPECT_EQ(e.HorzDockSize, 28);

    e = EndOfMove(abeFloat, abeTop, QRect(0, 0, 1280, 28), floatRect, workArea, s);
    EXPECT_EQ(e.edge, abeTop);
    EXPECT_EQ(e.floatRect, floatRect) << "docking keeps the floating rectangle for later";
    EXPECT_EQ(e.HorzDockSize, 28);

    e = EndOfMove(abeFloat, abeFloat, QRect(300, 200, 520, 46), floatRect, workArea, s);
    EXPECT_EQ(e.floatRect, QRect(300, 200, 520, 46)) << "floating before: the window rectangle";

    e = EndOfMove(abeTop, abeFloat, QRect(390, 300, 500, 46), floatRect, workArea, s);
    EXPECT_EQ(e.edge, abeFloat);
    EXPECT_EQ(e.floatRect, QRect(390, 300, 500, 46));

    e = EndOfMove(abeTop, abeFloat, QRect(0, 300, 1280, 28), floatRect, workArea, s);
    EXPECT_EQ(e.floatRect, QRect(0, 300, 500, 46)) << "as wide as the work area: the old floating size";
    e = EndOfMove(abeLeft, abeFloat, QRect(50, 0, 36, 800), floatRect, QRect(0, 28, 1280, 772), s);
    EXPECT_EQ(e.floatRect, QRect(50, 0, 500, 46)) << "as high as the work area";
}
