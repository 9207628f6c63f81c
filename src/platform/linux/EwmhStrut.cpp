#include "platform/linux/EwmhStrut.h"

#include <algorithm>

namespace parvo {

namespace {

quint32 Depth(int pixels) { return static_cast<quint32>(std::max(0, pixels)); }

// A range of a partial strut; both ends zero, as some programs leave them, means the
// whole length.
std::pair<int, int> Range(quint32 start, quint32 end, int length)
{
    if (start == 0 && end == 0)
        return {0, length - 1};
    return {static_cast<int>(start), static_cast<int>(std::max(start, end))};
}

} // namespace

EwmhStrut StrutFor(TAppBarEdge edge, const QRect& strip, QSize root)
{
    EwmhStrut s;
    if (strip.isEmpty())
        return s;
    const auto startX = Depth(strip.left());
    const auto endX = Depth(strip.right());
    const auto startY = Depth(strip.top());
    const auto endY = Depth(strip.bottom());
    switch (edge) {
    case abeLeft:
        s.left = Depth(strip.right() + 1);
        s.left_start_y = startY;
        s.left_end_y = endY;
        break;
    case abeTop:
        s.top = Depth(strip.bottom() + 1);
        s.top_start_x = startX;
        s.top_end_x = endX;
        break;
    case abeRight:
        s.right = Depth(root.width() - strip.left());
        s.right_start_y = startY;
        s.right_end_y = endY;
        break;
    case abeBottom:
        s.bottom = Depth(root.height() - strip.top());
        s.bottom_start_x = startX;
        s.bottom_end_x = endX;
        break;
    default: break;
    }
    return s;
}

EwmhStrut StrutFromLegacy(quint32 left, quint32 right, quint32 top, quint32 bottom, QSize root)
{
    const quint32 lastX = Depth(root.width() - 1);
    const quint32 lastY = Depth(root.height() - 1);
    return {left, right, top, bottom, 0, lastY, 0, lastY, 0, lastX, 0, lastX};
}

QList<DockedStrip> StripsOfStrut(const EwmhStrut& s, const QRect& window, QSize root)
{
    const int w = root.width();
    const int h = root.height();
    QList<DockedStrip> strips;
    auto add = [&](TAppBarEdge edge, const QRect& region) {
        if (region.isEmpty())
            return;
        const QRect covered = region.intersected(window);
        strips.append({edge, covered.isEmpty() ? region : covered});
    };
    if (s.left > 0) {
        const auto [y0, y1] = Range(s.left_start_y, s.left_end_y, h);
        add(abeLeft, QRect(QPoint(0, y0), QPoint(static_cast<int>(s.left) - 1, y1)));
    }
    if (s.right > 0) {
        const auto [y0, y1] = Range(s.right_start_y, s.right_end_y, h);
        add(abeRight, QRect(QPoint(w - static_cast<int>(s.right), y0), QPoint(w - 1, y1)));
    }
    if (s.top > 0) {
        const auto [x0, x1] = Range(s.top_start_x, s.top_end_x, w);
        add(abeTop, QRect(QPoint(x0, 0), QPoint(x1, static_cast<int>(s.top) - 1)));
    }
    if (s.bottom > 0) {
        const auto [x0, x1] = Range(s.bottom_start_x, s.bottom_end_x, w);
        add(abeBottom, QRect(QPoint(x0, h - static_cast<int>(s.bottom)), QPoint(x1, h - 1)));
    }
    return strips;
}

} // namespace parvo
