#pragma once

#include <QImage>

namespace parvo::pictures {

// The glyph strip of the bar buttons and menus ("data5.mke"): PopupCellCount cells of
// 16 x 16 side by side on the transparent colour.
inline constexpr int PopupCellCount = 54;

QImage makePopupStrip();

}  // namespace parvo::pictures
