#pragma once
// The opening of the bar's one popup menu: it is emptied and built again from the menu
// key at every opening, so nothing survives from one opening to the next.

#include "menus/MenuItem.h"
#include "menus/PopupMenus.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace parvo {

struct FolderMenuState;
struct FavouritesData;
class MenuReads;
class Registry;

struct PopupRequest {
    PopupSources sources;          // sources.MenuKey is the key that armed the menu
    bool fromTray = false;         // the tray icon always opens the main menu
    FolderMenuState* folders = nullptr; // the folder menus' state on the bar
    const Registry* registry = nullptr;   // names the favourites folder
    FavouritesData* favourites = nullptr; // the favourites scan, rebuilt at every opening
    // Reads the disk for the folder and favourites menus, off the interface thread.
    MenuReads* reads = nullptr;
    // The branding web links; nothing when the branding data is damaged.
    std::function<std::optional<QStringList>()> readWebLinks;
};

enum class PopupOutcome {
    Built,
    DamagedBranding, // the web links could not be read: the installation is broken
};

// Rebuilds `root`'s children (the popup's first level) for the request's key.
PopupOutcome popup_myfoldersPopup(MenuItem& root, PopupRequest& request);

} // namespace parvo
