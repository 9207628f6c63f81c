#include "menus/PopupMenus.h"

#include "EventLoop.h"
#include "TempFiles.h"
#include "app/StringTable.h"
#include "FakeRegistry.h"
#include "menus/Favourites.h"
#include "menus/FolderMenu.h"
#include "menus/MakerAddresses.h"
#include "menus/MenuReads.h"
#include "menus/PopupMenu.h"
#include "settings/RegistryKeys.h"
#include "settings/ListFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

// One line per item: caption | hint | kind | tag | picture, plus flags.
QString Describe(const MenuItem& i)
{
    QString pic;
    if (i.Picture.source == ItemPicture::PopupCell)
        pic = QStringLiteral("p%1").arg(i.Picture.cell);
    else if (i.Picture.source == ItemPicture::SponsorCell)
        pic = QStringLiteral("s%1").arg(i.Picture.cell);
    QString s = QStringLiteral("%1|%2|%3|%4|%5").arg(i.Caption, i.Hint).arg(i.HelpContext).arg(i.Tag).arg(pic);
    if (!i.Enabled)
        s += QStringLiteral(" grey");
    if (i.Checked)
        s += QStringLiteral(" ticked");
    if (i.Default)
        s += QStringLiteral(" bold");
    if (!i.children.empty())
        s += QStringLiteral(" >%1").arg(i.children.size());
    return s;
}

QStringList Describe(const std::vector<MenuItem>& items)
{
    QStringList out;
    for (const MenuItem& i : items)
        out << Describe(i);
    return out;
}

struct Menus : ::testing::Test {
    QTemporaryDir dir;
    PopupSources src;
    MenuItem root;

    void SetUp() override
    {
        src.programFolder = dir.path() + QLatin1Char('/');
        src.DisplayTitle = QStringLiteral("Parvo");
        src.HomeLabel = QStringLiteral("Casa");
        src.HomeAddress = QStringLiteral("http://casa.it/");
        src.WebLinks = {QStringLiteral("Casa=http://casa.it/"), QStringLiteral("Prezzi=http://casa.it/p?a=1")};
        src.Drives = {{QLatin1Char('C'), QStringLiteral("/"), DriveFixed, {}},
                      {QLatin1Char('D'), QStringLiteral("/media/stick/"), DriveRemovable, {}},
                      {QLatin1Char('E'), QStringLiteral("/media/gone/"), DriveNoRootDir, {}}};
        src.ExceptDrives = QStringLiteral("d");
    }
};

} // namespace

TEST_F(Menus, TheMainMenuInItsOrderWithTheInformationSubMenuAndTheWebLinks)
{
    src.MenuKey = QStringLiteral("Normal");
    BuildMainMenu(root, src);
    const QString disco = Str(10);
    EXPECT_EQ(Describe(root.children),
              (QStringList{QStringLiteral("<< Casa >>|--|5|0| grey"),
                           Str(57) + QStringLiteral("|||5|21|p20 >10"),
                           Str(52) + QStringLiteral("||5|3|p2"),
                           Str(58) + QStringLiteral("||5|32|p31"),
                           QStringLiteral("-|") + Str(179) + QStringLiteral("|0|0|"),
                           disco + QStringLiteral(" C|/|5|28|p27"),
                           disco + QStringLiteral(" D|/media/stick/|5|27|p26"),
                           QStringLiteral("-||0|0|"),
                           Str(59) + QStringLiteral("||5|5|p4"),
                           Str(60) + QStringLiteral("||5|10|p9"),
                           QStringLiteral("-|") + Str(88) + QStringLiteral("|0|0|"),
                           QStringLiteral("http://casa.it/|http://casa.it/|0|100|s0"),
                           Str(61) + QStringLiteral("|||0|100|s0 >2"),
                           QStringLiteral("-||0|0|"),
                           Str(62) + QStringLiteral("|-|5|24|p23 bold")}));
    EXPECT_EQ(Describe(root.children[1].children),
              (QStringList{Str(55) + QStringLiteral("||5|2|p1"), Str(50) + QStringLiteral("|1|5|4|p3"),
                           Str(63) + QStringLiteral("|2|5|4|p3"), QStringLiteral("-||5|0|"),
                           Str(54) + QStringLiteral("|") + LicenseePage() + QStringLiteral("|5|22|p21"),
                           Str(53) + ProductHost() + QStringLiteral("|") + ProductHomePage() + QStringLiteral("|5|7|p6"),
                           Str(56) + QStringLiteral("|") + MakersMailAddress() + QStringLiteral("|5|11|p10"),
                           Str(87) + QStringLiteral("|") + VersionPage() + QStringLiteral("|5|7|p6"),
                           QStringLiteral("-||5|0|"), Str(51) + QStringLiteral("||5|23|p22")}));
    EXPECT_TRUE(VersionPage().endsWith(QLatin1String("/world/parvo/version.php?number=1.3")));
    EXPECT_EQ(Describe(root.children[12].children),
              (QStringList{QStringLiteral("Casa|http://casa.it/|5|100|s0"),
                           QStringLiteral("Prezzi|http://casa.it/p?a=1|5|101|s1")}));
}

TEST_F(Menus, TheTrayShowsTheMainMenuWithTheCurrentKeysDriveItemsAndNoDefault)
{
    EXPECT_EQ(MenuKind(QStringLiteral("scrDrive"), true), PopupKind::Main);
    src.MenuKey = QStringLiteral("scrDrive");
    BuildMainMenu(root, src);
    EXPECT_EQ(Describe(root.children[5]), Str(10) + QStringLiteral(" C|/|10|28|p27 ticked"));
    EXPECT_EQ(Describe(root.children[6]), Str(10) + QStringLiteral(" D|/media/stick/|11|27|p26"));
    EXPECT_FALSE(root.children.back().Default);
}

TEST_F(Menus, ListMenusShowTheirEntriesOrAGreyEmptyMarker)
{
    test::WriteBytes(ListFilePath(src.programFolder, QStringLiteral("www")),
                     "// www\r\nMeteo|http://meteo.it>00\r\nNews|news.it\r\n");
    BuildWebLinksMenu(root, src);
    EXPECT_EQ(Describe(root.children),
              (QStringList{Str(24) + QStringLiteral("|-|4|1|p7"), QStringLiteral("-|") + Str(65) + QStringLiteral("|0|0|"),
                           QStringLiteral("Meteo|http://meteo.it|0|0|p6"), QStringLiteral("News|news.it|0|0|p6"),
                           QStringLiteral("-|") + Str(88) + QStringLiteral("|0|0|"),
                           QStringLiteral("Casa|http://casa.it/|0|100|s0"),
                           QStringLiteral("Prezzi|http://casa.it/p?a=1|0|101|s1")}));

    root.children.clear();
    BuildEmailMenu(root, src);
    EXPECT_EQ(Describe(root.children),
              (QStringList{Str(42) + QStringLiteral("|-|4|1|p11"), QStringLiteral("-|") + Str(215) + QStringLiteral("|0|0|"),
                           Str(22) + QStringLiteral("|--|0|0| grey")}));
}

TEST_F(Menus, DriveViewStylePreviewAndProgramMenus)
{
    src.MenuKey = QStringLiteral("scrDrive");
    BuildDriveMenu(root, src);
    EXPECT_EQ(Describe(root.children),
              (QStringList{Str(52) + QStringLiteral("||5|3|p2"), QStringLiteral("-|") + Str(179) + QStringLiteral("|0|0|"),
                           Str(10) + QStringLiteral(" C|/|10|28|p27 ticked"),
                           Str(10) + QStringLiteral(" D|/media/stick/|11|27|p26")}));

    root.children.clear();
    src.PvfolderViewStyle = 2;
    BuildViewStyleMenu(root, src);
    EXPECT_EQ(Describe(root.children),
              (QStringList{Str(70) + QStringLiteral("|1|6|1|p38"), Str(71) + QStringLiteral("|2|6|2|p39"),
                           Str(72) + QStringLiteral("|3|6|3|p40 bold"), Str(73) + QStringLiteral("|4|6|4|p41")}));

    root.children.clear();
    BuildPreviewMenu(root, src);
    EXPECT_EQ(Describe(root.children), (QStringList{QStringLiteral("<< Casa >>|--|5|0| grey"),
                                                    QStringLiteral("<< http://casa.it/ >>|--|5|0| grey")}));

    root.children.clear();
    src.MenuKey = QStringLiteral("app_/opt/parvo/links/Editor.lnk");
    BuildProgramMenu(root, src);
    const QString key = src.MenuKey;
    EXPECT_EQ(Describe(root.children),
              (QStringList{Str(260) + QStringLiteral("|") + key + QStringLiteral("|8|3|p36"),
                           Str(249) + QStringLiteral("|") + key + QStringLiteral("|8|2|p35"), QStringLiteral("-||0|0|"),
                           Str(85) + QStringLiteral("|") + key + QStringLiteral("|8|1|p34"),
                           Str(52) + QStringLiteral("|") + key + QStringLiteral("|8|10|p2")}));
    EXPECT_TRUE(root.children[0].Mnemonic);

    root.children.clear();
    src.MenuKey = QStringLiteral("app_panel");
    BuildProgramMenu(root, src);
    EXPECT_EQ(root.children.size(), 2u);
}

TEST(MenuKeys, EachKeyOpensItsMenuWithItsSideBarCaption)
{
    EXPECT_EQ(MenuKind(QStringLiteral("Normal"), false), PopupKind::Main);
    EXPECT_EQ(MenuKind(QStringLiteral("Favs"), false), PopupKind::Favourites);
    EXPECT_EQ(MenuKind(QStringLiteral("PvF"), false), PopupKind::FolderList);
    EXPECT_EQ(MenuKind(QStringLiteral("WinFolders"), false), PopupKind::FolderList);
    EXPECT_EQ(MenuKind(QStringLiteral("app_panel"), false), PopupKind::Program);
    EXPECT_EQ(MenuKind(QStringLiteral("configuration_demo"), false), PopupKind::Preview);
    EXPECT_EQ(MenuKind(QStringLiteral("/media/stick/"), false), PopupKind::DriveFolders);

    EXPECT_EQ(SideBarCaption(QStringLiteral("Normal"), QStringLiteral("Parvo")), QStringLiteral("Parvo"));
    EXPECT_EQ(SideBarCaption(QStringLiteral("Favs"), QStringLiteral("Parvo")), Str(66));
    EXPECT_EQ(SideBarCaption(QStringLiteral("viewstyle"), QStringLiteral("Parvo")), Str(69));
    EXPECT_EQ(SideBarCaption(QStringLiteral("/"), QStringLiteral("Parvo")), QString());
    EXPECT_EQ(SideBarCaption(QStringLiteral("app_panel"), QStringLiteral("Parvo")), QString());
}

TEST_F(Menus, EveryOpeningStartsAfreshFromTheKey)
{
    FakeRegistry reg;
    FavouritesData favourites;
    FolderMenuState folders;
    folders.programFolder = src.programFolder;
    test::App();
    MenuReads reads({[&]() -> MenuItem& { return root; }, {}, {}, {}, {}});
    PopupRequest request;
    request.sources = src;
    request.registry = &reg;
    request.favourites = &favourites;
    request.folders = &folders;
    request.reads = &reads;
    bool brandingDamaged = false;
    request.readWebLinks = [&]() -> std::optional<QStringList> {
        if (brandingDamaged)
            return std::nullopt;
        return QStringList{QStringLiteral("Casa=http://casa.it/")};
    };
    // Folders and favourites are read off this thread; the menu is looked at once they are in.
    const auto open = [&](const QString& key, bool fromTray = false) {
        request.sources.MenuKey = key;
        request.fromTray = fromTray;
        const PopupOutcome outcome = popup_myfoldersPopup(root, request);
        EXPECT_TRUE(test::WaitUntil([&] { return reads.running() == 0; }));
        return outcome;
    };

    // The tray shows the main menu whatever the key, GO! in bold only for "Normal".
    root.children.push_back(Separator(QStringLiteral("left over")));
    ASSERT_EQ(open(QStringLiteral("Favs"), true), PopupOutcome::Built);
    EXPECT_EQ(root.children.front().Caption, QStringLiteral("<< Casa >>"));
    EXPECT_FALSE(root.children.back().Default);
    open(QStringLiteral("Normal"), true);
    EXPECT_TRUE(root.children.back().Default);

    // The favourites menu comes from the folder the system names.
    test::WriteBytes(dir.path() + QStringLiteral("/Favorites/Meteo.url"), "[InternetShortcut]\r\nURL=http://meteo.it/\r\n");
    reg.set(QString::fromLatin1(keys::ShellFolders), QStringLiteral("Favorites"),
            RegValue::fromText(dir.path() + QStringLiteral("/Favorites")));
    open(QStringLiteral("Favs"));
    EXPECT_EQ(Describe(root.children), QStringList{QStringLiteral("Meteo|http://meteo.it/|0|0|p6")});

    // A drive that is gone shows its header and nothing else.
    open(QStringLiteral("/media/gone/"));
    EXPECT_EQ(Describe(root.children),
              (QStringList{QStringLiteral("[ /media/gone/ ]|/media/gone/|1|-1|p8"), QStringLiteral("-||0|0|")}));

    // Menus with the branding web links report damaged data; the others do not need it.
    brandingDamaged = true;
    EXPECT_EQ(open(QStringLiteral("Normal")), PopupOutcome::DamagedBranding);
    EXPECT_EQ(open(QStringLiteral("Slinks")), PopupOutcome::DamagedBranding);
    EXPECT_EQ(open(QStringLiteral("email")), PopupOutcome::Built);
    EXPECT_EQ(root.children.size(), 3u);
}
