#pragma once

#include "PixelArt.h"

#include <QImage>

#include <span>

namespace parvo::pictures {

// The glyph strip of the bar buttons and menus ("data5.mke"): PopupCellCount cells of
// 16 x 16 side by side on the transparent colour.
inline constexpr int PopupCellCount = 54;

QImage makePopupStrip();

// The layers of one cell, for pictures that show the same thing elsewhere.
std::span<const Layer> popupGlyph(int cell);

}  // namespace parvo::pictures
