#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace parvo::pictures {

// The pictures of the folder lists, compiled into the program as bitmaps named after
// what they show: "WIN1" … "WIN9" and "WIN0" for the system folders (desktop,
// documents, favourites, fonts, send to, start menu, programs, autostart, history,
// Internet cache) and "PvF" for the user's own favourite folders, each at 16 pixels,
// and at 32 pixels under the same name followed by "L". Fuchsia is transparent.
struct NamedPicture
{
    QString name;
    QImage image;
};

QList<NamedPicture> makeFolderListPictures();

// Doubles a pixel picture, rounding its diagonal steps instead of only widening them:
// each pixel becomes four, and a corner of the four takes a neighbour's colour where
// the two neighbours meeting at that corner agree (and the other two do not).
QImage scale2x(const QImage& image);

}  // namespace parvo::pictures
