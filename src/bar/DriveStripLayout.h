#pragma once
// The two strips the bar builds at run time, as geometry: the drive buttons in `a2`,
// sized and stepped by the `Layout` and `ClickLayout` options, and the program buttons
// in `a4`, one 22-pixel cell each. Also which drives are hidden.

#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace parvo {

// True when the drive with this letter is hidden: its lower-case letter occurs anywhere
// in `exceptDrives`.
bool IsDriveExcepted(QChar letter, const QString& exceptDrives);

inline constexpr int DefaultLayout = 1;
inline constexpr int DefaultClickLayout = 5;
// Width of the split button's arrow part at its right end.
inline constexpr int SplitArrowWidth = 11;

enum class DriveButtonDisplay { GlyphAndCaption, GlyphOnly, CaptionOnly };
enum class DriveGlyphPosition { LeftOfCaption, AboveCaption };

struct DriveButtonStyle {
    int Layout = DefaultLayout;           // the value in force, after falling back
    int ClickLayout = DefaultClickLayout; // likewise
    DriveButtonDisplay display = DriveButtonDisplay::GlyphAndCaption;
    DriveGlyphPosition glyphPosition = DriveGlyphPosition::LeftOfCaption;
    bool split = false;        // body opens the drive, arrow part drops the menu
    bool dropDownMenu = false; // the main popup menu drops from the button
    QSize size;                // every drive button has this size
    int step = 0;              // distance from one button to the next along the strip
};

// The style of the drive buttons. `Layout` outside 1–3 and `ClickLayout` outside 4–6 are
// treated as the defaults 1 and 5, so a damaged setting still gives usable buttons.
DriveButtonStyle DriveButtonStyleFor(bool horizontal, int layout, int clickLayout);

struct DriveStrip {
    DriveButtonStyle style;
    std::vector<QRect> buttons; // in letter order, relative to `a2`
    QSize a2;
    int extent = 0; // `a2` width (horizontal) or height (vertical); feeds the bar layout
};

// `ArrangeDriveButtons` for `count` shown drives.
DriveStrip ArrangeDriveButtons(bool horizontal, int count, int layout, int clickLayout);

inline constexpr int ProgramButtonStep = 22;

// `ArrangeProgramButtons`: the program buttons' rectangles relative to `a4`.
std::vector<QRect> ArrangeProgramButtons(bool horizontal, int count);
// The strip length `ArrangeProgramButtons` reports: 22 per button.
int ProgramStripLength(int count);

} // namespace parvo
