#pragma once
// The geometry of a bar that docks to a screen edge, as plain computation over screen,
// work-area and window rectangles: which edge the pointer proposes while the bar is
// dragged, the strip the bar takes at an edge, where an auto-hide bar sits shown and
// hidden, the steps of a slide, the sizes a border drag may reach, what the end of a drag
// decides, and how the stored `Floating` value names an edge. The window applies the
// answers; nothing here touches a window or the desktop.
//
// Rectangles are QRect: left/top inclusive, width and height in pixels.

#include "bar/AppBarEdge.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

#include <optional>

namespace parvo {

// The edges a bar may be dragged to, and whether it may float.
enum TAppBarFlag : unsigned {
    abfAllowLeft = 1u << 0,
    abfAllowTop = 1u << 1,
    abfAllowRight = 1u << 2,
    abfAllowBottom = 1u << 3,
    abfAllowFloat = 1u << 4,
};
using TAppBarFlags = unsigned;
inline constexpr TAppBarFlags AllAppBarFlags =
    abfAllowLeft | abfAllowTop | abfAllowRight | abfAllowBottom | abfAllowFloat;

// Left, top, right or bottom: a bar there reserves a strip of the screen.
bool IsScreenEdge(TAppBarEdge edge);
bool EdgeAllowed(TAppBarEdge edge, TAppBarFlags flags);

// The stored `Floating` value: 0 floating, 1 left, 2 top, 3 right, 4 bottom. Other values
// name no edge.
std::optional<TAppBarEdge> EdgeFromFloating(quint32 value);
quint32 FloatingFromEdge(TAppBarEdge edge);

// The sizes a bar gives its docking base, in pixels. Zero increments forbid resizing
// along that axis; the maxima default to the screen (whole, or half for a docked strip).
struct AppBarSizes {
    int HorzSizeInc = 1;
    int VertSizeInc = 1;
    int HorzDockSize = 32; // height of a bar at the top or bottom
    int VertDockSize = 32; // width of a bar at the left or right
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    int MinHorzDockSize = 0;
    int MinVertDockSize = 0;
    int MaxHorzDockSize = 0;
    int MaxVertDockSize = 0;

    static AppBarSizes ForScreen(QSize screen);
};

// The floating rectangle kept in the settings: its top-left and width are the window's
// (inside its frame, where the window system keeps it), and its height counts the title
// and borders of a floating bar as FloatFrameHeight pixels (a bar of 22 has a rectangle
// 46 high).
inline constexpr int FloatFrameHeight = 24;
QSize FloatClientSize(const QRect& floatRect);
QRect FloatRectFor(QPoint framePosition, QSize clientSize);

// Where the pointer, during a drag, proposes to put the bar.
struct EdgeProposal {
    QPoint pointer;
    bool ctrlHeld = false;
    TAppBarFlags flags = AllAppBarFlags;
    TAppBarEdge current = abeFloat;
    QRect screen;
    QRect workArea;
    QSize scrollBar; // width of a vertical scroll bar, height of a horizontal one
};
TAppBarEdge ProposeEdge(const EdgeProposal& in);

// A strip another bar holds at a screen edge.
struct DockedStrip {
    TAppBarEdge edge = abeTop;
    QRect strip;
    bool operator==(const DockedStrip&) const = default;
};

// What is left of the screen for a bar `thickness` deep at `edge`, around the strips of
// the other bars: at its own edge the bar takes the nearest place no other strip
// overlaps; a strip at a neighbouring edge that crosses the bar's place shortens it. A
// bar that only looks at the others' places, never at how far they reserve, keeps its
// place when they move, so two bars at one edge settle instead of pushing each other
// away from it.
QRect DockArea(TAppBarEdge edge, int thickness, const QRect& screen, const QList<DockedStrip>& others);
// The depth of a docked strip at `edge`: `HorzDockSize` at the top and bottom,
// `VertDockSize` at the sides.
int DockThickness(TAppBarEdge edge, const AppBarSizes& sizes);
// The strip at `edge` of `area`.
QRect DockRect(TAppBarEdge edge, const QRect& area, const AppBarSizes& sizes);

// An auto-hide bar docked at `docked`: shown, it lies against its edge; hidden, only a
// strip two borders deep stays on the screen. The other coordinate does not change.
QRect AutoHidePlace(TAppBarEdge edge, const QRect& docked, const QRect& screen, QSize border, bool shown);
// True when the pointer has gone further from the bar than twice the double-click area on
// any side: time for a shown auto-hide bar to slide back.
bool PointerAwayFromBar(const QRect& bar, QPoint pointer, QSize doubleClickArea);

// The rectangle `elapsedMs` into a slide from `from` to `to` that lasts `slideTimeMs`:
// every side moves linearly; at or after the end, exactly `to`.
QRect SlideStep(const QRect& from, const QRect& to, int elapsedMs, int slideTimeMs);

// The sizes a bar may be dragged to: floating between `MinWidth`/`MinHeight` and
// `MaxWidth`/`MaxHeight`; docked at least `MinVertDockSize` wide and `MinHorzDockSize`
// high, at most the screen, and no deeper than half of it (`MaxVertDockSize` at the
// sides, `MaxHorzDockSize` at the top or bottom).
struct SizeLimits {
    QSize minimum;
    QSize maximum;
    bool operator==(const SizeLimits&) const = default;
};
SizeLimits TrackingLimits(TAppBarEdge edge, const AppBarSizes& sizes, QSize screen);

// The borders a user may drag: floating, the sides where the matching increment is not
// zero; docked, only the inner side, on the same condition.
struct SizingSides {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    bool operator==(const SizingSides&) const = default;
};
SizingSides ResizableSides(TAppBarEdge edge, const AppBarSizes& sizes);

// The size hints a window manager gets for a window of `current` size: an axis that may
// be resized ranges over the tracking limits in steps of its increment from the minimum;
// any other axis is held at its current size.
struct WindowSizeHints {
    QSize minimum;
    QSize maximum;
    QSize increment;
    QSize base;
    bool operator==(const WindowSizeHints&) const = default;
};
WindowSizeHints SizeHintsFor(TAppBarEdge edge, const AppBarSizes& sizes, QSize screen, QSize current);

// While a drag proposes floating after it proposed an edge, the bar takes its floating
// size with its top at the pointer, centred on it.
QRect FloatRectAtPointer(QSize floatSize, QPoint pointer);

// The end of a drag: the bar was at `before`, the pointer proposes `proposed`, the window
// was dragged to `dragged`. An unchanged edge keeps the dragged depth as its dock size; a
// bar that ends floating keeps the dragged rectangle as its floating rectangle, except a
// bar coming off an edge whose dragged rectangle spans the work area, which goes back to
// its previous floating size at the dragged place.
struct MoveEnd {
    TAppBarEdge edge = abeFloat;
    QRect floatRect;
    int HorzDockSize = 0;
    int VertDockSize = 0;
};
MoveEnd EndOfMove(TAppBarEdge before, TAppBarEdge proposed, const QRect& dragged, const QRect& floatRect,
                  const QRect& workArea, const AppBarSizes& sizes);

} // namespace parvo
