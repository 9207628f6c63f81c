#pragma once
// The favourite-folder window's geometry: where its tool row, list and status bar go for
// a client size, and where the window may come up whatever its stored place says.

#include <QList>
#include <QRect>

namespace parvo {

struct PvfolderLayout {
    QRect Panel1;  // tool row
    QRect btnwin, btne, Bevel1, btnview, Bevel2, btnadd, btndel, Bevel3, btned;
    QRect btnhelp; // right-aligned, in a 24-pixel panel at the row's end
    QRect List1;
    QRect status;
    // Status bar panels: 0 holds btninternet, 1 url1, 2 the path text.
    QRect panel0, panel1, panel2;
    QRect btninternet, url1;
};

inline constexpr int ToolRowHeight = 28;
inline constexpr int StatusHeight = 20;

// The measured widths the row needs: the web address's text (its panel is 8 wider) and
// the faces (glyph and caption) of the three captioned buttons, which are never made
// narrower than their usual 80, 80 and 70 pixels but grow for a larger font.
struct PvfolderTextWidths {
    int url1 = 0;
    int btnwin = 0;
    int btne = 0;
    int btned = 0;
};

PvfolderLayout LayOutPvfolder(int clientWidth, int clientHeight, const PvfolderTextWidths& widths);

inline constexpr int MinPvfolderWidth = 240;
inline constexpr int MinPvfolderHeight = 120;

// `wanted` is the stored place and size. The size is kept between the minimum and the
// largest screen; a window whose title row would not be on any screen, or that would
// show less than 100 by 40 pixels of itself, comes up on the first screen, as near as
// possible to where it was.
QRect VisiblePvfolderRect(const QRect& wanted, const QList<QRect>& screens);

} // namespace parvo
