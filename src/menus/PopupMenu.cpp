#include "menus/PopupMenu.h"

#include "menus/Favourites.h"
#include "menus/FolderMenu.h"

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
        if (request.registry && request.favourites)
            BuildFavsMenu(*request.registry, *request.favourites, root);
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
            ExpandFolderItem(*request.folders, root, nullptr);
        }
        break;
    }
    return PopupOutcome::Built;
}

} // namespace parvo
