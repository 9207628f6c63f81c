#include "menus/FolderMenu.h"

#include "app/StringTable.h"
#include "menus/FolderNames.h"
#include "menus/FolderReader.h"
#include "menus/NativePath.h"
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

ItemPicture FolderPicture(bool fullimages)
{
    return fullimages ? ItemPicture::SystemIcon() : ItemPicture::Popup(kFolderCell);
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

// The item that opens a folder item's own folder, and the separator under it.
void AddItemHeader(MenuItem& menu, bool fullimages)
{
    MenuItem head;
    head.Caption = QLatin1String("-> ") % menu.Caption;
    head.Hint = menu.Hint;
    head.Picture = FolderPicture(fullimages);
    head.Tag = -1;
    head.HelpContext = 1;
    head.AutoLineReduction = true;
    head.OnClick = ItemClick::Launch;
    menu.children.reserve(menu.children.size() + 2);
    menu.children.push_back(std::move(head));
    menu.children.push_back(Separator());
}

// Appends what one pass over a folder found: its sub-folders, a separator, its files and
// the bottom separator.
void AppendDiskEntries(const FolderRead& read, MenuItem& menu, const FolderLevel& level)
{
    const bool rootBuild = read.rootBuild;
    const QStringList files = read.files ? level.files : QStringList();
    // Folders, a separator, files and the bottom separator: one allocation.
    menu.children.reserve(menu.children.size() + size_t(level.folders.size()) + size_t(files.size()) + 2);

    const QString& path = read.folder;
    const ItemPicture folderPicture = FolderPicture(read.fullimages);
    for (const QString& name : level.folders) {
        if (!rootBuild && menu.Tag == -1)
            menu.Tag = 0;
        MenuItem item;
        item.Tag = -1;
        item.HelpContext = 1;
        item.AutoLineReduction = true;
        // The hint keeps the name's bytes; the caption shows what can be shown of them.
        item.Caption = QLatin1String("[ ") % DisplayFileName(CapitaliseName(name)) % QLatin1String(" ]");
        item.Hint = path % name % QLatin1Char('/');
        item.Picture = folderPicture;
        item.OnClick = read.subfolders ? ItemClick::ExpandFolder : ItemClick::Launch;
        MenuItem& added = AttachItem(menu, std::move(item));
        if (read.subfolders)
            AddItemHeader(added, read.fullimages);
    }

    if (!files.isEmpty()) {
        if (!rootBuild && menu.Tag == -1)
            menu.Tag = 0;
        if (!level.folders.isEmpty())
            AttachItem(menu, Separator());
        for (const QString& name : files) {
            MenuItem item;
            item.Caption = DisplayFileName(CapitaliseName(name));
            item.Hint = path % name;
            item.Picture = read.fullimages ? ItemPicture::SystemIcon() : ItemPicture::Popup(FileIconIndex(name));
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
}

} // namespace

MenuItem& AttachItem(MenuItem& menu, MenuItem&& item)
{
    menu.children.push_back(std::move(item));
    return menu.children.back();
}

void AddFolderHeader(FolderMenuState& state, MenuItem& menu, bool root)
{
    if (!root) {
        AddItemHeader(menu, state.Drives_fullimages);
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
        drive.Caption = QLatin1String("[ ") % DisplayFileName(state.MenuKey) % QLatin1String(" ]");
        drive.Hint = state.MenuKey;
        drive.Picture = FolderPicture(state.Drives_fullimages);
        drive.Tag = -1;
        drive.HelpContext = 1;
        drive.OnClick = ItemClick::Launch;
        AttachItem(menu, std::move(drive));
        AttachItem(menu, Separator());
    }
}

void FillFolderMenu(FolderMenuState& state, MenuItem& menu)
{
    const bool pvfolders = state.MenuKey == kPvfoldersKey;
    state.ScratchList.clear();
    if (pvfolders) {
        QStringList lines;
        LoadMenuList(state.programFolder, QStringLiteral("efolder"), lines);
        for (const QString& line : std::as_const(lines))
            AddRootItem(menu, ParseEntry(line, 0), line, QStringLiteral("efolder"), &state.ScratchList);
    } else {
        state.ScratchList = state.WinFolderList;
    }

    menu.children.reserve(menu.children.size() + size_t(state.ScratchList.size()));
    for (qsizetype i = 0; i < state.ScratchList.size(); ++i) {
        const QString& line = state.ScratchList.at(i);
        MenuItem item;
        item.Tag = -1;
        item.HelpContext = 1;
        item.AutoLineReduction = true;
        item.Caption = QLatin1String("[ ") % ParseEntry(line, 0) % QLatin1String(" ]");
        item.Hint = ParseEntry(line, 1) % QLatin1Char('/');
        item.Picture = ItemPicture::Popup(pvfolders ? kPvfolderCell : WinFolderCell(i));
        // Only "0" and "1" are ever written; anything else but a missing flag opens the
        // folder directly rather than guessing at a sub-menu.
        const bool expandable = EntryOpensSubmenu(line);
        item.OnClick = expandable ? ItemClick::ExpandFolder : ItemClick::Launch;
        MenuItem& added = AttachItem(menu, std::move(item));
        if (expandable)
            AddItemHeader(added, state.Drives_fullimages);
    }
    state.ScratchList.clear();
}

std::optional<FolderRead> ExpandFolderItem(FolderMenuState& state, MenuItem& root, MenuItem* item)
{
    FillBracket bracket(state);
    const bool rootBuild = state.RootBuild;
    MenuItem* target = rootBuild ? &root : item;
    if (!target)
        return std::nullopt;
    state.MenuPath = rootBuild ? state.MenuKey : target->Hint;
    const int tag = rootBuild ? -2 : target->Tag;
    if (tag >= 0 && !state.MenuPath.isEmpty())
        return std::nullopt; // filled before: shown as it is

    bracket.begin();
    if (rootBuild) {
        root.children.clear();
        AddFolderHeader(state, root, true);
        if (state.MenuKey == kPvfoldersKey || state.MenuKey == kWinFoldersKey) {
            FillFolderMenu(state, root);
            return std::nullopt;
        }
    } else {
        // A folder found empty before is read again; drop the bottom separator that
        // reading left, so repeated openings do not pile up separators under the header.
        auto& children = target->children;
        while (children.size() > 2 && children.back().isSeparator())
            children.pop_back();
    }
    FolderRead read;
    read.folder = state.MenuPath;
    read.rootBuild = rootBuild;
    read.subfolders = state.Drives_subfolders;
    read.files = state.Drives_files;
    read.hidden = state.Drives_hidden;
    read.fullimages = state.Drives_fullimages;
    return read;
}

MenuReads::Work FolderReadWork(const FolderRead& read)
{
    return [read]() -> MenuReads::Fill {
        const FolderLevel level = ReadFolderLevel(read.folder, read.hidden, read.files);
        return [read, level](MenuItem& menu) { AppendDiskEntries(read, menu, level); };
    };
}

void ReadFolderLater(MenuReads& reads, MenuItem& menu, const FolderRead& read)
{
    // Menus that show the same folder the same way share one read.
    const QString key = QStringLiteral("folder %1%2%3%4%5 ")
                            .arg(int(read.rootBuild))
                            .arg(int(read.subfolders))
                            .arg(int(read.files))
                            .arg(int(read.hidden))
                            .arg(int(read.fullimages))
        + read.folder;
    reads.read(menu, key, FolderReadWork(read));
}

} // namespace parvo
