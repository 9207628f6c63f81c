#pragma once
// The strips windows reserve at the screen edges, as window managers read them: twelve
// numbers of `_NET_WM_STRUT_PARTIAL` (or the four of the older `_NET_WM_STRUT`, which
// reserve the whole length of an edge), counted from the edges of the root window.

#include "bar/AppBarGeometry.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QtGlobal>

namespace parvo {

struct EwmhStrut {
    quint32 left = 0;
    quint32 right = 0;
    quint32 top = 0;
    quint32 bottom = 0;
    quint32 left_start_y = 0;
    quint32 left_end_y = 0;
    quint32 right_start_y = 0;
    quint32 right_end_y = 0;
    quint32 top_start_x = 0;
    quint32 top_end_x = 0;
    quint32 bottom_start_x = 0;
    quint32 bottom_end_x = 0;

    bool isEmpty() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    bool operator==(const EwmhStrut&) const = default;
};

// The reservation of a bar docked at `edge` on `strip` of a root window of `root` size;
// nothing for any other edge or an empty strip.
EwmhStrut StrutFor(TAppBarEdge edge, const QRect& strip, QSize root);

// The older four-number form: each edge reserved along its whole length.
EwmhStrut StrutFromLegacy(quint32 left, quint32 right, quint32 top, quint32 bottom, QSize root);

// The strips a window holds: the part of each reserved region its window covers, or the
// whole region when the window lies elsewhere (a panel hidden away, say).
QList<DockedStrip> StripsOfStrut(const EwmhStrut& strut, const QRect& window, QSize root);

} // namespace parvo
