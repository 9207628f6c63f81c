#pragma once
// The menus of the bar's buttons that are built from lists and the bar's own state: the
// main menu, the e-mail and web-link menus, the drive menu, the view-style menu, the
// options dialog's preview and the program-shortcut menu. Each fills the popup's first
// level, `root.children`, which the caller has emptied.

#include "menus/MenuItem.h"
#include "platform/Drives.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace parvo {

// Which menu a key opens (the tray icon always opens the main menu).
enum class PopupKind { Main, Favourites, FolderList, Email, WebLinks, DriveMenu, ViewStyle, Preview, Program, DriveFolders };
PopupKind MenuKind(const QString& menuKey, bool fromTray);

// What the menus show besides the list files.
struct PopupSources {
    QString MenuKey;
    QString DisplayTitle;
    QString HomeLabel;
    QString HomeAddress;
    QStringList WebLinks; // "caption=address", as the branding data gives them
    QList<DriveInfo> Drives;
    QString ExceptDrives;
    QString programFolder;
    int PvfolderViewStyle = 0; // 0 large icons … 3 details
};

// The caption and the address of one branding web link.
struct WebLink {
    QString caption;
    QString address;
};
WebLink SplitWebLink(const QString& line);

void BuildMainMenu(MenuItem& root, const PopupSources& src);
void BuildEmailMenu(MenuItem& root, const PopupSources& src);
void BuildWebLinksMenu(MenuItem& root, const PopupSources& src);
void BuildDriveMenu(MenuItem& root, const PopupSources& src);
void BuildViewStyleMenu(MenuItem& root, const PopupSources& src);
void BuildPreviewMenu(MenuItem& root, const PopupSources& src);
void BuildProgramMenu(MenuItem& root, const PopupSources& src);

// The side bar's caption for the menu of `menuKey`.
QString SideBarCaption(const QString& menuKey, const QString& displayTitle);

} // namespace parvo
