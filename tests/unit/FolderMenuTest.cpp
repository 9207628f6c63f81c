#include "menus/FolderMenu.h"
#include "menus/FolderNames.h"
#include "menus/FolderReader.h"
#include "menus/NativePath.h"

#include "TempFiles.h"
#include "app/StringTable.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace parvo {
namespace {

using test::WriteBytes;

// One item as "caption|hint|tag|kind|picture|click|line reduction".
QString Describe(const MenuItem& item)
{
    const ItemPicture& p = item.Picture;
    const QString picture = p.source == ItemPicture::PopupCell ? QStringLiteral("c%1").arg(p.cell)
                            : p.source == ItemPicture::FileIcon ? QStringLiteral("sys")
                                                                : QStringLiteral("none");
    const char* click = item.OnClick == ItemClick::ExpandFolder ? "E" : item.OnClick == ItemClick::Launch ? "L" : "-";
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(item.Caption, item.Hint, QString::number(item.Tag), QString::number(item.HelpContext), picture,
             QLatin1String(click), QLatin1String(item.AutoLineReduction ? "R" : "-"));
}

QStringList Rows(const MenuItem& menu)
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

void MakeDir(const QString& path) { ASSERT_TRUE(QDir().mkpath(path)) << qPrintable(path); }

void Touch(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0) << qPrintable(path);
    ::close(fd);
}

// Expands a folder item (or the root, in a root build) and runs the read it asks for
// here, as the bar runs it on a thread of its own.
void Expand(FolderMenuState& state, MenuItem& root, MenuItem* item)
{
    MenuItem* target = state.RootBuild ? &root : item;
    if (const auto read = ExpandFolderItem(state, root, item)) {
        const MenuReads::Fill fill = FolderReadWork(*read)();
        fill(*target);
    }
}

MenuItem BuildRoot(FolderMenuState& state, const QString& key, MenuItem root = {})
{
    state.MenuKey = key;
    state.RootBuild = true;
    Expand(state, root, nullptr);
    return root;
}

MenuItem* Child(MenuItem& menu, const QString& caption)
{
    for (MenuItem& child : menu.children)
        if (child.Caption == caption)
            return &child;
    return nullptr;
}

class FolderMenuTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }
    QTemporaryDir tmp;
    const QString base = tmp.path() + QLatin1Char('/');
};

TEST_F(FolderMenuTest, EveryOptionCombinationGivesItsItems)
{
    MakeDir(base + "DOCS");
    MakeDir(base + ".cfg");
    for (const char* name : {"DOCS/inner.txt", "b.txt", ".secret.zip", "README"})
        Touch(base + name);

    for (int bits = 0; bits < 16; ++bits) {
        SCOPED_TRACE(bits);
        FolderMenuState state;
        state.Drives_subfolders = bits & 1;
        state.Drives_files = bits & 2;
        state.Drives_hidden = bits & 4;
        state.Drives_fullimages = bits & 8;
        const QString folder = state.Drives_fullimages ? "|-1|1|sys|" : "|-1|1|c8|";
        const QString click = state.Drives_subfolders ? "E|R" : "L|R";
        auto file = [&](const QString& caption, const QString& name, const char* cell) {
            return caption + "|" + base + name + "|-1|12|" + (state.Drives_fullimages ? "sys" : cell) + "|L|-";
        };

        MenuItem root = BuildRoot(state, base);
        QStringList expected{"[ " + base + " ]|" + base + folder + "L|-", kSep};
        if (state.Drives_hidden)
            expected << "[ .cfg ]|" + base + ".cfg/" + folder + click;
        expected << "[ Docs ]|" + base + "DOCS/" + folder + click;
        if (state.Drives_files) {
            expected << kSep;
            if (state.Drives_hidden)
                expected << file(".secret.zip", ".secret.zip", "c53");
            expected << file("b.txt", "b.txt", "c50") << file("Readme", "README", "c49");
        }
        EXPECT_EQ(Rows(root), expected);
        EXPECT_FALSE(state.RootBuild);

        MenuItem* docs = Child(root, "[ Docs ]");
        ASSERT_NE(docs, nullptr);
        const QString head = "-> [ Docs ]|" + base + "DOCS/" + folder + "L|R";
        EXPECT_EQ(Rows(*docs), state.Drives_subfolders ? (QStringList{head, kSep}) : QStringList());
        if (!state.Drives_subfolders)
            continue;
        Expand(state, root, docs);
        QStringList sub{head, kSep};
        if (state.Drives_files)
            sub << file("inner.txt", "DOCS/inner.txt", "c50");
        EXPECT_EQ(Rows(*docs), sub << kSep);
        EXPECT_EQ(docs->Tag, state.Drives_files ? 0 : -1);
    }
}

TEST_F(FolderMenuTest, SubmenuListsHeaderFoldersSeparatorFilesInLocaleOrder)
{
    for (const char* name : {"top/beta", "top/Alpha", "top/GAMMA"})
        MakeDir(base + name);
    for (const char* name : {"top/zed.txt", "top/Apple.doc", "top/mango"})
        Touch(base + name);
    FolderMenuState state;
    MenuItem stale;
    stale.children.push_back(Separator("stale"));
    MenuItem root = BuildRoot(state, base, stale);
    ASSERT_EQ(Captions(root), (QStringList{"[ " + base + " ]", "-", "[ top ]"}));

    MenuItem& top = root.children[2];
    Expand(state, root, &top);
    EXPECT_EQ(Captions(top), (QStringList{"-> [ top ]", "-", "[ Alpha ]", "[ beta ]", "[ Gamma ]", "-", "Apple.doc",
                                          "mango", "zed.txt", "-"}));
    EXPECT_EQ(top.children[3].Hint, base + "top/beta/");
    EXPECT_EQ(top.children[4].children.size(), 2u) << "sub-folders carry only their header until opened";
}

TEST_F(FolderMenuTest, EmptyFolderIsReadAgainUntilFilledThenNever)
{
    MakeDir(base + "box");
    FolderMenuState state;
    int begun = 0, ended = 0;
    state.BeginUpdate = [&] { ++begun; };
    state.EndUpdate = [&] { ++ended; };
    MenuItem root = BuildRoot(state, base);
    MenuItem& box = root.children[2];

    Expand(state, root, &box);
    Expand(state, root, &box);
    EXPECT_EQ(box.Tag, -1);
    EXPECT_EQ(Captions(box), (QStringList{"-> [ box ]", "-", "-"})) << "separators must not pile up";

    Touch(base + "box/new.txt");
    Expand(state, root, &box);
    EXPECT_EQ(box.Tag, 0);
    EXPECT_EQ(Captions(box), (QStringList{"-> [ box ]", "-", "new.txt", "-"}));

    Touch(base + "box/later.txt");
    Expand(state, root, &box);
    EXPECT_EQ(Captions(box), (QStringList{"-> [ box ]", "-", "new.txt", "-"}));
    EXPECT_EQ(begun, 4) << "root build and three readings; a filled folder is not read";
    EXPECT_EQ(ended, begun);
}

TEST_F(FolderMenuTest, PvfoldersComeFromTheListAndNeverListFiles)
{
    WriteBytes(base + "prog/data/efolder.mke",
               "// header\nWork|/srv/work>11\nNoFlag|/srv/noflag\nPlain|/srv/plain>01\nOdd|/srv/odd>a1\nbare\n");
    Touch(base + "stray.txt");
    MakeDir(base + "strayfolder");
    const QString oldCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(base));
    FolderMenuState state;
    state.programFolder = base + "prog/";
    MenuItem root = BuildRoot(state, "PvF");
    QDir::setCurrent(oldCurrent);

    EXPECT_EQ(Rows(root), (QStringList{
                              Str(21) + "|-|0|3|c9|L|R",
                              "-|" + Str(60) + "|0|0|none|-|-",
                              "[ Work ]|/srv/work/|-1|1|c9|E|R",
                              "[ NoFlag ]|/srv/noflag/|-1|1|c9|E|R",
                              "[ Plain ]|/srv/plain/|-1|1|c9|L|R",
                              "[ Odd ]|/srv/odd/|-1|1|c9|L|R",
                              "[  ]|bare/|-1|1|c9|E|R",
                          }));
    EXPECT_EQ(Captions(root.children[2]), (QStringList{"-> [ Work ]", "-"}));
    EXPECT_TRUE(root.children[4].children.empty());
    EXPECT_TRUE(state.ScratchList.isEmpty());
}

TEST_F(FolderMenuTest, WindowsFolderPicturesFollowTheirPosition)
{
    const QStringList all{"Desktop|/d>11", "Personal|/p>11", "Favorites|/f>11", "Fonts|/fo>00",
                          "SendTo|/s>11",  "Start Menu|/sm>11", "Programs|/pr>11", "Startup|/su>11",
                          "Recent|/r>00",  "History|/h>00",  "Cache|/c>00",     "Extra|/e>11"};
    const std::vector<int> cells{12, 13, 14, 15, 8, 4, 16, 17, 13, 18, 19, 0};
    for (const QStringList& list : {all, all.mid(1)}) {
        SCOPED_TRACE(list.size());
        FolderMenuState state;
        state.Drives_fullimages = true; // list entries keep their glyph cells
        state.WinFolderList = list;
        MenuItem root = BuildRoot(state, "WinFolders");
        ASSERT_EQ(root.children.size(), size_t(list.size()) + 2);
        EXPECT_EQ(Describe(root.children[0]), Str(121) + "|-|0|7|c4|L|R");
        EXPECT_EQ(Describe(root.children[1]), "-|" + Str(59) + "|0|0|none|-|-");
        for (qsizetype i = 0; i < list.size(); ++i) {
            const MenuItem& item = root.children[size_t(i) + 2];
            const bool plain = list[i].endsWith(">00");
            EXPECT_EQ(item.Picture, ItemPicture::Popup(cells[size_t(i)])) << qPrintable(item.Caption);
            EXPECT_EQ(item.OnClick, plain ? ItemClick::Launch : ItemClick::ExpandFolder) << qPrintable(item.Caption);
            EXPECT_EQ(item.children.size(), plain ? 0u : 2u);
        }
    }
}

TEST_F(FolderMenuTest, ListEntrySubmenuFollowsSubfolderOption)
{
    MakeDir(base + "w/inner");
    FolderMenuState state;
    state.Drives_subfolders = false;
    state.WinFolderList = {"Desktop|" + base + "w/>11"}; // "/" is added even after a "/"
    MenuItem root = BuildRoot(state, "WinFolders");
    MenuItem& desktop = root.children[2];
    ASSERT_EQ(desktop.OnClick, ItemClick::ExpandFolder);
    Expand(state, root, &desktop);
    ASSERT_EQ(desktop.children.size(), 4u);
    EXPECT_EQ(Describe(desktop.children[2]), "[ inner ]|" + base + "w//inner/|-1|1|c8|L|R");
}

TEST_F(FolderMenuTest, UnreadableMissingOrRelativeFolderGivesOnlyTheHeader)
{
    MakeDir(base + "locked/inside");
    Touch(base + "stray.txt");
    const QByteArray locked = QFile::encodeName(base + "locked");
    ASSERT_EQ(::chmod(locked.constData(), 0), 0);
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(base);
    QStringList hints{base + "gone/", "relative/", ""};
    if (::geteuid() != 0) // root reads any folder
        hints << base + "locked/";
    for (const QString& hint : hints) {
        SCOPED_TRACE(qPrintable(hint));
        FolderMenuState state;
        MenuItem root, folder;
        folder.Caption = "[ x ]";
        folder.Hint = hint;
        folder.Tag = -1;
        AddFolderHeader(state, folder, false);
        Expand(state, root, &folder);
        EXPECT_EQ(Captions(folder), (QStringList{"-> [ x ]", "-", "-"}));
        EXPECT_EQ(folder.Tag, -1);
    }
    QDir::setCurrent(oldCurrent);
    ::chmod(locked.constData(), 0700);
}

TEST_F(FolderMenuTest, LinksCountAsWhatTheyPointToAndLoopsOpenOneLevelAtATime)
{
    MakeDir(base + "a");
    Touch(base + "target.txt");
    auto link = [&](const QByteArray& to, const QString& at) {
        ASSERT_EQ(::symlink(to.constData(), QFile::encodeName(base + at).constData()), 0);
    };
    link(QFile::encodeName(base + "a"), "a/loop");
    link("nowhere", "a/broken");
    link(QFile::encodeName(base + "target.txt"), "a/tofile");
    // A name that is not UTF-8 is still listed, decoded as well as it can be.
    const QByteArray odd = QFile::encodeName(base + "a/") + QByteArray("bad\xff.txt");
    ASSERT_EQ(::close(::open(odd.constData(), O_CREAT | O_WRONLY, 0600)), 0);

    FolderMenuState state;
    MenuItem root = BuildRoot(state, base + "a/");
    EXPECT_EQ(Captions(root), (QStringList{"[ " + base + "a/ ]", "-", "[ loop ]", "-", "bad\uFFFD.txt", "broken",
                                           "tofile"}));
    MenuItem* level = &root.children[2];
    for (int depth = 0; depth < 3; ++depth) {
        Expand(state, root, level);
        EXPECT_EQ(Captions(*level).mid(2, 2), (QStringList{"[ loop ]", "-"}));
        level = &level->children[2];
        EXPECT_EQ(level->children.size(), 2u);
    }
    EXPECT_EQ(level->Hint, base + "a/loop/loop/loop/loop/");
    ::unlink(odd.constData()); // the temporary folder's cleanup cannot name it
}

TEST(FolderNamesTest, CapitaliseName)
{
    const std::pair<QString, QString> cases[] = {
        {"WINDOWS", "Windows"}, {"AUTOEXEC.BAT", "Autoexec.bat"}, {"Program Files", "Program Files"},
        {"ÉCOLE", "École"},     {"ÜBER_ä", "ÜBER_ä"},             {"123", "123"},
        {"", ""},               {"\U00010400\U00010400", "\U00010400\U00010428"}, // capitals outside 16 bits
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(CapitaliseName(name), shown);
}

TEST(FolderNamesTest, FileIconIndexByExtension)
{
    const std::pair<const char*, int> cases[] = {
        {"/a/notes.txt", 50}, {"/a/X.Pdf", 50},  {"/a/page.HTML", 6}, {"/a/b.tar.GZ", 53}, {"/a/run.exe", 51},
        {"/a/s.Mid", 52},     {"/a/README", 49}, {"/a/x.tgz", 49},    {"/a.txt/plain", 49}, {"/a/.txt", 50},
        {"/a/trailing.", 49}, {"/a/x.htmll", 49}, {"/a/x.ｔｘｔ", 49},
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
    QStringList expected;
    for (int i = 0; i < 3000; ++i) {
        // Unique ignoring case, with varying case.
        const QString name = QString::number(i * 7919 % 3001, 36) + "f" + QString::number(i);
        expected << (i % 3 ? name : name.toUpper());
        Touch(base + expected.back());
    }
    MakeDir(base + "SubB");
    MakeDir(base + "suba");
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) { return a.toLower() < b.toLower(); });

    const FolderLevel level = ReadFolderLevel(base, false);
    EXPECT_TRUE(level.readable);
    EXPECT_EQ(level.folders, (QStringList{"suba", "SubB"}));
    EXPECT_EQ(level.files, expected);
    EXPECT_TRUE(ReadFolderLevel(base, false, false).files.isEmpty());
}

} // namespace

TEST_F(FolderMenuTest, NamesThatAreNotUtf8KeepTheirBytes)
{
    // A folder "caf\xE9" written by another system, holding one file.
    const QByteArray folder = QFile::encodeName(base) + QByteArray("caf\xE9");
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    ASSERT_EQ(::close(::open((folder + "/men\xF9.txt").constData(), O_CREAT | O_WRONLY, 0600)), 0);

    FolderMenuState state;
    MenuItem root = BuildRoot(state, base);
    ASSERT_EQ(root.children.size(), 3u);
    MenuItem& cafe = root.children[2];
    EXPECT_EQ(cafe.Caption, QString::fromUtf8("[ caf\uFFFD ]")) << "shown as well as it can be";
    EXPECT_EQ(EncodeFileName(cafe.Hint), folder + "/") << "the path keeps the bytes";
    EXPECT_TRUE(IsFolderPath(cafe.Hint));

    Expand(state, root, &cafe);
    EXPECT_EQ(Captions(cafe), (QStringList{QString::fromUtf8("-> [ caf\uFFFD ]"), "-", QString::fromUtf8("men\uFFFD.txt"), "-"}));
    EXPECT_EQ(EncodeFileName(cafe.children[2].Hint), folder + "/men\xF9.txt");
    test::RemoveTree(folder);
}

TEST(NativePathTest, EveryByteStringComesBackAsItWent)
{
    const QByteArray samples[] = {
        "plain", "caf\xC3\xA9", "caf\xE9", "\xFF\xFE", "\xED\xB2\x80 not a surrogate", "\xC0\xAF overlong",
        "\xF4\x90\x80\x80 too high", "cut \xE2\x82", "\xF0\x9F\x98\x80 emoji",
    };
    for (const QByteArray& bytes : samples) {
        const QString text = DecodeFileName(bytes);
        EXPECT_EQ(EncodeFileName(text), bytes) << bytes.toHex().constData();
        const QString shown = DisplayFileName(text);
        EXPECT_TRUE(std::none_of(shown.begin(), shown.end(), [](QChar c) { return c >= QChar(0xDC80) && c <= QChar(0xDCFF); }))
            << bytes.toHex().constData();
    }
    EXPECT_EQ(DecodeFileName("caf\xC3\xA9"), QString::fromUtf8("caf\u00e9"));
    EXPECT_EQ(DisplayFileName(DecodeFileName("caf\xE9")), QString::fromUtf8("caf\uFFFD"));
}

} // namespace parvo
