#include "bar/Monitors.h"

#include <QtMath>

#include <algorithm>
#include <limits>

namespace parvo {

namespace {

// The toolkit's rounding: each coordinate and each side length on its own.
int Scale(int v, qreal factor) { return qRound(v * factor); }

qint64 DistanceSquared(const QRect& r, QPoint p)
{
    const qint64 dx = p.x() < r.left() ? r.left() - p.x() : p.x() > r.right() ? p.x() - r.right() : 0;
    const qint64 dy = p.y() < r.top() ? r.top() - p.y() : p.y() > r.bottom() ? p.y() - r.bottom() : 0;
    return dx * dx + dy * dy;
}

} // namespace

Monitor Monitor::Scaled(const QRect& logical, qreal scale, const QString& name)
{
    return {logical, QRect(logical.topLeft(), QSize(Scale(logical.width(), scale), Scale(logical.height(), scale))),
            scale, name};
}

QRect ToPhysical(const QRect& r, const Monitor& m)
{
    const QPoint origin = m.logical.topLeft();
    const QPoint at = r.topLeft() - origin;
    return {m.physical.topLeft() + QPoint(Scale(at.x(), m.scale), Scale(at.y(), m.scale)),
            QSize(Scale(r.width(), m.scale), Scale(r.height(), m.scale))};
}

QRect ToLogical(const QRect& r, const Monitor& m)
{
    const qreal inverse = m.scale > 0 ? 1 / m.scale : 1;
    const QPoint at = r.topLeft() - m.physical.topLeft();
    return {m.logical.topLeft() + QPoint(Scale(at.x(), inverse), Scale(at.y(), inverse)),
            QSize(Scale(r.width(), inverse), Scale(r.height(), inverse))};
}

int MonitorAt(const QList<Monitor>& monitors, QPoint logical)
{
    int best = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (int i = 0; i < monitors.size(); ++i) {
        const qint64 d = DistanceSquared(monitors[i].logical, logical);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

bool IsOuterEdge(const QList<Monitor>& monitors, int index, TAppBarEdge edge)
{
    if (index < 0 || index >= monitors.size())
        return false;
    const QRect p = monitors[index].physical;
    QRect beyond;
    switch (edge) {
    case abeLeft: beyond = QRect(p.left() - 1, p.top(), 1, p.height()); break;
    case abeTop: beyond = QRect(p.left(), p.top() - 1, p.width(), 1); break;
    case abeRight: beyond = QRect(p.right() + 1, p.top(), 1, p.height()); break;
    case abeBottom: beyond = QRect(p.left(), p.bottom() + 1, p.width(), 1); break;
    default: return false;
    }
    for (int i = 0; i < monitors.size(); ++i) {
        if (i != index && monitors[i].physical.intersects(beyond))
            return false;
    }
    return true;
}

QList<DockedStrip> LogicalStrips(const QList<DockedStrip>& physical, const QList<Monitor>& monitors)
{
    QList<DockedStrip> strips;
    for (const DockedStrip& s : physical) {
        for (const Monitor& m : monitors) {
            const QRect piece = s.strip.intersected(m.physical);
            if (!piece.isEmpty())
                strips.append({s.edge, ToLogical(piece, m)});
        }
    }
    return strips;
}

QList<DockedStrip> StripsOn(const QRect& monitor, const QList<DockedStrip>& strips)
{
    QList<DockedStrip> on;
    for (const DockedStrip& s : strips) {
        const QRect piece = s.strip.intersected(monitor);
        if (!piece.isEmpty())
            on.append({s.edge, piece});
    }
    return on;
}

QRect MonitorWorkArea(const QRect& monitor, const QList<DockedStrip>& strips)
{
    QRect area = monitor;
    for (const DockedStrip& s : StripsOn(monitor, strips)) {
        switch (s.edge) {
        case abeLeft: area.setLeft(std::max(area.left(), s.strip.right() + 1)); break;
        case abeTop: area.setTop(std::max(area.top(), s.strip.bottom() + 1)); break;
        case abeRight: area.setRight(std::min(area.right(), s.strip.left() - 1)); break;
        case abeBottom: area.setBottom(std::min(area.bottom(), s.strip.top() - 1)); break;
        default: break;
        }
    }
    // Strips that leave nothing are not believed.
    return area.isValid() ? area : monitor;
}

} // namespace parvo
