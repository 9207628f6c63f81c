#include "PopupStrip.h"

#include "ActionArt.h"
#include "BadgeArt.h"
#include "DriveArt.h"
#include "FileArt.h"
#include "FolderArt.h"
#include "Palette.h"
#include "ShellArt.h"
#include "WebArt.h"

#include <array>
#include <vector>

namespace parvo::pictures {

namespace {

using namespace art;

using Glyph = std::vector<Layer>;

Glyph badged(Sprite base, Sprite badge, std::span<const Recolour> recolour = {})
{
    return {{base, {0, 0}, recolour}, {badge, BadgeCorner}};
}

// What each cell shows, by the place that uses it. The cell numbers are fixed by the
// program: menus and buttons ask for a cell by number.
const std::array<Glyph, PopupCellCount>& popupCells()
{
    static const std::array<Glyph, PopupCellCount> cells = {{
        /*  0 */ {{Folder, {0, 0}, GreyFolder}},  // a system folder past the eleven known ones
        /*  1 */ {{Info}},                      // about the program
        /*  2 */ {{Gear}},                      // configuration (main menu and program-button menu)
        /*  3 */ {{Book}},                      // help pages and the licence text
        /*  4 */ badged(Folder, GearBadge),     // system folders button; the start menu folder
        /*  5 */ {{ChainLink, {0, 3}}, {ChainLink, {5, 6}, LightLink}, {ChainLinkSide, {8, 6}}},  // your web links button
        /*  6 */ {{Globe}},                     // a web page: links, favourites, .htm files
        /*  7 */ badged(Globe, PlusBadge),      // add a web link
        /*  8 */ {{Folder}},                    // a folder
        /*  9 */ {{Folder, {0, 0}, PurpleFolder}},  // a favourite folder of the program's own
        /* 10 */ {{Envelope}},                  // an e-mail address
        /* 11 */ badged(Envelope, PlusBadge),   // add an e-mail address
        /* 12 */ {{Monitor}},                   // the desktop folder
        /* 13 */ badged(Folder, PageBadge),     // documents; recent documents
        /* 14 */ {{Star}},                      // favourites: button and folder
        /* 15 */ {{FontPage}},                  // the fonts folder
        /* 16 */ badged(Folder, WindowBadge),   // the programs folder of the start menu
        /* 17 */ badged(Folder, PlayBadge),     // the autostart folder
        /* 18 */ {{Clock}},                     // history
        /* 19 */ badged(Folder, GlobeBadge),    // temporary Internet files (cache)
        /* 20 */ {{Help}},                      // help button; "more about the program" sub-menu
        /* 21 */ {{Certificate}},               // licences page
        /* 22 */ {{Power}},                     // quit the program
        /* 23 */ {{Go}},                        // GO! button and GO! menu item
        /* 24 */ {{SmallEnvelope, {4, 1}, BackEnvelope}, {SmallEnvelope, {0, 6}}},  // your e-mail addresses button
        /* 25 */ {{HardDiskHigh}, {QuestionBadge, BadgeCorner}},  // drive of unknown kind
        /* 26 */ {{UsbStick}},                  // removable drive
        /* 27 */ {{HardDisk}},                  // fixed drive
        /* 28 */ {{HardDiskHigh}, {NetworkCable, {3, 9}}},  // network drive
        /* 29 */ {{Disc}},                      // CD-ROM drive
        /* 30 */ {{MemoryChip}},                // RAM disk
        /* 31 */ {{Refresh}},                   // update the program
        /* 32 */ {{ArrowUp}},                   // move the selected list row up
        /* 33 */ {{ArrowDown}},                 // move the selected list row down
        /* 34 */ {{Plus}},                      // add (list pages, folder window, program menu)
        /* 35 */ {{Cross}},                     // delete
        /* 36 */ {{Pencil}},                    // rename or edit
        /* 37 */ {{ViewMenu}},                  // view-style button of the folder window
        /* 38 */ {{LargeIcons}},                // view style 1: large icons
        /* 39 */ {{SmallIcons}},                // view style 2: small icons
        /* 40 */ {{ListView}},                  // view style 3: list
        /* 41 */ {{DetailsView}},               // view style 4: details
        /* 42 */ {{ScrollLeft}},                // scroll the program buttons back, horizontal bar
        /* 43 */ {{ScrollUp}},                  // scroll the program buttons back, vertical bar
        /* 44 */ {{ScrollRight}},               // scroll the program buttons on, horizontal bar
        /* 45 */ {{ScrollDown}},                // scroll the program buttons on, vertical bar
        /* 46 */ {{DropMark}},                  // drop-down mark, spare for narrow buttons
        /* 47 */ {{DriveListMark}},             // drive-list button (11 pixels across)
        /* 48 */ {{Magnifier}},                 // search the Internet
        /* 49 */ {{BlankPage}},                 // a file of any other kind
        /* 50 */ {{TextPage}},                  // text and office documents
        /* 51 */ {{AppWindow}},                 // programs and scripts
        /* 52 */ {{MusicNote}},                 // sound files
        /* 53 */ {{Archive}},                   // archives
    }};
    return cells;
}

}  // namespace

std::span<const Layer> popupGlyph(int cell)
{
    return popupCells().at(std::size_t(cell));
}

QImage makePopupStrip()
{
    QImage strip(16 * PopupCellCount, 16, QImage::Format_RGB32);
    strip.fill(brand::Transparent);
    for (int cell = 0; cell < PopupCellCount; ++cell)
        paintCell(strip, cell, popupCells()[std::size_t(cell)]);
    return strip;
}

}  // namespace parvo::pictures
