#include "bar/AppBarGeometry.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace parvo {

namespace {

TAppBarFlags FlagOf(TAppBarEdge edge)
{
    switch (edge) {
    case abeLeft: return abfAllowLeft;
    case abeTop: return abfAllowTop;
    case abeRight: return abfAllowRight;
    case abeBottom: return abfAllowBottom;
    case abeFloat: return abfAllowFloat;
    case abeUnknown: break;
    }
    return 0;
}

bool IsHorizontalEdge(TAppBarEdge edge) { return edge == abeTop || edge == abeBottom; }

// How far a rectangle lies from the screen's `edge`: [near, far) in pixels inwards.
std::pair<int, int> DepthFromEdge(TAppBarEdge edge, const QRect& r, const QRect& screen)
{
    switch (edge) {
    case abeLeft: return {r.left() - screen.left(), r.right() + 1 - screen.left()};
    case abeTop: return {r.top() - screen.top(), r.bottom() + 1 - screen.top()};
    case abeRight: return {screen.right() - r.right(), screen.right() + 1 - r.left()};
    case abeBottom: return {screen.bottom() - r.bottom(), screen.bottom() + 1 - r.top()};
    default: return {0, 0};
    }
}

int Lerp(int from, int to, int elapsed, int total)
{
    return from + static_cast<int>(static_cast<qint64>(to - from) * elapsed / total);
}

} // namespace

bool IsScreenEdge(TAppBarEdge edge) { return edge <= abeBottom; }

bool EdgeAllowed(TAppBarEdge edge, TAppBarFlags flags) { return (flags & FlagOf(edge)) != 0; }

std::optional<TAppBarEdge> EdgeFromFloating(quint32 value)
{
    switch (value) {
    case 0: return abeFloat;
    case 1: return abeLeft;
    case 2: return abeTop;
    case 3: return abeRight;
    case 4: return abeBottom;
    default: return std::nullopt;
    }
}

quint32 FloatingFromEdge(TAppBarEdge edge)
{
    switch (edge) {
    case abeLeft: return 1;
    case abeTop: return 2;
    case abeRight: return 3;
    case abeBottom: return 4;
    default: return 0;
    }
}

AppBarSizes AppBarSizes::ForScreen(QSize screen)
{
    AppBarSizes s;
    s.MaxWidth = screen.width();
    s.MaxHeight = screen.height();
    s.MaxHorzDockSize = screen.height() / 2;
    s.MaxVertDockSize = screen.width() / 2;
    return s;
}

QSize FloatClientSize(const QRect& floatRect)
{
    return {floatRect.width(), std::max(0, floatRect.height() - FloatFrameHeight)};
}

QRect FloatRectFor(QPoint framePosition, QSize clientSize)
{
    return {framePosition, QSize(clientSize.width(), clientSize.height() + FloatFrameHeight)};
}

TAppBarEdge ProposeEdge(const EdgeProposal& in)
{
    const bool floatAllowed = EdgeAllowed(abeFloat, in.flags);
    if (in.ctrlHeld && floatAllowed)
        return abeFloat;
    const bool anyEdge = (in.flags & (abfAllowLeft | abfAllowTop | abfAllowRight | abfAllowBottom)) != 0;
    if (!anyEdge)
        return floatAllowed ? abeFloat : in.current;
    const QRect inner = in.workArea.adjusted(in.scrollBar.width(), in.scrollBar.height(), -in.scrollBar.width(),
                                             -in.scrollBar.height());
    if (floatAllowed && inner.contains(in.pointer))
        return abeFloat;

    // The screen's diagonals split it into four triangles, one per edge.
    const qint64 w = in.screen.width();
    const qint64 h = in.screen.height();
    const qint64 dx = in.pointer.x() - (in.screen.left() + in.screen.width() / 2);
    const qint64 dy = in.pointer.y() - (in.screen.top() + in.screen.height() / 2);
    TAppBarEdge edge;
    if (h * std::llabs(dx) < w * std::llabs(dy))
        edge = dy < 0 ? abeTop : abeBottom;
    else
        edge = dx < 0 ? abeLeft : abeRight;
    if (!EdgeAllowed(edge, in.flags))
        return floatAllowed ? abeFloat : in.current;
    return edge;
}

QRect DockArea(TAppBarEdge edge, int thickness, const QRect& screen, const QList<DockedStrip>& others)
{
    if (!IsScreenEdge(edge))
        return screen;

    // The nearest place at the bar's own edge that no other strip there overlaps. Every
    // step moves past one strip, so the search ends.
    int depth = 0;
    for (bool moved = true; moved;) {
        moved = false;
        for (const DockedStrip& o : others) {
            if (o.edge != edge)
                continue;
            const auto [nearSide, farSide] = DepthFromEdge(edge, o.strip, screen);
            if (nearSide < depth + thickness && farSide > depth) {
                depth = farSide;
                moved = true;
            }
        }
    }
    QRect area = screen;
    switch (edge) {
    case abeLeft: area.setLeft(screen.left() + depth); break;
    case abeTop: area.setTop(screen.top() + depth); break;
    case abeRight: area.setRight(screen.right() - depth); break;
    default: area.setBottom(screen.bottom() - depth); break;
    }

    // Bars at the neighbouring edges shorten the strip where they cross it.
    AppBarSizes depthOnly;
    depthOnly.HorzDockSize = thickness;
    depthOnly.VertDockSize = thickness;
    const QRect band = DockRect(edge, area, depthOnly);
    const QRect bounds = area;
    for (const DockedStrip& o : others) {
        if (!IsScreenEdge(o.edge) || IsHorizontalEdge(o.edge) == IsHorizontalEdge(edge) || !o.strip.intersects(band))
            continue;
        switch (o.edge) {
        case abeLeft: area.setLeft(std::max(area.left(), o.strip.right() + 1)); break;
        case abeRight: area.setRight(std::min(area.right(), o.strip.left() - 1)); break;
        case abeTop: area.setTop(std::max(area.top(), o.strip.bottom() + 1)); break;
        default: area.setBottom(std::min(area.bottom(), o.strip.top() - 1)); break;
        }
    }
    // Neighbours that leave nothing are ignored rather than giving the bar no length.
    return area.isValid() ? area : bounds;
}

int DockThickness(TAppBarEdge edge, const AppBarSizes& sizes)
{
    return IsHorizontalEdge(edge) ? sizes.HorzDockSize : sizes.VertDockSize;
}

QRect DockRect(TAppBarEdge edge, const QRect& area, const AppBarSizes& sizes)
{
    const int h = sizes.HorzDockSize;
    const int v = sizes.VertDockSize;
    switch (edge) {
    case abeLeft: return {area.left(), area.top(), v, area.height()};
    case abeTop: return {area.left(), area.top(), area.width(), h};
    case abeRight: return {area.right() + 1 - v, area.top(), v, area.height()};
    case abeBottom: return {area.left(), area.bottom() + 1 - h, area.width(), h};
    default: return area;
    }
}

QRect AutoHidePlace(TAppBarEdge edge, const QRect& docked, const QRect& screen, QSize border, bool shown)
{
    QRect r = docked;
    const int w = docked.width();
    const int h = docked.height();
    switch (edge) {
    case abeLeft: r.moveLeft(shown ? screen.left() : screen.left() + 2 * border.width() - w); break;
    case abeTop: r.moveTop(shown ? screen.top() : screen.top() + 2 * border.height() - h); break;
    case abeRight:
        r.moveLeft(shown ? screen.left() + screen.width() - w : screen.left() + screen.width() - 2 * border.width());
        break;
    case abeBottom:
        r.moveTop(shown ? screen.top() + screen.height() - h : screen.top() + screen.height() - 2 * border.height());
        break;
    default: break;
    }
    return r;
}

bool PointerAwayFromBar(const QRect& bar, QPoint pointer, QSize doubleClickArea)
{
    const int dx = 2 * doubleClickArea.width();
    const int dy = 2 * doubleClickArea.height();
    return !bar.adjusted(-dx, -dy, dx, dy).contains(pointer);
}

QRect SlideStep(const QRect& from, const QRect& to, int elapsedMs, int slideTimeMs)
{
    if (slideTimeMs <= 0 || elapsedMs >= slideTimeMs)
        return to;
    if (elapsedMs <= 0)
        return from;
    // Right and bottom as the sides' outer coordinates, so the size moves linearly too.
    const int left = Lerp(from.left(), to.left(), elapsedMs, slideTimeMs);
    const int top = Lerp(from.top(), to.top(), elapsedMs, slideTimeMs);
    const int right = Lerp(from.left() + from.width(), to.left() + to.width(), elapsedMs, slideTimeMs);
    const int bottom = Lerp(from.top() + from.height(), to.top() + to.height(), elapsedMs, slideTimeMs);
    return {left, top, right - left, bottom - top};
}

SizeLimits TrackingLimits(TAppBarEdge edge, const AppBarSizes& sizes, QSize screen)
{
    if (!IsScreenEdge(edge))
        return {{sizes.MinWidth, sizes.MinHeight}, {sizes.MaxWidth, sizes.MaxHeight}};
    SizeLimits limits{{sizes.MinVertDockSize, sizes.MinHorzDockSize}, screen};
    if (IsHorizontalEdge(edge))
        limits.maximum.setHeight(std::min(screen.height(), sizes.MaxHorzDockSize));
    else
        limits.maximum.setWidth(std::min(screen.width(), sizes.MaxVertDockSize));
    return limits;
}

SizingSides ResizableSides(TAppBarEdge edge, const AppBarSizes& sizes)
{
    const bool horz = sizes.HorzSizeInc != 0;
    const bool vert = sizes.VertSizeInc != 0;
    SizingSides s;
    switch (edge) {
    case abeFloat: s = {horz, vert, horz, vert}; break;
    case abeLeft: s.right = horz; break;
    case abeRight: s.left = horz; break;
    case abeTop: s.bottom = vert; break;
    case abeBottom: s.top = vert; break;
    case abeUnknown: break;
    }
    return s;
}

WindowSizeHints SizeHintsFor(TAppBarEdge edge, const AppBarSizes& sizes, QSize screen, QSize current)
{
    const SizingSides sides = ResizableSides(edge, sizes);
    const SizeLimits limits = TrackingLimits(edge, sizes, screen);
    const bool horz = sides.left || sides.right;
    const bool vert = sides.top || sides.bottom;
    WindowSizeHints hints;
    hints.minimum = {horz ? limits.minimum.width() : current.width(), vert ? limits.minimum.height() : current.height()};
    hints.maximum = {horz ? limits.maximum.width() : current.width(), vert ? limits.maximum.height() : current.height()};
    hints.increment = {horz ? sizes.HorzSizeInc : 0, vert ? sizes.VertSizeInc : 0};
    hints.base = hints.minimum;
    return hints;
}

QRect FloatRectAtPointer(QSize floatSize, QPoint pointer)
{
    return {pointer.x() - floatSize.width() / 2, pointer.y(), floatSize.width(), floatSize.height()};
}

MoveEnd EndOfMove(TAppBarEdge before, TAppBarEdge proposed, const QRect& dragged, const QRect& floatRect,
                  const QRect& workArea, const AppBarSizes& sizes)
{
    MoveEnd end{proposed, floatRect, sizes.HorzDockSize, sizes.VertDockSize};
    if (proposed == before) {
        if (IsHorizontalEdge(proposed))
            end.HorzDockSize = dragged.height();
        else if (IsScreenEdge(proposed))
            end.VertDockSize = dragged.width();
    }
    if (proposed == abeFloat) {
        if (before == abeFloat) {
            end.floatRect = dragged;
        } else {
            const bool spansWorkArea = dragged.width() >= workArea.width() || dragged.height() >= workArea.height();
            end.floatRect = QRect(dragged.topLeft(), spansWorkArea ? floatRect.size() : dragged.size());
        }
    }
    return end;
}

} // namespace parvo
