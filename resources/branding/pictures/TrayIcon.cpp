#include "TrayIcon.h"

#include "BrandMark.h"
#include "Palette.h"
#include "PixelArt.h"

#include <QPainter>

#include <string_view>

namespace parvo::pictures {

namespace {

// At 16 pixels smoothing would blur the letter: the mark is set pixel by pixel.
constexpr std::string_view Mark16[] = {
    "................",
    "..pppppppppppp..",
    ".pppppppppppppp.",
    ".pppwwwwwwppppp.",
    ".pppwwwwwwwpppp.",
    ".pppwwppppwwppp.",
    ".pppwwppppwwppp.",
    ".pppwwppppwwppp.",
    ".pppwwwwwwwpppp.",
    ".pppwwwwwwppppp.",
    ".pppwwppppppppp.",
    ".pppwwppppppppp.",
    ".pppwwppppppppp.",
    ".pppppppppppppp.",
    "..pppppppppppp..",
    "................",
};

}  // namespace

QList<QImage> makeTrayIcons()
{
    QList<QImage> icons;
    for (int size : TrayIconSizes) {
        QImage icon(size, size, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        if (size == 16) {
            paintSprite(icon, {0, 0}, Mark16);
            icons.append(icon);
            continue;
        }
        QPainter painter(&icon);
        painter.setRenderHint(QPainter::Antialiasing);
        // A one-pixel margin at the small sizes, a little more at the large ones, so
        // that the mark does not touch the panel's neighbouring icons.
        const qreal margin = size <= 24 ? 1 : size / 16.0;
        paintBrandMark(painter, QRectF(margin, margin, size - 2 * margin, size - 2 * margin),
                       brand::Accent, brand::White);
        painter.end();
        icons.append(icon);
    }
    return icons;
}

}  // namespace parvo::pictures
