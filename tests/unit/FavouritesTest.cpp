#include "FakeRegistry.h"
#include "EventLoop.h"
#include "TempFiles.h"
#include "app/StringTable.h"
#include "menus/Favourites.h"
#include "menus/UrlShortcutFile.h"
#include "settings/RegistryKeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace parvo;
using parvo::test::WriteBytes;

namespace {

QByteArray Shortcut(const QByteArray& url) { return "[InternetShortcut]\r\nURL=" + url + "\r\n"; }

// The menu as indented lines: "+" a folder item, "(…)" a greyed one, "a > hint" a link.
void Outline(const std::vector<MenuItem>& items, QStringList& out, const QString& indent = {})
{
    for (const MenuItem& item : items) {
        QString line = indent + (item.Enabled ? item.Caption : "(" + item.Caption + ")");
        if (item.Tag == 1)
            line = indent + "+" + item.Caption;
        else if (!item.Hint.isEmpty())
            line += " > " + item.Hint;
        out << line;
        Outline(item.children, out, indent + "  ");
    }
}

QStringList Outline(const MenuItem& root)
{
    QStringList out;
    Outline(root.children, out);
    return out;
}

class FavouritesMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        fav = dir.path() + "/Favorites";
        QDir().mkpath(fav);
        reg.set(keys::ShellFolders, "Favorites", RegValue::fromText(fav));
    }
    void link(const QString& rel, const QByteArray& url) { WriteBytes(fav + "/" + rel, Shortcut(url)); }
    void folder(const QString& rel) { QDir().mkpath(fav + "/" + rel); }
    // What the menu's read does, here on this thread.
    MenuItem build()
    {
        MenuItem root;
        FavouritesReadWork(fav, &data)()(root);
        return root;
    }

    QTemporaryDir dir;
    QString fav;
    FakeRegistry reg;
    FavouritesData data;
};

} // namespace

TEST_F(FavouritesMenu, FlatFolderGivesSortedLinksAndIgnoresOtherFiles)
{
    link("b.url", "http://b.example/");
    link("A.URL", "http://a.example/");
    link("c.Url", "http://c.example/");
    link(".hidden.url", "http://h.example/");
    WriteBytes(fav + "/notes.txt", Shortcut("http://no.example/"));
    WriteBytes(fav + "/url", Shortcut("http://no.example/"));

    const MenuItem root = build();
    EXPECT_EQ(Outline(root), QStringList({".hidden > http://h.example/", "A > http://a.example/",
                                          "b > http://b.example/", "c > http://c.example/"}));
    const MenuItem& a = root.children.at(1);
    EXPECT_EQ(a.Picture, ItemPicture::Popup(6));
    EXPECT_EQ(a.OnClick, ItemClick::Launch);
    EXPECT_EQ(a.HelpContext, 0);
    EXPECT_FALSE(a.Mnemonic) << "file names may hold '&'";
}

TEST_F(FavouritesMenu, SubFoldersGoIntoTheirOwnParentAboveItsLinksInReverseOrder)
{
    link("News/n1.url", "http://n1.example/");
    link("News/Alpha/a.url", "http://a.example/");
    link("News/Tech/t.url", "http://t.example/");
    link("News 2/x.url", "http://x.example/");
    link("top.url", "http://top.example/");

    const MenuItem root = build();
    EXPECT_EQ(Outline(root), QStringList({"+News", "  +Tech", "    t > http://t.example/", "  +Alpha",
                                          "    a > http://a.example/", "  n1 > http://n1.example/", "+News 2",
                                          "  x > http://x.example/", "top > http://top.example/"}));
    EXPECT_EQ(root.children.at(0).Picture, ItemPicture::Popup(8));
    EXPECT_EQ(root.children.at(0).children.at(0).Picture, ItemPicture()) << "nested folders have no picture";
    EXPECT_EQ(root.children.at(0).children.at(0).OnClick, ItemClick::None);

    // The records name folders by their path below the favourites folder, joined by "\".
    EXPECT_NE(std::find(data.FavouritesList.begin(), data.FavouritesList.end(),
                        TURLrec{"News\\Tech", "t", "http://t.example/"}),
              data.FavouritesList.end());
}

TEST_F(FavouritesMenu, FoldersWithoutLinksOfTheirOwnShowOneGreyedMarker)
{
    folder("aaa");
    link("Parent/Child/c.url", "http://c.example/");
    folder("zzz");
    link("top.url", "http://top.example/");

    const MenuItem root = build();
    const QString empty = "(" + Str(22) + ")";
    EXPECT_EQ(Outline(root), QStringList({"+aaa", "  " + empty, "+Parent", "  +Child", "    c > http://c.example/",
                                          "  " + empty, "+zzz", "  " + empty, "top > http://top.example/"}));
}

TEST(FavouritesMenuBuild, MissingParentsAreMadeAndOddPathsAreSafe)
{
    MenuItem root;
    BuildFavouritesMenu({{"A\\B", "", ""}, {"A\\B", "l", "http://l.example/"}, {"A\\B\\C\\D", "", ""},
                         {"\\lead", "", ""}, {"trail\\", "", ""}, {QString(300, 'x').replace("x", "x\\") + "y", "", ""}},
                        root);
    const QString empty = "(" + Str(22) + ")";
    EXPECT_EQ(Outline(root), QStringList({"+A", "  +B", "    +C", "      +D", "        " + empty,
                                          "    l > http://l.example/", "+\\lead", "  " + empty, "+trail",
                                          "  +", "    " + empty}));
    EXPECT_EQ(root.children.at(0).Picture, ItemPicture::Popup(8)) << "a made top-level parent looks like any other";
}

TEST(FavouritesOrder, FoldersThenNamesByLowerCaseForm)
{
    const auto cmp = [](TURLrec a, TURLrec b) { return CompareFavourites(a, b); };
    EXPECT_EQ(cmp({"", "b", "u"}, {"a", "", ""}), -1) << "top-level links first";
    EXPECT_EQ(cmp({"a", "", ""}, {"a", "x", "u"}), -1) << "a folder before its links";
    EXPECT_EQ(cmp({"a", "z", "u"}, {"a\\b", "", ""}), -1) << "a folder's links before its sub-folders";
    EXPECT_EQ(cmp({"News 2", "", ""}, {"News\\Tech", "", ""}), -1);
    EXPECT_EQ(cmp({"a", "Y", "u"}, {"a", "x", "v"}), 1);
    EXPECT_EQ(cmp({"a", "x", "u"}, {"a", "x", "v"}), 0);
    // Texts equal but for case are ordered by folder first, so each folder stays in one run.
    EXPECT_EQ(cmp({"News", "z", "u"}, {"news", "a", "u"}), -1);
    EXPECT_EQ(cmp({"news", "a", "u"}, {"News", "z", "u"}), 1);
}

TEST_F(FavouritesMenu, NoFavouritesFolderLeavesTheMenuEmpty)
{
    link("a.url", "http://a.example/");
    FakeRegistry none;
    MenuItem root;
    MenuReads reads({[&]() -> MenuItem& { return root; }, {}, {}, {}, {}});
    data.FavouritesList.push_back({"stale", "", ""});
    ReadFavouritesLater(reads, none, data, root);
    EXPECT_TRUE(root.children.empty());
    EXPECT_TRUE(data.FavouritesList.empty());
    EXPECT_EQ(reads.running(), 0) << "nothing to read";

    // With the folder, the menu waits for the read and then shows the links.
    test::App();
    ReadFavouritesLater(reads, reg, data, root);
    EXPECT_TRUE(AwaitsRead(root));
    ASSERT_TRUE(test::WaitUntil([&] { return reads.running() == 0; }));
    EXPECT_EQ(Outline(root), QStringList{"a > http://a.example/"});
    EXPECT_EQ(data.FavouritesList.size(), 1u);
}

TEST_F(FavouritesMenu, DeepTreesWorkAndAbsurdDepthIsCut)
{
    QString rel;
    for (int level = 1; level <= 50; ++level) {
        rel += QString("d%1/").arg(level);
        link(rel + "l.url", QByteArray("http://") + QByteArray::number(level) + ".example/");
    }
    MenuItem root = build();
    const MenuItem* item = &root;
    for (int level = 1; level <= 50; ++level) {
        ASSERT_FALSE(item->children.empty()) << level;
        item = &item->children.front();
        EXPECT_EQ(item->Caption, QString("d%1").arg(level));
    }
    EXPECT_EQ(item->children.at(0).Hint, "http://50.example/");

    QDir(fav).removeRecursively();
    QDir().mkpath(fav + "/" + QString("d/").repeated(kMaxFavouritesDepth + 20));
    root = build();
    EXPECT_EQ(data.FavouritesList.size(), size_t(kMaxFavouritesDepth));
    EXPECT_EQ(data.FavouritesList.back().Folder.count('\\'), kMaxFavouritesDepth - 1);
    EXPECT_EQ(root.children.size(), 1u);
}

TEST_F(FavouritesMenu, SymbolicLinkLoopsEndAndLinkedFoldersAreScannedOnce)
{
    link("A/a.url", "http://a.example/");
    ASSERT_TRUE(QFile::link(fav, fav + "/A/Loop"));
    ASSERT_TRUE(QFile::link(fav + "/A", fav + "/Again"));
    const QString outside = dir.path() + "/Outside";
    WriteBytes(outside + "/o.url", Shortcut("http://o.example/"));
    ASSERT_TRUE(QFile::link(outside, fav + "/Out"));
    ASSERT_TRUE(QFile::link(fav + "/missing", fav + "/broken.url"));

    build();
    QStringList folders;
    for (const TURLrec& rec : data.FavouritesList)
        folders << rec.Folder + "/" + rec.Name;
    EXPECT_EQ(folders, QStringList({"A/", "A/a", "Out/", "Out/o"}));
}

TEST(FavouritesUrlFile, ReadsTheUrlValueAsTheSystemIniReaderDoes)
{
    const auto url = [](const QByteArray& text) { return UrlFromShortcutText(text); };
    EXPECT_EQ(url("[InternetShortcut]\r\nURL=http://a.example/\r\n"), "http://a.example/");
    EXPECT_EQ(url("[other]\nURL=no\n  [ internetshortcut ]  \n  url  =  http://b.example/ x  \nURL=second\n"),
              "http://b.example/ x");
    EXPECT_EQ(url("[InternetShortcut]\rIconIndex=1\rUrl=http://cr.example/\r"), "http://cr.example/");
    EXPECT_EQ(url("\xEF\xBB\xBF[InternetShortcut]\nURL=bom\n"), "bom");
    const QString wide = "[InternetShortcut]\r\nURL=http://wide.example/\u00e8\r\n";
    EXPECT_EQ(url("\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(wide.utf16()), wide.size() * 2)),
              QString::fromUtf8("http://wide.example/è"));
    EXPECT_EQ(url(QByteArray("[InternetShortcut]\nURL=a\0b\n", 27)), "a") << "a value ends at a NUL byte";
    EXPECT_EQ(url("[InternetShortcut]\nURL=\n"), "");
    EXPECT_EQ(url("[InternetShortcut]\nIconFile=x\n"), UrlNotFound());
    EXPECT_EQ(url("URL=http://no.section/\n"), UrlNotFound());
    EXPECT_EQ(url("[InternetShortcutX]\nURL=no\n"), UrlNotFound());
    EXPECT_EQ(UrlNotFound(), QString::fromUtf8("non trouvé"));
}

TEST(FavouritesUrlFile, TextThatIsNotUtf8IsWindows1252)
{
    EXPECT_EQ(DecodeWindowsText("caf\xC3\xA9 \xE2\x82\xAC"), QString::fromUtf8("café €"));
    // A file saved with a byte-order mark reads as if it had none.
    EXPECT_EQ(DecodeWindowsText("\xEF\xBB\xBF[InternetShortcut]"), QStringLiteral("[InternetShortcut]"));
    EXPECT_EQ(DecodeWindowsText("caf\xE9 \x80\x8A\x99\x9F\x81\xFF"),
              QString::fromUtf8("café €Š™Ÿ") + QChar(0x81) + QChar(0xFF));
    EXPECT_EQ(UrlFromShortcutText("[InternetShortcut]\nURL=http://x.example/\xE0 la carte\n"),
              QString::fromUtf8("http://x.example/à la carte"));
}

TEST(FavouritesUrlFile, HugeBinaryAndSpecialFilesAreReadSafely)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/x.url";

    QByteArray big = Shortcut("http://first.example/");
    big += QByteArray(8 * 1024 * 1024, 'z');
    WriteBytes(path, big);
    EXPECT_EQ(ReadUrlShortcut(path), "http://first.example/");

    // Past the read limit, and a line cut by it, are not read.
    WriteBytes(path, "[InternetShortcut]\n" + QByteArray(kUrlFileReadLimit, ';') + "\nURL=http://late.example/\n");
    EXPECT_EQ(ReadUrlShortcut(path), UrlNotFound());
    QByteArray cut = "[InternetShortcut]\n" + QByteArray(kUrlFileReadLimit - 40, ';') + "\nURL=http://";
    cut += QByteArray(100, 'a') + "\n";
    WriteBytes(path, cut);
    EXPECT_EQ(ReadUrlShortcut(path), UrlNotFound());

    QByteArray junk(200000, '\0');
    for (qsizetype i = 0; i < junk.size(); ++i)
        junk[i] = char(i * 7919);
    WriteBytes(path, junk);
    EXPECT_EQ(ReadUrlShortcut(path), UrlNotFound());

    EXPECT_EQ(ReadUrlShortcut(dir.path() + "/missing.url"), UrlNotFound());
    // A pipe would block an ordinary read until something writes to it.
    const QString fifo = dir.path() + "/pipe.url";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(ReadUrlShortcut(fifo), UrlNotFound());
}
