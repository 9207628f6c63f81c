#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace parvo::pictures {

// The program's mark: a rounded square with a bold "P" cut from straight strokes and
// one round bowl, so it looks the same at every size and on every machine (no font
// is involved). Used by the tray icon, the logos and the banner.
void paintBrandMark(QPainter& painter, const QRectF& square, QColor background, QColor letter);

}  // namespace parvo::pictures
