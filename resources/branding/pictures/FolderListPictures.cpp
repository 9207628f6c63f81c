#include "FolderListPictures.h"

#include "BadgeArt.h"
#include "FolderArt.h"
#include "Palette.h"
#include "PopupStrip.h"

#include <array>

namespace parvo::pictures {

namespace {

using namespace art;

// "Send to" has no glyph on the bar or in its menus; the others are the menus' pictures
// of the same folders.
constexpr Layer SendTo[] = {{Folder}, {SendBadge, BadgeCorner}};

struct Source
{
    const char* name;
    int popupCell;  // -1: SendTo
};

constexpr std::array<Source, 11> Sources = {{
    {"WIN1", 12},  // desktop
    {"WIN2", 13},  // documents, recent documents
    {"WIN3", 14},  // favourites
    {"WIN4", 15},  // fonts
    {"WIN5", -1},  // send to
    {"WIN6", 4},   // start menu
    {"WIN7", 16},  // programs
    {"WIN8", 17},  // autostart
    {"WIN9", 18},  // history
    {"WIN0", 19},  // Internet cache
    {"PvF", 9},    // the user's own favourite folders
}};

QImage smallPicture(const Source& source)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(brand::Transparent);
    paintCell(image, 0, source.popupCell < 0 ? std::span<const Layer>(SendTo) : popupGlyph(source.popupCell));
    return image;
}

}  // namespace

QList<NamedPicture> makeFolderListPictures()
{
    QList<NamedPicture> pictures;
    for (const Source& source : Sources) {
        const QImage small = smallPicture(source);
        pictures.append({QString::fromLatin1(source.name), small});
        pictures.append({QString::fromLatin1(source.name) + QLatin1Char('L'), scale2x(small)});
    }
    return pictures;
}

QImage scale2x(const QImage& image)
{
    const QImage in = image.convertToFormat(QImage::Format_RGB32);
    const int w = in.width();
    const int h = in.height();
    QImage out(2 * w, 2 * h, QImage::Format_RGB32);
    // Outside the picture counts as the pixel itself, so the border never borrows.
    const auto at = [&](int x, int y, QRgb self) {
        return x < 0 || y < 0 || x >= w || y >= h ? self : in.pixel(x, y);
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb p = in.pixel(x, y);
            const QRgb up = at(x, y - 1, p);
            const QRgb down = at(x, y + 1, p);
            const QRgb left = at(x - 1, y, p);
            const QRgb right = at(x + 1, y, p);
            QRgb topLeft = p, topRight = p, bottomLeft = p, bottomRight = p;
            if (up != down && left != right) {
                if (left == up)
                    topLeft = left;
                if (up == right)
                    topRight = right;
                if (left == down)
                    bottomLeft = left;
                if (down == right)
                    bottomRight = right;
            }
            out.setPixel(2 * x, 2 * y, topLeft);
            out.setPixel(2 * x + 1, 2 * y, topRight);
            out.setPixel(2 * x, 2 * y + 1, bottomLeft);
            out.setPixel(2 * x + 1, 2 * y + 1, bottomRight);
        }
    }
    return out;
}

}  // namespace parvo::pictures
