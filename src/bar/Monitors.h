#pragma once
// The monitors of a desktop, as the bar sees them and as the window system counts them.
// The bar works in device-independent pixels; the window system reads every property
// (struts, the work area, window places) in its own, physical pixels. A scaled monitor
// keeps its top-left corner in both and has its size divided by its scale, which is how
// the toolkit maps one to the other.
//
// The edges of a monitor that touch another monitor are inner edges: a strip reserved
// there would be counted from the edge of the whole desktop and swallow the neighbour.

#include "bar/AppBarGeometry.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

namespace parvo {

struct Monitor {
    QRect logical;  // in the bar's pixels
    QRect physical; // in the window system's pixels
    qreal scale = 1;
    QString name;
    bool operator==(const Monitor&) const = default;

    // A monitor of `logical` geometry at `scale`, its physical size rounded as the
    // toolkit rounds it.
    static Monitor Scaled(const QRect& logical, qreal scale, const QString& name = {});
};

QRect ToPhysical(const QRect& r, const Monitor& m);
QRect ToLogical(const QRect& r, const Monitor& m);

// The monitor under a point, or the nearest one; -1 without monitors.
int MonitorAt(const QList<Monitor>& monitors, QPoint logical);

// True when no other monitor lies beyond `edge` of monitor `index`.
bool IsOuterEdge(const QList<Monitor>& monitors, int index, TAppBarEdge edge);

// Strips given in physical pixels, cut at the monitors' borders and mapped to the bar's
// pixels; what lies on no monitor is dropped.
QList<DockedStrip> LogicalStrips(const QList<DockedStrip>& physical, const QList<Monitor>& monitors);

// The strips that lie on `monitor`, cut to it.
QList<DockedStrip> StripsOn(const QRect& monitor, const QList<DockedStrip>& strips);

// What of `monitor` the strips at its edges leave free.
QRect MonitorWorkArea(const QRect& monitor, const QList<DockedStrip>& strips);

} // namespace parvo
