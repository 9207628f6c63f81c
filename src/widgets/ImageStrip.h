#pragma once
// A picture cut into square cells of a fixed width: the glyph strips of the bar and its
// menus. A cell number selects a glyph; fuchsia marks the transparent pixels.

#include <QImage>
#include <QPixmap>

namespace parvo {

class ImageStrip {
public:
    ImageStrip() = default;
    // With cellWidth 0 the whole image is one cell.
    ImageStrip(const QImage& image, int cellWidth);

    int count() const;
    int cellWidth() const { return cellWidth_; }
    bool isNull() const { return image_.isNull(); }
    const QImage& image() const { return image_; }
    // The cell with fuchsia made transparent; a null pixmap for a cell the strip lacks.
    QPixmap cell(int index) const;

private:
    QImage image_; // with an alpha channel, fuchsia already cleared
    int cellWidth_ = 0;
};

// The transparent colour of every glyph strip.
inline constexpr QRgb Fuchsia = 0xFFFF00FF;

} // namespace parvo
