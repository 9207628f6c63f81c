#include "bar/BarLayout.h"

#include <algorithm>

namespace parvo {

namespace {

constexpr int PanelThickness = 30;  // across the bar, every panel
constexpr int ButtonThickness = 22; // across a horizontal bar, every button
constexpr int MenuButtonWidth = 32; // along a horizontal bar
constexpr int EndReserve = 24;      // after the viewport: `a5` plus the bare margin

Placed Show(int x, int y, int w, int h) { return {QRect(x, y, w, h), true}; }

// A separator line at `at` along the bar: vertical lines in a row, horizontal in a column.
Placed Separator(BarOrientation o, int at)
{
    return o == BarOrientation::Horizontal ? Show(at, 2, 2, 18) : Show(2, at, 26, 2);
}

void LayOutHorizontal(const BarLayoutInput& in, BarLayout& l)
{
    const auto o = BarOrientation::Horizontal;
    l.HorzSizeInc = in.edge == abeFloat ? 1 : 0;
    l.bScrLeftCell = 42;
    l.bScrRightCell = 44;

    l.bInfH = Show(2, 0, in.logoWidth + 16, ButtonThickness);
    l.Bev1 = Separator(o, l.bInfH.rect.width() + 3);
    l.Bev11 = Separator(o, l.Bev1.rect.left() + 3);
    int pos = l.Bev11.rect.left() + 3;

    bool menusPlaced = false;
    for (auto [visible, button] : {std::pair{in.bFavs, &l.bFavs}, {in.bSlinks, &l.bSlinks}, {in.bMail, &l.bMail}}) {
        if (!visible)
            continue;
        *button = Show(pos, 0, MenuButtonWidth, ButtonThickness);
        pos += MenuButtonWidth;
        menusPlaced = true;
    }
    if (menusPlaced) {
        l.Bev12 = Separator(o, pos + 1);
        pos += 4;
    }
    bool foldersPlaced = false;
    for (auto [visible, button] : {std::pair{in.bWinFolders, &l.bWinFolders}, {in.bFolders, &l.bFolders}}) {
        if (!visible)
            continue;
        *button = Show(pos, 0, MenuButtonWidth, ButtonThickness);
        pos += MenuButtonWidth;
        foldersPlaced = true;
    }
    // A separator with nothing after it would end the group with a stray line.
    if (!foldersPlaced && l.Bev12.shown) {
        l.Bev12 = {};
        pos -= 4;
    }
    l.a1 = Show(10, 0, pos, PanelThickness);

    l.Bev2 = Separator(o, 0);
    l.Bev21 = Separator(o, 3);
    l.bComp = Show(6, 0, 22, ButtonThickness);
    pos = 28;
    if (in.bCompSearch) {
        l.bCompSearch = Show(pos, 0, 22, ButtonThickness);
        pos += 22;
    }
    l.Bev22 = Separator(o, pos + 1);
    pos = l.Bev22.rect.left() + 3;
    l.bScrDrv = Show(pos, 0, 11, ButtonThickness);
    l.a15 = Show(l.a1.rect.width() + 10, 0, l.bScrDrv.rect.left() + 11, PanelThickness);

    l.a2 = Show(l.a15.rect.left() + l.a15.rect.width(), 0, std::max(0, in.driveStripLength), PanelThickness);

    l.a3 = Show(l.a2.rect.left() + l.a2.rect.width(), 0, 19, PanelThickness);
    l.Bev3 = Separator(o, 1);
    l.bev31 = Separator(o, 4);
    l.bScrLeft = Show(7, 0, 11, ButtonThickness);

    const int viewLeft = l.a3.rect.left() + 19;
    // A client too narrow for the fixed parts leaves an empty viewport, never a negative one.
    l.a4m = Show(viewLeft, 0, std::max(0, in.clientWidth - viewLeft - EndReserve), PanelThickness);
    l.a4 = Show(0, 0, std::max(0, in.programStripLength), PanelThickness);

    l.a5 = Show(l.a4m.rect.left() + l.a4m.rect.width(), 0, 14, PanelThickness);
    l.bScrRight = Show(1, 0, 11, ButtonThickness);

    // The web label takes its room from the viewport's free end, and only when the
    // programs leave it with more than 8 pixels to spare.
    const int spare = l.a4m.rect.width() - l.a4.rect.width();
    const int t = std::max(0, in.webLabelWidth);
    if (in.HasWebAddress && t + 8 < spare) {
        l.a4m.rect.setWidth(l.a4m.rect.width() - (t + 8));
        l.a5.rect.setLeft(l.a5.rect.left() - (t + 8)); // keeps the right end, widening a5
        l.Url1 = Show(1, 0, t, ButtonThickness);
        l.bScrRight.rect.moveLeft(t + 9);
    }

    l.scroll.Reset(l.a4.rect.width(), l.a4m.rect.width());
}

void LayOutVertical(const BarLayoutInput& in, BarLayout& l)
{
    const auto o = BarOrientation::Vertical;
    l.HorzSizeInc = 0;
    l.bScrLeftCell = 43;
    l.bScrRightCell = 45;

    l.bInf = Show(0, 2, PanelThickness, in.logoWidth + 6);
    l.Bev1 = Separator(o, l.bInf.rect.height() + 3);
    l.Bev11 = Separator(o, l.Bev1.rect.top() + 3);
    int pos = l.Bev11.rect.top() + 3;

    bool menusPlaced = false;
    for (auto [visible, button] : {std::pair{in.bFavs, &l.bFavs}, {in.bSlinks, &l.bSlinks}, {in.bMail, &l.bMail}}) {
        if (!visible)
            continue;
        *button = Show(0, pos, PanelThickness, ButtonThickness);
        pos += ButtonThickness;
        menusPlaced = true;
    }
    if (menusPlaced) {
        l.Bev12 = Separator(o, pos + 1);
        pos += 4;
    }
    bool foldersPlaced = false;
    for (auto [visible, button] : {std::pair{in.bWinFolders, &l.bWinFolders}, {in.bFolders, &l.bFolders}}) {
        if (!visible)
            continue;
        *button = Show(0, pos, PanelThickness, ButtonThickness);
        pos += ButtonThickness;
        foldersPlaced = true;
    }
    if (!foldersPlaced && l.Bev12.shown) {
        l.Bev12 = {};
        pos -= 4;
    }
    l.a1 = Show(0, 10, PanelThickness, pos + 1);

    l.Bev2 = Separator(o, 0);
    l.Bev21 = Separator(o, 3);
    l.bComp = Show(0, 6, PanelThickness, ButtonThickness);
    pos = 28;
    if (in.bCompSearch) {
        l.bCompSearch = Show(0, pos, PanelThickness, ButtonThickness);
        pos += ButtonThickness;
    }
    l.Bev22 = Separator(o, pos + 1);
    pos = l.Bev22.rect.top() + 3;
    l.bScrDrv = Show(0, pos, 32, 11);
    l.a15 = Show(0, l.a1.rect.height() + 10, PanelThickness, l.bScrDrv.rect.top() + 11);

    l.a2 = Show(0, l.a15.rect.top() + l.a15.rect.height(), PanelThickness, std::max(0, in.driveStripLength));

    l.a3 = Show(0, l.a2.rect.top() + l.a2.rect.height(), PanelThickness, 19);
    l.Bev3 = Separator(o, 1);
    l.bev31 = Separator(o, 4);
    l.bScrLeft = Show(0, 7, PanelThickness, 11);

    const int viewTop = l.a3.rect.top() + 19;
    l.a4m = Show(0, viewTop, PanelThickness, std::max(0, in.clientHeight - viewTop - EndReserve));
    l.a4 = Show(0, 0, PanelThickness, std::max(0, in.programStripLength));

    l.a5 = Show(0, l.a4m.rect.top() + l.a4m.rect.height(), PanelThickness, 14);
    l.bScrRight = Show(0, 1, PanelThickness, 11);
    // A column is too narrow for the web label.

    l.scroll.Reset(l.a4.rect.height(), l.a4m.rect.height());
}

} // namespace

std::optional<BarOrientation> OrientationFor(TAppBarEdge edge)
{
    switch (edge) {
    case abeLeft:
    case abeRight:
        return BarOrientation::Vertical;
    case abeTop:
    case abeBottom:
    case abeFloat:
        return BarOrientation::Horizontal;
    default:
        return std::nullopt;
    }
}

QRect BarLayout::ScrolledProgramStrip() const
{
    const int offset = scroll.ScrollOffset();
    return orientation == BarOrientation::Horizontal ? a4.rect.translated(-offset, 0) : a4.rect.translated(0, -offset);
}

std::optional<BarLayout> FormResize(const BarLayoutInput& in)
{
    const auto orientation = OrientationFor(in.edge);
    if (!orientation)
        return std::nullopt;
    BarLayout layout;
    layout.orientation = *orientation;
    if (*orientation == BarOrientation::Horizontal)
        LayOutHorizontal(in, layout);
    else
        LayOutVertical(in, layout);
    return layout;
}

AccentSquares FormPaintSquares(int clientWidth, int clientHeight)
{
    return {QRect(0, 0, 30, 30), QRect(clientWidth - 30, clientHeight - 30, 30, 30)};
}

} // namespace parvo
