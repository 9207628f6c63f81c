#include "bar/FloatingPlacement.h"

#include <algorithm>

namespace parvo {

QRect VisibleFloatingRect(const QRect& wanted, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return wanted;
    int widest = 0;
    for (const QRect& s : screens)
        widest = std::max(widest, s.width());
    QRect r(wanted.topLeft(), QSize(std::clamp(wanted.width(), MinFloatingWidth, std::max(MinFloatingWidth, widest)),
                                    wanted.height()));
    for (const QRect& s : screens) {
        const QRect seen = s.intersected(r);
        if (seen.width() >= std::min(MinVisibleWidth, r.width()) && seen.height() == r.height())
            return r;
    }
    const QRect& s = screens.first();
    r.setWidth(std::min(r.width(), s.width()));
    r.moveLeft(std::clamp(r.left(), s.left(), s.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), s.top(), std::max(s.top(), s.bottom() + 1 - r.height())));
    return r;
}

} // namespace parvo
