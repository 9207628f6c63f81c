#pragma once
// The Internet favourites: the ".URL" files of the user's favourites folder, scanned into
// flat records and turned into a menu tree that mirrors the folder tree.

#include "menus/MenuItem.h"
#include "menus/MenuReads.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace parvo {

class Registry;

// One favourites folder or link.
struct TURLrec {
    // Path relative to the favourites folder, components joined by "\" (empty for links
    // directly in the favourites folder). The menu nests folders by these paths, so the
    // separator is the same on every system.
    QString Folder;
    QString Name; // the link's file name less ".URL"; empty for a folder
    QString URL;  // the link's address; empty for a folder
    bool operator==(const TURLrec&) const = default;
};

// The state of a favourites scan.
struct FavouritesData {
    QString FavouritesRoot;               // the folder the record paths are relative to
    std::vector<TURLrec> FavouritesList;  // the scan result
    QStringList UrlScratch;               // the address of every link found, in scan order
};

// Deepest folder level below the favourites folder that is scanned and shown: far beyond
// any real favourites tree, low enough that a pathological one cannot exhaust the stack.
inline constexpr int kMaxFavouritesDepth = 256;

// Appends a record for every sub-folder and every ".URL" file (extension in any case)
// below `folder`, recursively, to data.FavouritesList, and each link's address to
// data.UrlScratch. Paths are relative to data.FavouritesRoot. Names beginning with a dot
// are taken like any other: the favourites folder holds no files of the system's own.
// Folders reached a second time (symbolic-link loops, two links to one folder) are left
// out, and so is anything deeper than kMaxFavouritesDepth.
void ScanFavourites(FavouritesData& data, const QString& folder);

// -1, 0 or 1: the order of the favourites records. Folders compare first, then names,
// each by its lower-case form code unit by code unit, so a folder record (empty name)
// comes just before the links of its folder, the top-level links come first, and a
// folder comes before its sub-folders. Texts that differ only in letter case are ordered
// by their exact form, which keeps each folder's records together.
int CompareFavourites(const TURLrec& a, const TURLrec& b);

// Appends the menu of the sorted records to `root`: one item per folder (top-level ones
// with the folder picture, sub-folders inside their parent, sibling sub-folders above
// the parent's links in reverse order), a greyed "<vuoto>" in folders with no links of
// their own, and one item per link; the top-level links come last. A folder whose parent
// has no record of its own is placed in an item made for that parent.
void BuildFavouritesMenu(const std::vector<TURLrec>& favouritesList, MenuItem& root);

// The favourites of `folder`, scanned and sorted: what the menu shows. Touches the disk.
// An error on the way leaves what was scanned until then.
FavouritesData ReadFavourites(const QString& folder);

// The addresses of the links below `folder`, in scan order. Touches the disk.
QStringList FavouriteAddresses(const QString& folder);

// The favourites menu's read: ReadFavourites off the interface thread; its result is
// kept in `*keep` (the bar's last scan) and built into the waiting menu.
MenuReads::Work FavouritesReadWork(const QString& folder, FavouritesData* keep);

// The favourites menu the popup shows, built into `root` once the favourites folder named
// by the system's special folders has been read. Without a favourites folder the menu
// stays empty.
void ReadFavouritesLater(MenuReads& reads, const Registry& reg, FavouritesData& data, MenuItem& root);

} // namespace parvo
