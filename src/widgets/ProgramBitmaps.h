#pragma once
// The bitmaps compiled into the program: the folder lists' pictures, drawn at build time
// on fuchsia, which is their transparent colour.

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>

namespace parvo {

// The bitmap `name` ("WIN1", "PvFL" …) with fuchsia made transparent; a null pixmap for
// a name the program does not hold.
QPixmap ProgramBitmap(const QString& name);

// `FolderListImages`: the favourite-folder picture, then the history picture, at 16
// pixels: the folder list of the copy / move dialog shows its rows with them.
QList<QPixmap> BuildFolderListImages();

// The favourite-folder window's pictures by image index: 0–8 "WIN1" … "WIN9", 9 "WIN0",
// 10 "PvF", each an icon holding the small (16) and the large (32) picture.
QList<QIcon> PvfolderImages();

} // namespace parvo
