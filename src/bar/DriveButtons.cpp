#include "bar/DriveButtons.h"

#include "bar/DriveList.h"
#include "widgets/ImageStrip.h"
#include "widgets/TPlumBut.h"

namespace parvo {

DriveButtons::DriveButtons(QWidget* parent)
    : QWidget(parent)
{
}

void DriveButtons::setBarColors(const QColor& background, const QColor& text)
{
    background_ = background;
    text_ = text;
}

void DriveButtons::setDriveFont(int pointSize, bool bold)
{
    QFont f = font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    setFont(f); // the buttons inherit it
}

int DriveButtons::ArrangeDriveButtons(const QList<DriveInfo>& drives, bool horizontal, int layout, int clickLayout,
                                      const ImageStrip& popupImg)
{
    // A rebuild may come from inside a button's own event (a choice of its menu): the old
    // buttons go once that event has returned.
    for (TPlumBut* old : std::as_const(buttons_)) {
        old->hide();
        old->deleteLater();
    }
    buttons_.clear();
    drives_ = drives;
    const DriveStrip strip = parvo::ArrangeDriveButtons(horizontal, int(drives.size()), layout, clickLayout);
    resize(strip.a2);
    const DriveButtonStyle& style = strip.style;
    for (int i = 0; i < drives.size(); ++i) {
        const DriveInfo drive = drives.at(i);
        auto* button = new TPlumBut(this);
        // The glyph of the drive's kind, as the drive menus show it.
        const int cell = 25 + DriveKind(drive.type).value_or(2);
        if (style.display != DriveButtonDisplay::CaptionOnly)
            button->setGlyph(popupImg.cell(cell));
        if (style.display != DriveButtonDisplay::GlyphOnly)
            button->setText(QString(drive.letter.toUpper()));
        button->setVertical(!horizontal);
        button->setMenuPart(style.split ? TPlumBut::MenuPart::Arrow
                                        : (style.dropDownMenu ? TPlumBut::MenuPart::Whole : TPlumBut::MenuPart::None));
        button->setArrowLength(SplitArrowWidth);
        button->setShowArrow(style.dropDownMenu);
        button->setBarColors(background_, text_);
        button->setGeometry(strip.buttons[size_t(i)]);
        connect(button, &TPlumBut::entered, this, [this, drive, button] { emit entered(drive, button); });
        connect(button, &TPlumBut::left, this, &DriveButtons::left);
        connect(button, &TPlumBut::clicked, this, [this, drive] { emit clicked(drive); });
        connect(button, &TPlumBut::menuRequested, this, &DriveButtons::menuRequested);
        connect(button, &TPlumBut::rightClicked, this, [this, drive](const QPoint& at) { emit rightClicked(drive, at); });
        button->show();
        buttons_.append(button);
    }
    return strip.extent;
}

void DriveButtons::setDropHover(int index)
{
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setHovered(i == index);
}

} // namespace parvo
