#pragma once
// Folder menus: the popup of a drive button, of the Pvfolders button and of the Windows
// folders button, where every folder item opens a sub-menu of its own sub-folders and
// files. Sub-menus are filled lazily: a folder item carries only its two-item header
// until its sub-menu first opens, and only then is that one folder read from disk.
//
// Item codes read by the click dispatcher: HelpContext 1 a folder (opens it), 12 a file
// (runs it). Tag -1 a folder not read yet or found empty (read again at the next
// opening), 0 a folder already filled (never read again while the popup root lives).
// Folder paths end with "/".
//
// Reading a folder may take any time (a network mount that does not answer), so the disk
// is never read here: expanding a folder item prepares it and names the read it needs,
// which runs off the interface thread (FolderReadWork); its result fills the item later.

#include "menus/MenuItem.h"
#include "menus/MenuReads.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace parvo {

// What a fill reads and writes on the bar window.
struct FolderMenuState {
    QString MenuKey;      // "PvF", "WinFolders" or a drive root such as "/" or "/media/stick/"
    QString MenuPath;     // the folder being read; during a root build it holds MenuKey
    bool RootBuild = false; // set by the caller to rebuild the popup root; cleared by every fill
    QStringList ScratchList; // names or entries of the menu being built; empty between fills
    QStringList WinFolderList; // "name|path>xy" entries of the system's special folders
    QString programFolder;   // holds data/efolder.mke, the Pvfolder list
    bool Drives_subfolders = true; // folder items open sub-menus
    bool Drives_files = true;      // files are listed after the sub-folders
    bool Drives_hidden = false;    // names starting with "." are listed
    bool Drives_fullimages = false; // the desktop's own icons instead of glyph cells
    // The popup's update bracket around a fill, so it redraws once; either may be empty.
    std::function<void()> BeginUpdate;
    std::function<void()> EndUpdate;
};

// A folder menu that waits for its folder to be read: what to read, and how to show it.
struct FolderRead {
    QString folder;         // the folder (MenuPath), ending with "/"
    bool rootBuild = false; // the menu is the popup root
    bool subfolders = true; // the Drives_ flags at the time of the request
    bool files = true;
    bool hidden = false;
    bool fullimages = false;
};

// The handler of an expandable folder item, run when its sub-menu is about to open, and
// the builder of the popup root when state.RootBuild is set (then `item` is ignored and
// `root`, the popup's root item, is emptied and rebuilt for state.MenuKey). A folder
// already filled is left as it is. The lists of folders (Pvfolders, Windows folders) are
// filled at once; for a folder on disk the menu gets its header and the read it needs
// is returned.
std::optional<FolderRead> ExpandFolderItem(FolderMenuState& state, MenuItem& root, MenuItem* item);

// What the read does off the interface thread: one pass over the folder, whose result
// fills the waiting menu (sub-folders, a separator, files, the bottom separator).
MenuReads::Work FolderReadWork(const FolderRead& read);

// Starts the read of a folder menu: the key is the folder, so every menu waiting for one
// folder shares one read.
void ReadFolderLater(MenuReads& reads, MenuItem& menu, const FolderRead& read);

// Builds the items of one folder menu from a list of folders: `menu` is the popup root
// (state.MenuKey "PvF" or "WinFolders").
void FillFolderMenu(FolderMenuState& state, MenuItem& menu);

// Adds the first item and the separator under it at the top of `menu`: for a folder
// item, an item that opens the folder itself; for the root, the header of its key.
void AddFolderHeader(FolderMenuState& state, MenuItem& menu, bool root);

// Appends `item` to `menu`'s children and returns it.
MenuItem& AttachItem(MenuItem& menu, MenuItem&& item);

} // namespace parvo
