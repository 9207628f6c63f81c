#include "menus/FolderMenu.h"
#include "menus/FolderNames.h"
#include "menus/FolderReader.h"

#include "TempFiles.h"
#include "app/StringTable.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

// Readable failure messages.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace parvo {
namespace {

using test::WriteBytes;

// One line per item: caption|hint|tag|kind|picture|click|line reduction.
QString Describe(const MenuItem& item)
{
    QString picture = QStringLiteral("none");
    if (item.Picture.source == ItemPicture::PopupCell)
        picture = QStringLiteral("c%1").arg(item.Picture.cell);
    else if (item.Picture.source == ItemPicture::FileIcon)
        picture = QStringLiteral("sys");
    const char* click = item.OnClick == ItemClick::ExpandFolder ? "E" : item.OnClick == ItemClick::Launch ? "L" : "-";
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(item.Caption, item.Hint)
        .arg(item.Tag)
        .arg(item.HelpContext)
        .arg(picture, QLatin1String(click), item.AutoLineReduction ? QStringLiteral("R") : QStringLiteral("-"));
}

QStringList DescribeChildren(const MenuItem& menu)
{
    QStringList rows;
    for (const MenuItem& child : menu.children)
        rows << Describe(child);
    return rows;
}

QStringList Captions(const MenuItem& menu)
{
    QStringList captions;
    for (const MenuItem& child : menu.children)
        captions << child.Caption;
    return captions;
}

const QString kSep = QStringLiteral("-||0|0|none|-|-");

void MakeDir(const QString& path)
{
    ASSERT_TRUE(QDir().mkpath(path)) << qPrintable(path);
}

// A root build of `key` with the given state.
MenuItem BuildRoot(FolderMenuState& state, const QString& key)
{
    MenuItem root;
    state.MenuKey = key;
    state.RootBuild = true;
    ExpandFolderItem(state, root, nullptr);
    return root;
}

const MenuItem* FindCaption(const MenuItem& menu, const QString& caption)
{
    for (const MenuItem& child : menu.children)
        if (child.Caption == caption)
            return &child;
    return nullptr;
}

class FolderMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        base = tmp.path() + QLatin1Char('/');
    }
    QTemporaryDir tmp;
    QString base;
};

// ---- the four options against one small tree ----

TEST_F(FolderMenuTest, EveryOptionCombinationGivesItsItems)
{
    MakeDir(base + "DOCS");
    MakeDir(base + ".cfg");
    WriteBytes(base + "DOCS/inner.txt", "x");
    WriteBytes(base + "b.txt", "x");
    WriteBytes(base + ".secret.zip", "x");
    WriteBytes(base + "README", "x");

    for (int bits = 0; bits < 16; ++bits) {
        FolderMenuState state;
        state.Drives_subfolders = bits & 1;
        state.Drives_files = bits & 2;
        state.Drives_hidden = bits & 4;
        state.Drives_fullimages = bits & 8;
        SCOPED_TRACE(bits);
        const QString folderPic = state.Drives_fullimages ? "sys" : "c8";
        const QString click = state.Drives_subfolders ? "E" : "L";

        MenuItem root = BuildRoot(state, base);
        QStringList expected{"[ " + base + " ]|" + base + "|-1|1|" + folderPic + "|L|-", kSep};
        if (state.Drives_hidden)
            expected << "[ .cfg ]|" + base + ".cfg/|-1|1|" + folderPic + "|" + click + "|R";
        expected << "[ Docs ]|" + base + "DOCS/|-1|1|" + folderPic + "|" + click + "|R";
        if (state.Drives_files) {
            expected << kSep;
            if (state.Drives_hidden)
                expected << ".secret.zip|" + base + ".secret.zip|-1|12|" + (state.Drives_fullimages ? "sys" : "c53") + "|L|-";
            expected << "b.txt|" + base + "b.txt|-1|12|" + (state.Drives_fullimages ? "sys" : "c50") + "|L|-";
            expected << "Readme|" + base + "README|-1|12|" + (state.Drives_fullimages ? "sys" : "c49") + "|L|-";
        }
        EXPECT_EQ(DescribeChildren(root), expected);
        EXPECT_FALSE(state.RootBuild);

        MenuItem* docs = const_cast<MenuItem*>(FindCaption(root, "[ Docs ]"));
        ASSERT_NE(docs, nullptr);
        if (!state.Drives_subfolders) {
            EXPECT_TRUE(docs->children.empty());
            continue;
        }
        const QString head = "-> [ Docs ]|" + base + "DOCS/|-1|1|" + folderPic + "|L|R";
        EXPECT_EQ(DescribeChildren(*docs), (QStringList{head, kSep}));

        ExpandFolderItem(state, root, docs);
        QStringList sub{head, kSep};
        if (state.Drives_files)
            sub << "inner.txt|" + base + "DOCS/inner.txt|-1|12|" + (state.Drives_fullimages ? "sys" : "c50") + "|L|-";
        sub << kSep;
        EXPECT_EQ(DescribeChildren(*docs), sub);
        EXPECT_EQ(docs->Tag, state.Drives_files ? 0 : -1);
    }
}

TEST_F(FolderMenuTest, SubmenuListsHeaderFoldersSeparatorFilesInLocaleOrder)
{
    for (const char* name : {"beta", "Alpha", "GAMMA"})
        MakeDir(base + "top/" + name);
    for (const char* name : {"zed.txt", "Apple.doc", "mango"})
        WriteBytes(base + "top/" + name, "x");
    FolderMenuState state;
    MenuItem root = BuildRoot(state, base);
    ASSERT_EQ(root.children.size(), 3u);
    MenuItem& top = root.children[2];

    ExpandFolderItem(state, root, &top);
    EXPECT_EQ(Captions(top), (QStringList{"-> [ top ]", "-", "[ Alpha ]", "[ beta ]", "[ Gamma ]", "-", "Apple.doc",
                                          "mango", "zed.txt", "-"}));
    EXPECT_EQ(top.children[3].Hint, base + "top/beta/");
    EXPECT_EQ(top.children[4].children.size(), 2u) << "sub-folders carry only their header until opened";
}

TEST_F(FolderMenuTest, FolderWithFilesOnlyHasJustTheHeaderSeparatorAboveThem)
{
    WriteBytes(base + "f/b", "x");
    WriteBytes(base + "f/A", "x");
    FolderMenuState state;
    MenuItem root = BuildRoot(state, base);
    ExpandFolderItem(state, root, &root.children[2]);
    EXPECT_EQ(Captions(root.children[2]), (QStringList{"-> [ f ]", "-", "A", "b", "-"}));
}

// ---- lazy filling ----

TEST_F(FolderMenuTest, EmptyFolderIsReadAgainUntilFilledThenNever)
{
    MakeDir(base + "box");
    FolderMenuState state;
    int begun = 0, ended = 0;
    state.BeginUpdate = [&] { ++begun; };
    state.EndUpdate = [&] { ++ended; };
    MenuItem root = BuildRoot(state, base);
    MenuItem& box = root.children[2];

    ExpandFolderItem(state, root, &box);
    ExpandFolderItem(state, root, &box);
    EXPECT_EQ(box.Tag, -1);
    EXPECT_EQ(Captions(box), (QStringList{"-> [ box ]", "-", "-"})) << "separators must not pile up";

    WriteBytes(base + "box/new.txt", "x");
    ExpandFolderItem(state, root, &box);
    EXPECT_EQ(box.Tag, 0);
    EXPECT_EQ(Captions(box), (QStringList{"-> [ box ]", "-", "new.txt", "-"}));

    WriteBytes(base + "box/later.txt", "x");
    ExpandFolderItem(state, root, &box);
    EXPECT_EQ(Captions(box), (QStringList{"-> [ box ]", "-", "new.txt", "-"}));
    EXPECT_EQ(begun, 4) << "root build and three readings; a filled folder is not read";
    EXPECT_EQ(ended, begun);
    EXPECT_FALSE(state.RootBuild);
}

TEST_F(FolderMenuTest, FilesOnlyFolderWithoutFilesOptionStaysUnread)
{
    WriteBytes(base + "f/a.txt", "x");
    FolderMenuState state;
    state.Drives_files = false;
    MenuItem root = BuildRoot(state, base);
    ExpandFolderItem(state, root, &root.children[2]);
    EXPECT_EQ(root.children[2].Tag, -1);
    EXPECT_EQ(Captions(root.children[2]), (QStringList{"-> [ f ]", "-", "-"}));
}

TEST_F(FolderMenuTest, RootBuildReplacesEveryOldRootItem)
{
    MakeDir(base + "one");
    FolderMenuState state;
    MenuItem root;
    root.children.push_back(Separator("stale"));
    state.MenuKey = base;
    state.RootBuild = true;
    ExpandFolderItem(state, root, nullptr);
    EXPECT_EQ(Captions(root), (QStringList{"[ " + base + " ]", "-", "[ one ]"}));
}

// ---- the two lists of folders ----

TEST_F(FolderMenuTest, PvfoldersComeFromTheListAndNeverListFiles)
{
    WriteBytes(base + "prog/data/efolder.mke", "// header\n"
                                                "Work|/srv/work>11\n"
                                                "NoFlag|/srv/noflag\n"
                                                "Plain|/srv/plain>01\n"
                                                "bare\n");
    WriteBytes(base + "cwd/stray.txt", "x");
    MakeDir(base + "cwd/strayfolder");
    const QString oldCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(base + "cwd"));

    FolderMenuState state;
    state.programFolder = base + "prog/";
    MenuItem root = BuildRoot(state, "PvF");
    QDir::setCurrent(oldCurrent);

    EXPECT_EQ(DescribeChildren(root), (QStringList{
                                          Str(21) + "|-|0|3|c9|L|R",
                                          "-|" + Str(60) + "|0|0|none|-|-",
                                          "[ Work ]|/srv/work/|-1|1|c9|E|R",
                                          "[ NoFlag ]|/srv/noflag/|-1|1|c9|E|R",
                                          "[ Plain ]|/srv/plain/|-1|1|c9|L|R",
                                          "[  ]|bare/|-1|1|c9|E|R",
                                      }));
    EXPECT_EQ(Captions(root.children[2]), (QStringList{"-> [ Work ]", "-"}));
    EXPECT_TRUE(root.children[4].children.empty());
    EXPECT_TRUE(state.ScratchList.isEmpty());
}

TEST_F(FolderMenuTest, WindowsFolderPicturesFollowTheirPosition)
{
    const QStringList all{"Desktop|/d>11",     "Personal|/p>11", "Favorites|/f>11", "Fonts|/fo>00",
                          "SendTo|/s>11",      "Start Menu|/sm>11", "Programs|/pr>11", "Startup|/su>11",
                          "Recent|/r>00",      "History|/h>00",  "Cache|/c>00",     "Extra|/e>11"};
    struct Case {
        const char* name;
        QStringList list;
        std::vector<int> cells;
    } cases[] = {
        {"all", all, {12, 13, 14, 15, 8, 4, 16, 17, 13, 18, 19, 0}},
        {"no desktop", all.mid(1), {12, 13, 14, 15, 8, 4, 16, 17, 13, 18, 19}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FolderMenuState state;
        state.Drives_fullimages = true; // list entries keep their glyph cells
        state.WinFolderList = c.list;
        MenuItem root = BuildRoot(state, "WinFolders");
        ASSERT_EQ(root.children.size(), c.list.size() + 2);
        EXPECT_EQ(Describe(root.children[0]), Str(121) + "|-|0|7|c4|L|R");
        EXPECT_EQ(Describe(root.children[1]), "-|" + Str(59) + "|0|0|none|-|-");
        for (size_t i = 0; i < c.cells.size(); ++i) {
            const MenuItem& item = root.children[i + 2];
            EXPECT_EQ(item.Picture, ItemPicture::Popup(c.cells[i])) << qPrintable(item.Caption);
            const bool plain = c.list[qsizetype(i)].endsWith(">00");
            EXPECT_EQ(item.OnClick, plain ? ItemClick::Launch : ItemClick::ExpandFolder) << qPrintable(item.Caption);
            EXPECT_EQ(item.children.size(), plain ? 0u : 2u);
        }
    }
}

TEST_F(FolderMenuTest, SubmenuOfListEntryHonoursSubfolderOption)
{
    MakeDir(base + "w/inner");
    FolderMenuState state;
    state.Drives_subfolders = false;
    // The entry's target already ends with "/"; the separator is added all the same.
    state.WinFolderList = {"Desktop|" + base + "w/>11"};
    MenuItem root = BuildRoot(state, "WinFolders");
    MenuItem& desktop = root.children[2];
    ASSERT_EQ(desktop.OnClick, ItemClick::ExpandFolder);
    ExpandFolderItem(state, root, &desktop);
    const MenuItem* inner = FindCaption(desktop, "[ inner ]");
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->OnClick, ItemClick::Launch);
    EXPECT_EQ(desktop.Hint, base + "w//");
    EXPECT_EQ(inner->Hint, base + "w//inner/");
}

// ---- folders that cannot be read, links, odd names ----

TEST_F(FolderMenuTest, UnreadableMissingOrRelativeFolderGivesOnlyTheHeader)
{
    MakeDir(base + "locked/inside");
    ASSERT_EQ(::chmod(QFile::encodeName(base + "locked").constData(), 0), 0);
    const bool root = ::geteuid() == 0;
    const QString oldCurrent = QDir::currentPath();
    WriteBytes(base + "cwd/stray.txt", "x");
    QDir::setCurrent(base + "cwd");

    for (const QString& hint : {base + "locked/", base + "gone/", QStringLiteral("relative/"), QString()}) {
        if (root && hint.endsWith("locked/"))
            continue;
        SCOPED_TRACE(qPrintable(hint));
        FolderMenuState state;
        MenuItem menuRoot;
        MenuItem folder;
        folder.Caption = "[ x ]";
        folder.Hint = hint;
        folder.Tag = -1;
        folder.OnClick = ItemClick::ExpandFolder;
        AddFolderHeader(state, folder, false);
        ExpandFolderItem(state, menuRoot, &folder);
        EXPECT_EQ(Captions(folder), (QStringList{"-> [ x ]", "-", "-"}));
        EXPECT_EQ(folder.Tag, -1);
    }
    QDir::setCurrent(oldCurrent);
    ::chmod(QFile::encodeName(base + "locked").constData(), 0700);
}

TEST_F(FolderMenuTest, LinksCountAsWhatTheyPointToAndLoopsOpenOneLevelAtATime)
{
    MakeDir(base + "a");
    WriteBytes(base + "target.txt", "x");
    ASSERT_EQ(::symlink(QFile::encodeName(base + "a").constData(), QFile::encodeName(base + "a/loop").constData()), 0);
    ASSERT_EQ(::symlink("nowhere", QFile::encodeName(base + "a/broken").constData()), 0);
    ASSERT_EQ(::symlink(QFile::encodeName(base + "target.txt").constData(),
                        QFile::encodeName(base + "a/tofile").constData()),
              0);
    FolderMenuState state;
    MenuItem root = BuildRoot(state, base + "a/");
    EXPECT_EQ(Captions(root), (QStringList{"[ " + base + "a/ ]", "-", "[ loop ]", "-", "broken", "tofile"}));

    MenuItem* level = &root.children[2];
    for (int depth = 0; depth < 3; ++depth) {
        ExpandFolderItem(state, root, level);
        EXPECT_EQ(Captions(*level), (QStringList{"-> [ loop ]", "-", "[ loop ]", "-", "broken", "tofile", "-"}));
        level = &level->children[2];
        EXPECT_EQ(level->children.size(), 2u);
    }
    EXPECT_EQ(level->Hint, base + "a/loop/loop/loop/loop/");
}

TEST_F(FolderMenuTest, NameThatIsNotUtf8IsListed)
{
    MakeDir(base + "odd");
    const QByteArray raw = QFile::encodeName(base + "odd/") + QByteArray("bad\xff.txt");
    const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    FolderMenuState state;
    MenuItem root = BuildRoot(state, base + "odd/");
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(root.children[2].HelpContext, 12);
    EXPECT_TRUE(root.children[2].Caption.startsWith("bad"));
    EXPECT_EQ(root.children[2].Picture, ItemPicture::Popup(50));
    ::unlink(raw.constData()); // the temporary folder's own cleanup cannot name it
}

// ---- names and sorting ----

TEST(FolderNamesTest, CapitaliseName)
{
    const std::pair<QString, QString> cases[] = {
        {"WINDOWS", "Windows"},
        {"AUTOEXEC.BAT", "Autoexec.bat"},
        {"Program Files", "Program Files"},
        {"Documents and Settings", "Documents and Settings"},
        {"ÉCOLE", "École"},
        {"ÄRGER.TXT", "Ärger.txt"},
        {"Über", "Über"},
        {"über", "über"},
        {"ÜBER_ä", "ÜBER_ä"},
        {"123", "123"},
        {"", ""},
        {"X", "X"},
        {"\U00010400\U00010400", "\U00010400\U00010428"}, // Deseret capitals outside the basic plane
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(CapitaliseName(name), shown) << qPrintable(name);
}

TEST(FolderNamesTest, FileIconIndexByExtension)
{
    const std::pair<const char*, int> cases[] = {
        {"/a/notes.txt", 50}, {"/a/X.Pdf", 50},      {"/a/page.HTML", 6},  {"/a/link.url", 6},
        {"/a/b.tar.GZ", 53},  {"/a/b.zip", 53},      {"/a/run.exe", 51},   {"/a/go.bat", 51},
        {"/a/s.mp3", 52},     {"/a/s.Mid", 52},      {"/a/README", 49},    {"/a/x.tgz", 49},
        {"/a.txt/plain", 49}, {"/a/.txt", 50},       {"/a/trailing.", 49}, {"/a/x.htmll", 49},
        {"/a/x.tx", 49},      {"/a/x.ｔｘｔ", 49},
    };
    for (const auto& [path, cell] : cases)
        EXPECT_EQ(FileIconIndex(QString::fromUtf8(path)), cell) << path;
}

TEST(FolderReaderTest, SortFollowsTheLocaleWithoutCase)
{
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QStringList names{"zeta", "Éclair", "eclipse", "Apple", "banana", "Bandana"};
    SortLikeLocale(names);
    QLocale::setDefault(old);
    EXPECT_EQ(names, (QStringList{"Apple", "banana", "Bandana", "Éclair", "eclipse", "zeta"}));
}

TEST_F(FolderMenuTest, ThousandsOfFilesAreSortedWithoutCase)
{
    MakeDir(base + "many");
    QStringList expected;
    for (int i = 0; i < 3000; ++i) {
        // Unique ignoring case, with the case of each name varying.
        QString name = QString::number(i * 7919 % 3001, 36) + QStringLiteral("f") + QString::number(i);
        if (i % 3 == 0)
            name = name.toUpper();
        expected << name;
        const int fd = ::open(QFile::encodeName(base + "many/" + name).constData(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    MakeDir(base + "many/SubB");
    MakeDir(base + "many/suba");
    std::sort(expected.begin(), expected.end(),
              [](const QString& a, const QString& b) { return a.toLower() < b.toLower(); });

    const FolderLevel level = ReadFolderLevel(base + "many", false);
    EXPECT_TRUE(level.readable);
    EXPECT_EQ(level.folders, (QStringList{"suba", "SubB"}));
    EXPECT_EQ(level.files, expected);
    EXPECT_TRUE(ReadFolderLevel(base + "many", false, false).files.isEmpty());
}

} // namespace
} // namespace parvo
