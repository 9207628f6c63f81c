#pragma once

#include <QImage>
#include <QList>

namespace parvo::pictures {

// The sizes of the tray icon ("data3.mke"): the panels of Linux desktops ask for
// anything from 16 to 48 pixels.
inline constexpr int TrayIconSizes[] = {16, 24, 32, 48};

// One image per size, in the order of TrayIconSizes: the mark on a transparent ground.
QList<QImage> makeTrayIcons();

}  // namespace parvo::pictures
