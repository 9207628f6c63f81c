#pragma once
// A floating bar must come up where the user can reach it, whatever the stored position
// says: a monitor that was unplugged, a hand-edited or damaged setting.

#include <QList>
#include <QRect>

namespace parvo {

inline constexpr int MinFloatingWidth = 100;
// How much of the bar must lie on some screen for it to stay where it was stored.
inline constexpr int MinVisibleWidth = 60;

// `wanted` is the stored floating rectangle (left, top, width, client height). The width
// is kept between MinFloatingWidth and the widest screen; a bar that would show less than
// MinVisibleWidth pixels (or not its full height) on every screen is moved onto the first
// screen, as near as possible to where it was.
QRect VisibleFloatingRect(const QRect& wanted, const QList<QRect>& screens);

} // namespace parvo
