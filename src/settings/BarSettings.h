#pragma once
// The live settings of the bar window: loaded from the registry at start-up, written back
// at the moment they change. Other parts of the program read these fields, never the
// registry.

#include "bar/AppBarEdge.h"

#include <QString>

namespace parvo {

struct BarSettings {
    // Placement (main key).
    int FloatLeft = 0;
    int FloatTop = 0;
    int FloatRight = 0;
    int FloatBottom = 0;
    int BarWidth = 0;
    TAppBarEdge Edge = abeFloat;
    QString ExceptDrives;

    // Options key.
    bool AlwaysOnTop = false;
    bool AutoHide = false;
    bool TrayIconVisible = true;
    int Layout = 1;      // 1 icon and letter, 2 icon only, 3 letter only
    int ClickLayout = 5; // 4 click and sub-folder menu, 5 menu only, 6 click only
    int DriveFontSize = 8;
    bool DriveFontBold = false;
    int Explorer = 1; // 1 file manager with its folder tree, 2 the folder through the desktop
    bool Button_favs = true;
    bool Button_email = true;
    bool Button_winfolders = true;
    bool Button_efolders = true;
    bool Button_slinks = true;
    bool Button_search = true;
    bool Drives_subfolders = true;
    bool Drives_files = true;
    bool Drives_hidden = false;
    bool Drives_fullimages = false;
};

// Placement and view of the Pvfolder window.
struct PvfolderPlacement {
    int Left = 100;
    int Top = 100;
    int Width = 400;
    int Height = 300;
    bool Maximised = false;
    int Tag = 0;  // 1 once a normal (not maximised) placement has been applied
    int View = 0; // 0 large icons, 1 small icons, 2 list, 3 details
    int Kol1 = 150;
    int Kol2 = 230;
};

} // namespace parvo
