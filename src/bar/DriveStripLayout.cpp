#include "bar/DriveStripLayout.h"

#include <algorithm>

namespace parvo {

bool IsDriveExcepted(QChar letter, const QString& exceptDrives)
{
    return exceptDrives.contains(letter.toLower(), Qt::CaseSensitive);
}

DriveButtonStyle DriveButtonStyleFor(bool horizontal, int layout, int clickLayout)
{
    DriveButtonStyle style;
    style.Layout = layout >= 1 && layout <= 3 ? layout : DefaultLayout;
    style.ClickLayout = clickLayout >= 4 && clickLayout <= 6 ? clickLayout : DefaultClickLayout;

    style.display = style.Layout == 1   ? DriveButtonDisplay::GlyphAndCaption
                    : style.Layout == 2 ? DriveButtonDisplay::GlyphOnly
                                        : DriveButtonDisplay::CaptionOnly;
    style.glyphPosition = horizontal ? DriveGlyphPosition::LeftOfCaption : DriveGlyphPosition::AboveCaption;

    // A horizontal button grows in width to make room for the letter beside the icon, a
    // vertical one in height for the letter below it.
    const int base = horizontal && style.Layout == 1 ? 54 : 32;
    const int height = !horizontal && style.Layout == 1 ? 44 : 22;

    int width = base;
    switch (style.ClickLayout) {
    case 4:
        style.split = true;
        style.dropDownMenu = true;
        // Full width; neighbouring split buttons overlap by their 2-pixel borders.
        break;
    case 5:
        style.dropDownMenu = true;
        width = base - 2;
        break;
    default: // 6
        width = horizontal ? base - 8 : base - 2;
        break;
    }
    style.size = QSize(width, height);
    style.step = horizontal ? (style.split ? base - 2 : width) : height;
    return style;
}

DriveStrip ArrangeDriveButtons(bool horizontal, int count, int layout, int clickLayout)
{
    DriveStrip strip;
    strip.style = DriveButtonStyleFor(horizontal, layout, clickLayout);
    count = std::max(0, count);
    strip.buttons.reserve(static_cast<std::size_t>(count));
    const QSize size = strip.style.size;
    for (int i = 0; i < count; ++i) {
        const int along = i * strip.style.step;
        strip.buttons.emplace_back(horizontal ? QPoint(along, 0) : QPoint(0, along), size);
    }
    if (horizontal) {
        strip.a2 = QSize(count * strip.style.step, 30);
        strip.extent = strip.a2.width();
    } else {
        strip.a2 = QSize(30, count * strip.style.step);
        strip.extent = strip.a2.height();
    }
    return strip;
}

std::vector<QRect> ArrangeProgramButtons(bool horizontal, int count)
{
    std::vector<QRect> buttons;
    count = std::max(0, count);
    buttons.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (horizontal)
            buttons.emplace_back(ProgramButtonStep * i, 0, 22, 22);
        else
            buttons.emplace_back(0, ProgramButtonStep * i, 30, 22);
    }
    return buttons;
}

int ProgramStripLength(int count) { return ProgramButtonStep * std::max(0, count); }

} // namespace parvo
