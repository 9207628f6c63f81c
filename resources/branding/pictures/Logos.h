#pragma once

#include <QImage>

namespace parvo::pictures {

// The logos on the bar's main-menu button: a purple plate with the mark and the name
// in white, on the transparent colour. Only the plate's square-cut outline meets the
// transparent colour; everything smoothed lies inside the plate.
//
// Horizontal ("data6.mke"), for bars along the top or bottom and the floating bar:
// HorizontalLogoHeight high (the buttons are 22), as wide as the name needs.
inline constexpr int HorizontalLogoHeight = 18;
QImage makeHorizontalLogo();

// Vertical ("data7.mke"), for bars along the left or right edge (the buttons are 30
// wide): VerticalLogoWidth wide, the name reading upwards under the mark. The bar
// makes that button as high as the horizontal logo is wide, plus 6, so the vertical
// logo takes the horizontal logo's width as its height.
inline constexpr int VerticalLogoWidth = 22;
QImage makeVerticalLogo(int height);

}  // namespace parvo::pictures
