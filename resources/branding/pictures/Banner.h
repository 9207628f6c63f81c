#pragma once

#include <QImage>
#include <QList>
#include <QRgb>
#include <QSize>

namespace parvo::pictures {

// The animated banner of the GO! dialog ("data4.mke"): the mark and the name with a
// tag line and a pointer to what is new, a second tag line, then the name sliding in
// again and the first tag line typed out; it loops.
// The dialog places a banner 468 pixels wide at left 14.
inline constexpr QSize BannerSize{468, 60};

struct BannerFrame
{
    QImage image;
    int delayCentiseconds = 0;
};

QList<BannerFrame> makeBannerFrames();

// The banner's colours: ramps between the brand colours it is drawn with, so that the
// smoothed edges of its letters and mark keep their shades in 256 colours.
QList<QRgb> bannerPalette();

}  // namespace parvo::pictures
