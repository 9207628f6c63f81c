#pragma once
// `FormResize` as a computation: from the edge, the client size, the optional buttons'
// visibility and the measured lengths of the logo, the two strips and the web label, the
// place of every panel, button and separator of the bar. Rectangles are relative to the
// parent panel (the panels themselves to the bar's client area). The window applies the
// result; it also saves the position and hides the task-bar entry, which are not
// geometry.

#include "bar/AppBarEdge.h"
#include "bar/ProgramStripScroll.h"

#include <QRect>

#include <optional>

namespace parvo {

enum class BarOrientation { Horizontal, Vertical };

// Top, bottom and floating bars lie in a row, left and right bars in a column; a bar at
// no edge (`abeUnknown`) is not laid out.
std::optional<BarOrientation> OrientationFor(TAppBarEdge edge);

struct BarLayoutInput {
    TAppBarEdge edge = abeFloat;
    int clientWidth = 0;
    int clientHeight = 0;
    // Visibility of the optional buttons, from the `Button_*` settings.
    bool bFavs = true;
    bool bSlinks = true;
    bool bMail = true;
    bool bWinFolders = true;
    bool bFolders = true;
    bool bCompSearch = true;
    int logoWidth = 0;          // width of the horizontal logo image
    int driveStripLength = 0;   // `ArrangeDriveButtons(...).extent` for this orientation
    int programStripLength = 0; // `ProgramStripLength(count)`
    bool HasWebAddress = false;
    int webLabelWidth = 0; // the web label's text measured in the bar's font
};

struct Placed {
    QRect rect; // empty when hidden
    bool shown = false;
};

struct BarLayout {
    BarOrientation orientation = BarOrientation::Horizontal;
    int HorzSizeInc = 0;

    // Menu-button group and its children.
    Placed a1, bInfH, bInf, Bev1, Bev11, bFavs, bSlinks, bMail, Bev12, bWinFolders, bFolders;
    // GO! group and its children.
    Placed a15, Bev2, Bev21, bComp, bCompSearch, Bev22, bScrDrv;
    // Drive strip; its buttons come from `ArrangeDriveButtons`.
    Placed a2;
    // Left scroll end.
    Placed a3, Bev3, bev31, bScrLeft;
    // Program viewport, and the program strip inside it at offset 0.
    Placed a4m, a4;
    // Right end with the web label.
    Placed a5, bScrRight, Url1;

    // `PopupImg` cells of the scroll buttons' glyphs, which point along the bar.
    int bScrLeftCell = 0;
    int bScrRightCell = 0;

    // The program strip's scrolling, reset for this layout's strip and viewport; it holds
    // the scroll buttons' enabled state.
    ProgramStripScroll scroll;

    // `a4` moved back by the scroll offset along the bar.
    QRect ScrolledProgramStrip() const;
};

std::optional<BarLayout> FormResize(const BarLayoutInput& in);

// `FormPaint`: the two accent-coloured squares in the bare corners of the bar.
struct AccentSquares {
    QRect topLeft;
    QRect bottomRight;
};
AccentSquares FormPaintSquares(int clientWidth, int clientHeight);

} // namespace parvo
