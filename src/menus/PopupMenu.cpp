#include "menus/PopupMenu.h"

#include "menus/Favourites.h"
#include "menus/FolderMenu.h"
#include "menus/MenuReads.h"

namespace parvo {

namespace {

bool NeedsWebLinks(PopupKind kind)
{
    return kind == PopupKind::Main || kind == PopupKind::WebLinks;
}

} // namespace

PopupOutcome popup_myfoldersPopup(MenuItem& root, PopupRequest& request)
{
    root.children.clear();
    if (request.reads)
        request.reads->rootRebuilt();
    PopupSources& src = request.sources;
    const PopupKind kind = MenuKind(src.MenuKey, request.fromTray);
    if (NeedsWebLinks(kind)) {
        const auto links = request.readWebLinks ? request.readWebLinks() : std::nullopt;
        if (!links)
            return PopupOutcome::DamagedBranding;
        src.WebLinks = *links;
    }
    switch (kind) {
    case PopupKind::Main: BuildMainMenu(root, src); break;
    case PopupKind::Favourites:
        if (request.registry && request.favourites && request.reads)
            ReadFavouritesLater(*request.reads, *request.registry, *request.favourites, root);
        break;
    case PopupKind::Email: BuildEmailMenu(root, src); break;
    case PopupKind::WebLinks: BuildWebLinksMenu(root, src); break;
    case PopupKind::DriveMenu: BuildDriveMenu(root, src); break;
    case PopupKind::ViewStyle: BuildViewStyleMenu(root, src); break;
    case PopupKind::Preview: BuildPreviewMenu(root, src); break;
    case PopupKind::Program: BuildProgramMenu(root, src); break;
    case PopupKind::FolderList:
    case PopupKind::DriveFolders:
        if (request.folders) {
            request.folders->MenuKey = src.MenuKey;
            request.folders->RootBuild = true;
            const auto read = ExpandFolderItem(*request.folders, root, nullptr);
            if (read && request.reads)
                ReadFolderLater(*request.reads, root, *read);
        }
        break;
    }
    return PopupOutcome::Built;
}

} // namespace parvo
