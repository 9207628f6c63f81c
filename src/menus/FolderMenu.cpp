#include "menus/FolderMenu.h"

#include "app/StringTable.h"
#include "menus/FolderNames.h"
#include "menus/FolderReader.h"
#include "menus/RootItems.h"
#include "settings/ListEntry.h"
#include "settings/ListFiles.h"

#include <QStringBuilder>

namespace parvo {

namespace {

const QLatin1String kPvfoldersKey("PvF");
const QLatin1String kWinFoldersKey("WinFolders");

constexpr int kFolderCell = 8;
constexpr int kPvfolderCell = 9;

ItemPicture FolderPicture(const FolderMenuState& state)
{
    return state.Drives_fullimages ? ItemPicture::SystemIcon() : ItemPicture::Popup(kFolderCell);
}

// The glyph of a special folder follows its position in the list, so a folder the system
// lacks moves every later one up to the glyph of its new place.
int WinFolderCell(qsizetype position)
{
    static constexpr int cells[] = {12, 13, 14, 15, 8, 4, 16, 17, 13, 18, 19};
    return position >= 0 && position < qsizetype(std::size(cells)) ? cells[position] : 0;
}

// Ends the popup's update state, clears RootBuild and empties the scratch list however a
// fill ends, an exception included, so a failed fill never leaves the popup frozen or
// the next opening taken for a root build.
class FillBracket {
public:
    explicit FillBracket(FolderMenuState& state) : state_(state) {}
    void begin()
    {
        if (state_.BeginUpdate)
            state_.BeginUpdate();
        begun_ = true;
    }
    ~FillBracket()
    {
        state_.ScratchList.clear();
        state_.RootBuild = false;
        if (begun_ && state_.EndUpdate)
            state_.EndUpdate();
    }
    FillBracket(const FillBracket&) = delete;
    FillBracket& operator=(const FillBracket&) = delete;

private:
    FolderMenuState& state_;
    bool begun_ = false;
};

enum class Source { Disk, Pvfolders, WinFolders };

} // namespace

MenuItem& AttachItem(MenuItem& menu, MenuItem&& item)
{
    menu.children.push_back(std::move(item));
    return menu.children.back();
}

void AddFolderHeader(FolderMenuState& state, MenuItem& menu, bool root)
{
    if (!root) {
        MenuItem head;
        head.Caption = QLatin1String("-> ") % menu.Caption;
        head.Hint = menu.Hint;
        head.Picture = FolderPicture(state);
        head.Tag = -1;
        head.HelpContext = 1;
        head.AutoLineReduction = true;
        head.OnClick = ItemClick::Launch;
        menu.children.reserve(menu.children.size() + 2);
        AttachItem(menu, std::move(head));
        AttachItem(menu, Separator());
        return;
    }
    if (state.MenuKey == kPvfoldersKey) {
        AddRootItem(menu, Str(21), QStringLiteral("-"), QStringLiteral("efolders"));
        AttachItem(menu, Separator(Str(60)));
    } else if (state.MenuKey == kWinFoldersKey) {
        AddRootItem(menu, Str(121), QStringLiteral("-"), QStringLiteral("winfolders"));
        AttachItem(menu, Separator(Str(59)));
    } else {
        MenuItem drive;
        drive.Caption = QLatin1String("[ ") % state.MenuKey % QLatin1String(" ]");
        drive.Hint = state.MenuKey;
        drive.Picture = FolderPicture(state);
        drive.Tag = -1;
        drive.HelpContext = 1;
        drive.OnClick = ItemClick::Launch;
        AttachItem(menu, std::move(drive));
        AttachItem(menu, Separator());
    }
}

void FillFolderMenu(FolderMenuState& state, MenuItem& menu)
{
    const bool rootBuild = state.RootBuild;
    if (rootBuild)
        AddFolderHeader(state, menu, true);

    Source source = Source::Disk;
    if (rootBuild && state.MenuKey == kPvfoldersKey)
        source = Source::Pvfolders;
    else if (rootBuild && state.MenuKey == kWinFoldersKey)
        source = Source::WinFolders;

    // Files are listed only in menus of a real folder, never in the two lists of folders.
    const bool withFiles = state.Drives_files && source == Source::Disk;

    state.ScratchList.clear();
    QStringList files;
    switch (source) {
    case Source::Pvfolders: {
        QStringList lines;
        LoadMenuList(state.programFolder, QStringLiteral("efolder"), lines);
        for (const QString& line : std::as_const(lines))
            AddRootItem(menu, ParseEntry(line, 0), line, QStringLiteral("efolder"), &state.ScratchList);
        break;
    }
    case Source::WinFolders:
        state.ScratchList = state.WinFolderList;
        break;
    case Source::Disk: {
        FolderLevel level = ReadFolderLevel(state.MenuPath, state.Drives_hidden, withFiles);
        state.ScratchList = std::move(level.folders);
        files = std::move(level.files);
        break;
    }
    }

    // Header, folders, a separator, files and the bottom separator: one allocation.
    menu.children.reserve(menu.children.size() + size_t(state.ScratchList.size()) + size_t(files.size()) + 2);

    const QString& path = state.MenuPath;
    const ItemPicture folderPicture = FolderPicture(state);
    for (qsizetype i = 0; i < state.ScratchList.size(); ++i) {
        const QString& line = state.ScratchList.at(i);
        if (!rootBuild && menu.Tag == -1)
            menu.Tag = 0;

        MenuItem item;
        item.Tag = -1;
        item.HelpContext = 1;
        item.AutoLineReduction = true;
        bool expandable = false;
        if (source == Source::Disk) {
            item.Caption = QLatin1String("[ ") % CapitaliseName(line) % QLatin1String(" ]");
            item.Hint = path % line % QLatin1Char('/');
            item.Picture = folderPicture;
            expandable = state.Drives_subfolders;
        } else {
            item.Caption = QLatin1String("[ ") % ParseEntry(line, 0) % QLatin1String(" ]");
            item.Hint = ParseEntry(line, 1) % QLatin1Char('/');
            item.Picture = ItemPicture::Popup(source == Source::Pvfolders ? kPvfolderCell : WinFolderCell(i));
            // Only "0" and "1" are ever written; anything else but a missing flag opens
            // the folder directly rather than guessing at a sub-menu.
            expandable = EntryOpensSubmenu(line);
        }
        item.OnClick = expandable ? ItemClick::ExpandFolder : ItemClick::Launch;
        MenuItem& added = AttachItem(menu, std::move(item));
        if (expandable)
            AddFolderHeader(state, added, false);
    }
    const bool listedFolders = source == Source::Disk && !state.ScratchList.isEmpty();
    state.ScratchList.clear();

    if (withFiles && !files.isEmpty()) {
        if (!rootBuild && menu.Tag == -1)
            menu.Tag = 0;
        if (listedFolders)
            AttachItem(menu, Separator());
        for (const QString& name : std::as_const(files)) {
            MenuItem item;
            item.Caption = CapitaliseName(name);
            item.Hint = path % name;
            item.Picture = state.Drives_fullimages ? ItemPicture::SystemIcon() : ItemPicture::Popup(FileIconIndex(name));
            item.Tag = -1;
            item.HelpContext = 12;
            item.OnClick = ItemClick::Launch;
            AttachItem(menu, std::move(item));
        }
    }

    // Hidden by line reduction while it is the last line; it keeps the sub-menu from ever
    // being empty for the popup widget.
    if (!rootBuild)
        AttachItem(menu, Separator());
    state.ScratchList.clear();
}

void ExpandFolderItem(FolderMenuState& state, MenuItem& root, MenuItem* item)
{
    FillBracket bracket(state);
    const bool rootBuild = state.RootBuild;
    MenuItem* target = rootBuild ? &root : item;
    if (!target)
        return;
    state.MenuPath = rootBuild ? state.MenuKey : target->Hint;
    const int tag = rootBuild ? -2 : target->Tag;
    if (tag >= 0 && !state.MenuPath.isEmpty())
        return; // filled before: shown as it is

    if (rootBuild) {
        root.children.clear();
    } else {
        // A folder found empty before is read again; drop the bottom separator that
        // reading left, so repeated openings do not pile up separators under the header.
        auto& children = target->children;
        while (children.size() > 2 && children.back().isSeparator())
            children.pop_back();
    }
    bracket.begin();
    FillFolderMenu(state, *target);
}

} // namespace parvo
