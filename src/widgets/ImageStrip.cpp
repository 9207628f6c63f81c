#include "widgets/ImageStrip.h"

namespace parvo {

ImageStrip::ImageStrip(const QImage& image, int cellWidth)
    : image_(image.convertToFormat(QImage::Format_ARGB32))
    , cellWidth_(cellWidth > 0 ? cellWidth : image.width())
{
    for (int y = 0; y < image_.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = 0; x < image_.width(); ++x)
            if ((line[x] | 0xFF000000u) == Fuchsia)
                line[x] = 0;
    }
}

int ImageStrip::count() const
{
    return cellWidth_ > 0 ? image_.width() / cellWidth_ : 0;
}

QPixmap ImageStrip::cell(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return QPixmap::fromImage(image_.copy(index * cellWidth_, 0, cellWidth_, image_.height()));
}

} // namespace parvo
