#include "menus/PopupMenus.h"

#include "app/StringTable.h"
#include "bar/DriveList.h"
#include "menus/MakerAddresses.h"
#include "menus/RootItems.h"
#include "settings/ListEntry.h"
#include "settings/ListFiles.h"

namespace parvo {

namespace {

void AddSeparator(MenuItem& root, const QString& title = {})
{
    root.children.push_back(Separator(title));
}

void AddDriveItems(MenuItem& root, const PopupSources& src)
{
    for (const DriveMenuEntry& e : DriveMenuEntries(src.Drives, src.ExceptDrives, src.MenuKey))
        AddRootItem(root, e.caption, e.hint, e.kind);
}

// The entries of a list as root items of `kind`; "<vuoto>", greyed, when it has none.
void AddListEntries(MenuItem& root, const PopupSources& src, const QString& listName, const QString& kind)
{
    QStringList entries;
    LoadMenuList(src.programFolder, listName, entries);
    for (const QString& line : entries)
        AddRootItem(root, ParseEntry(line, 0), ParseEntry(line, 1), kind);
    if (entries.isEmpty())
        AddRootItem(root, Str(22), QStringLiteral("--"), {});
}

void AddInformationItems(MenuItem& root)
{
    // Added to the top one by one, so the last call gives the first line.
    AddSubItem(root, 1, 23, {}, Str(51));
    AddSubItem(root, 1, 0, {}, QStringLiteral("-"));
    AddSubItem(root, 1, 7, VersionPage(), Str(87));
    AddSubItem(root, 1, 11, MakersMailAddress(), Str(56));
    AddSubItem(root, 1, 7, ProductHomePage(), Str(53) + ProductHost());
    AddSubItem(root, 1, 22, LicenseePage(), Str(54));
    AddSubItem(root, 1, 0, {}, QStringLiteral("-"));
    AddSubItem(root, 1, 4, QStringLiteral("2"), Str(63));
    AddSubItem(root, 1, 4, QStringLiteral("1"), Str(50));
    AddSubItem(root, 1, 2, {}, Str(55));
}

} // namespace

PopupKind MenuKind(const QString& key, bool fromTray)
{
    if (fromTray || key == u"Normal")
        return PopupKind::Main;
    if (key == u"Favs")
        return PopupKind::Favourites;
    if (key == u"PvF" || key == u"WinFolders")
        return PopupKind::FolderList;
    if (key == u"email")
        return PopupKind::Email;
    if (key == u"Slinks")
        return PopupKind::WebLinks;
    if (key == u"scrDrive")
        return PopupKind::DriveMenu;
    if (key == u"viewstyle")
        return PopupKind::ViewStyle;
    if (key == u"configuration_demo")
        return PopupKind::Preview;
    if (key.startsWith(u"app_"))
        return PopupKind::Program;
    return PopupKind::DriveFolders;
}

WebLink SplitWebLink(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return {line, QString()};
    return {line.left(eq), line.mid(eq + 1)};
}

void BuildMainMenu(MenuItem& root, const PopupSources& src)
{
    AddRootItem(root, QStringLiteral("<< ") + src.HomeLabel + QStringLiteral(" >>"), QStringLiteral("--"),
                QStringLiteral("x0"));
    AddRootItem(root, Str(57), QStringLiteral("|"), QStringLiteral("x21"));
    AddInformationItems(root);
    AddRootItem(root, Str(52), {}, QStringLiteral("x3"));
    AddRootItem(root, Str(58), {}, QStringLiteral("x32"));
    AddSeparator(root, Str(179));
    AddDriveItems(root, src);
    AddSeparator(root);
    AddRootItem(root, Str(59), {}, QStringLiteral("x5"));
    AddRootItem(root, Str(60), {}, QStringLiteral("x10"));
    AddSeparator(root, Str(88));
    AddRootItem(root, src.HomeAddress, src.HomeAddress, QStringLiteral("s0"));
    AddRootItem(root, Str(61), QStringLiteral("|"), QStringLiteral("s0"));
    const int more = static_cast<int>(root.children.size()) - 1;
    for (qsizetype i = src.WebLinks.size() - 1; i >= 0; --i) {
        const WebLink link = SplitWebLink(src.WebLinks.at(i));
        AddSubItem(root, more, 100 + static_cast<int>(i), link.address, link.caption);
    }
    AddSeparator(root);
    MenuItem* go = AddRootItem(root, Str(62), QStringLiteral("-"), QStringLiteral("x24"));
    // The tray opens this menu whatever key is current; only the main-menu buttons make
    // GO! the item Enter picks.
    go->Default = src.MenuKey == u"Normal";
}

void BuildEmailMenu(MenuItem& root, const PopupSources& src)
{
    AddRootItem(root, Str(42), QStringLiteral("-"), QStringLiteral("otherz_email"));
    AddSeparator(root, Str(215));
    AddListEntries(root, src, QStringLiteral("email"), QStringLiteral("email"));
}

void BuildWebLinksMenu(MenuItem& root, const PopupSources& src)
{
    AddRootItem(root, Str(24), QStringLiteral("-"), QStringLiteral("otherz_slinks"));
    AddSeparator(root, Str(65));
    AddListEntries(root, src, QStringLiteral("www"), QStringLiteral("www"));
    AddSeparator(root, Str(88));
    for (qsizetype i = 0; i < src.WebLinks.size(); ++i) {
        const WebLink link = SplitWebLink(src.WebLinks.at(i));
        AddRootItem(root, link.caption, link.address, QStringLiteral("s") + QString::number(i));
    }
}

void BuildDriveMenu(MenuItem& root, const PopupSources& src)
{
    AddRootItem(root, Str(52), {}, QStringLiteral("x3"));
    AddSeparator(root, Str(179));
    AddDriveItems(root, src);
}

void BuildViewStyleMenu(MenuItem& root, const PopupSources& src)
{
    const int texts[] = {70, 71, 72, 73};
    for (int i = 0; i < 4; ++i) {
        MenuItem* item = AddRootItem(root, Str(texts[i]), QString::number(i + 1), QStringLiteral("viewstyle"));
        item->Default = i == src.PvfolderViewStyle;
    }
}

void BuildPreviewMenu(MenuItem& root, const PopupSources& src)
{
    AddRootItem(root, QStringLiteral("<< ") + src.HomeLabel + QStringLiteral(" >>"), QStringLiteral("--"),
                QStringLiteral("x0"));
    AddRootItem(root, QStringLiteral("<< ") + src.HomeAddress + QStringLiteral(" >>"), QStringLiteral("--"),
                QStringLiteral("x0"));
}

void BuildProgramMenu(MenuItem& root, const PopupSources& src)
{
    const QString& kind = src.MenuKey;
    if (kind != u"app_panel") {
        AddRootItem(root, Str(260), QStringLiteral("3"), kind);
        AddRootItem(root, Str(249), QStringLiteral("2"), kind);
        AddSeparator(root);
    }
    AddRootItem(root, Str(85), QStringLiteral("1"), kind);
    AddRootItem(root, Str(52), QStringLiteral("10"), kind);
}

QString SideBarCaption(const QString& key, const QString& displayTitle)
{
    if (key == u"PvF")
        return Str(60);
    if (key == u"Favs")
        return Str(66);
    if (key == u"WinFolders")
        return Str(59);
    if (key == u"Slinks")
        return Str(65);
    if (key == u"email")
        return Str(67);
    if (key == u"viewstyle")
        return Str(69);
    if (key == u"Normal")
        return displayTitle;
    return {};
}

} // namespace parvo
