#include "FakeShellLinks.h"
#include "TempFiles.h"
#include "settings/ListEntry.h"
#include "menus/ProgramShortcuts.h"
#include "settings/ListFile.h"
#include "settings/ListFiles.h"
#include "settings/ShortcutList.h"
#include "settings/SortedTextList.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <grp.h>
#include <unistd.h>

using namespace parvo;
using parvo::test::ReadBytes;
using parvo::test::WriteBytes;

TEST(ParseEntry, FieldsAndFlags)
{
    const QString desktop = "Desktop|c:\\x\\Desktop>11";
    EXPECT_EQ(ParseEntry(desktop, 0), "Desktop");
    EXPECT_EQ(ParseEntry(desktop, 1), "c:\\x\\Desktop");
    EXPECT_EQ(ParseEntry(desktop, 2), "1");
    EXPECT_EQ(ParseEntry(desktop, 3), "1");
    EXPECT_TRUE(EntryOpensSubmenu(desktop));

    const QString fonts = "Fonts|c:\\x\\Fonts>00";
    EXPECT_EQ(ParseEntry(fonts, 2), "0");
    EXPECT_FALSE(EntryOpensSubmenu(fonts));

    const QString home = "Home|c:\\x";
    EXPECT_EQ(ParseEntry(home, 1), "c:\\x");
    EXPECT_EQ(ParseEntry(home, 2), "error");
    EXPECT_EQ(ParseEntry(home, 3), "error");
    EXPECT_TRUE(EntryOpensSubmenu(home));

    // A ">" inside a target cuts it; the flags are the line's last two characters.
    const QString cut = "Odd|/srv/a>b/c";
    EXPECT_EQ(ParseEntry(cut, 1), "/srv/a");
    EXPECT_EQ(ParseEntry(cut, 2), "/");
    EXPECT_EQ(ParseEntry(cut, 3), "c");
    EXPECT_FALSE(EntryOpensSubmenu(cut));

    // Spaces belong to the fields; no "|" gives an empty name and the whole line.
    EXPECT_EQ(ParseEntry(" a | b ", 0), " a ");
    EXPECT_EQ(ParseEntry(" a | b ", 1), " b ");
    EXPECT_EQ(ParseEntry("/just/a/path", 0), "");
    EXPECT_EQ(ParseEntry("/just/a/path", 1), "/just/a/path");
    EXPECT_EQ(ParseEntry("/path>11", 1), "/path");
    EXPECT_EQ(ParseEntry(">", 2), "error");
    EXPECT_EQ(ParseEntry(">", 3), ">");
    EXPECT_EQ(ParseEntry("", 0), "");
    EXPECT_EQ(ParseEntry("", 1), "");
    EXPECT_EQ(ParseEntry("a|b", 4), "error");
}

TEST(ListFile, LineEndsHeaderAndStopAtTheFirstEmptyLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("l.mke");
    struct Case {
        QByteArray bytes;
        QStringList expected;
    } cases[] = {
        {"head\r\na|1\r\nb|2\r\n", {"a|1", "b|2"}},
        {"head\na|1\nb|2", {"a|1", "b|2"}},                   // LF only, no final end
        {"head\ra|1\rb|2\r", {"a|1", "b|2"}},                 // CR only
        {"a|first is the header\r\nb|2\r\n", {"b|2"}},
        {"head\r\na|1\r\n\r\nhidden|3\r\n", {"a|1"}},
        {"", {}},
        {"only a header", {}},
        {"h\r\nno bar at all\r\n", {"no bar at all"}},
    };
    for (const Case& c : cases) {
        WriteBytes(path, c.bytes);
        const auto lines = ReadListBody(path);
        ASSERT_TRUE(lines.has_value());
        EXPECT_EQ(*lines, c.expected) << c.bytes.toStdString();
    }
    WriteBytes(path, "h\r\na\r\n\r\nb\r\n");
    EXPECT_EQ(*ReadListBody(path, false), QStringList({"a", "", "b"}));
    EXPECT_FALSE(ReadListBody(dir.filePath("missing.mke")).has_value());
}

TEST(ListFile, TextEncodingsAndLongLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("l.mke");
    // Valid UTF-8 stays UTF-8; a single-byte line from a Windows version reads as
    // Windows-1252, whose €, ’ and “ ” are no control characters.
    WriteBytes(path, "h\r\nCitt\xc3\xa0|/x\r\nCaff\xe8 \x80 \x92 \x93\x94|/y\r\n");
    const QStringList lines = *ReadListBody(path);
    EXPECT_EQ(lines.at(0), QString::fromUtf8("Citt\u00e0|/x"));
    EXPECT_EQ(lines.at(1), QString::fromUtf8("Caff\u00e8 € ’ “”|/y"));

    const QString longLine = QString(200000, 'x') + "|/long";
    ASSERT_TRUE(WriteListFile(path, "// h", {longLine, QString::fromUtf8("\u00e9|/\u00e8")}));
    EXPECT_EQ(*ReadListBody(path), QStringList({longLine, QString::fromUtf8("\u00e9|/\u00e8")}));
}

TEST(ListFile, WritesCrLfEverywhereAndAppendsSafely)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("l.mke");
    ASSERT_TRUE(WriteListFile(path, "// h", {"a|1", "b|2"}));
    EXPECT_EQ(ReadBytes(path), QByteArray("// h\r\na|1\r\nb|2\r\n"));

    ASSERT_TRUE(AppendListLine(path, "// other", "c"));
    EXPECT_EQ(ReadBytes(path), QByteArray("// h\r\na|1\r\nb|2\r\nc\r\n"));

    WriteBytes(path, "// h\r\nno end");
    ASSERT_TRUE(AppendListLine(path, "// other", "d"));
    EXPECT_EQ(ReadBytes(path), QByteArray("// h\r\nno end\r\nd\r\n"));

    const QString fresh = dir.filePath("new.mke");
    ASSERT_TRUE(AppendListLine(fresh, "// created", "e"));
    EXPECT_EQ(ReadBytes(fresh), QByteArray("// created\r\ne\r\n"));
}

TEST(ListFile, AReadOnlyProgramFolderFailsQuietlyAndLeavesTheOldList)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/program/";
    ASSERT_TRUE(WriteListFromEditor(folder, "www", {{"Keep", "http://keep.example/"}}));
    const QByteArray before = ReadBytes(folder + "data/www.mke");
    for (const QString& path : {dir.path(), folder, folder + "data"})
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                        QFileDevice::ExeOther);
    // Root writes anywhere: the attempts run in a child that has given up its rights.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(32);
            QStringList entries;
            const bool read = LoadMenuList(folder, "www", entries) && entries == QStringList({"Keep|http://keep.example/"});
            const bool missingList = !LoadMenuList(folder, "email", entries); // cannot be created: no entries
            const bool rewrite = WriteListFromEditor(folder, "www", {{"New", "x"}});
            const bool append = AppendListLine(folder + "data/www.mke", "// h", "new");
            const bool pvfolders = SavePvfolderList(folder, {{"a", "/a"}});
            ::_exit((read ? 0 : 1) | (missingList ? 0 : 2) | (rewrite ? 4 : 0) | (append ? 8 : 0) | (pvfolders ? 16 : 0));
        },
        ::testing::ExitedWithCode(0), "");
    QFile::setPermissions(folder + "data", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(ReadBytes(folder + "data/www.mke"), before);
    EXPECT_EQ(QDir(folder + "data").entryList(QDir::Files), QStringList({"www.mke"})) << "no temporary left behind";
}

namespace {

struct Lists : ::testing::Test {
    QTemporaryDir dir;
    QString folder;
    void SetUp() override { folder = dir.path() + '/'; }
    QString data(const QString& name) const { return folder + "data/" + name; }
};

} // namespace

TEST_F(Lists, MissingMenuListIsCreatedWithItsPathHeader)
{
    QStringList entries;
    EXPECT_FALSE(LoadMenuList(folder, "www", entries));
    EXPECT_TRUE(entries.isEmpty());
    EXPECT_EQ(ReadBytes(data("www.mke")), ("// " + data("www.mke") + " - Parvo - Do not change this file!\r\n").toUtf8());
    EXPECT_FALSE(LoadMenuList(folder, "www", entries)) << "a list with only its header has no entries";

    WriteBytes(data("email.mke"), "x\r\nAnna|anna@example.org\r\n\r\nBob|bob@example.org\r\n");
    EXPECT_TRUE(LoadMenuList(folder, "email", entries));
    EXPECT_EQ(entries, QStringList({"Anna|anna@example.org"}));
}

TEST_F(Lists, CompletionTakesTargetsWithoutHttpInSortedUniqueOrder)
{
    WriteBytes(data("www.mke"),
               "x\r\nB|HTTP://www.b.example/\r\nA|https://a.example/\r\nC|http://www.b.example/\r\nD|ftp://d\r\n");
    SortedTextList completion;
    completion.add("zzz.example");
    EXPECT_TRUE(LoadCompletionList(folder, "www", completion));
    EXPECT_EQ(completion.items(), QStringList({"ftp://d", "https://a.example/", "www.b.example/", "zzz.example"}));
}

TEST_F(Lists, EditorRowsRoundTripAndHeaders)
{
    EXPECT_TRUE(ReadListIntoEditor(folder, "email").isEmpty());
    EXPECT_EQ(ReadBytes(data("email.mke")), QByteArray("// email - Parvo - Do not change this file!\r\n"));

    const QList<EditorRow> rows = {{"Docs", "/home/u/Docs>11"}, {"Bar|less", ""}, {"Name", "a|b"}};
    ASSERT_TRUE(WriteListFromEditor(folder, "efolder", rows));
    EXPECT_EQ(ReadBytes(data("efolder.mke")),
              QByteArray("// efolder - Parvo - Do not change this file!\r\nDocs|/home/u/Docs>11\r\nBar|less|\r\nName|a|b\r\n"));
    const QList<EditorRow> back = ReadListIntoEditor(folder, "efolder");
    EXPECT_EQ(back.at(0), rows.at(0));
    EXPECT_EQ(back.at(2), rows.at(2));

    ASSERT_TRUE(WriteListFromEditor(folder, "shortcut", {{"gedit", "ignored"}, {"calc", ""}}));
    EXPECT_EQ(ReadBytes(data("shortcut.mke")), QByteArray("// shortcut - Parvo - Do not change this file!\r\ngedit\r\ncalc\r\n"));
    EXPECT_EQ(ReadListIntoEditor(folder, "shortcut"), (QList<EditorRow>{{"gedit", ""}, {"calc", ""}}));
}

TEST_F(Lists, PvfolderSaveDropsTheFlags)
{
    ASSERT_TRUE(SavePvfolderList(folder, {{"Desktop", "/home/u/Desktop"}, {"Src", "/src"}}));
    EXPECT_EQ(ReadBytes(data("efolder.mke")),
              QByteArray("// pvfolder - Parvo - Do not change this file!\r\nDesktop|/home/u/Desktop\r\nSrc|/src\r\n"));
}

TEST_F(Lists, ShortcutRenameAndRemoveTouchEveryEqualLineAndKeepHiddenOnes)
{
    WriteBytes(data("shortcut.mke"), "// shortcuts\r\ngedit\r\ncalc\r\ngedit\r\n\r\nhidden\r\ngedit\r\n");
    ASSERT_TRUE(ReplaceShortcutName(folder, "gedit", "editor"));
    EXPECT_EQ(ReadBytes(data("shortcut.mke")),
              QByteArray("// shortcut - Parvo - Do not change this file!\r\neditor\r\ncalc\r\neditor\r\n\r\nhidden\r\neditor\r\n"));
    ASSERT_TRUE(ReplaceShortcutName(folder, "editor", ""));
    EXPECT_EQ(ReadBytes(data("shortcut.mke")),
              QByteArray("// shortcut - Parvo - Do not change this file!\r\ncalc\r\n\r\nhidden\r\n"));
    ASSERT_TRUE(ReplaceShortcutName(folder, "Calc", "")) << "names compare with their case";
    EXPECT_EQ(ReadShortcutNames(folder), QStringList({"calc"}));
}

TEST_F(Lists, ShortcutListIsCreatedAndAppended)
{
    EnsureShortcutList(folder);
    EXPECT_EQ(ReadBytes(data("shortcut.mke")), QByteArray("// shortcuts - Parvo - Do not change this file!\r\n"));
    ASSERT_TRUE(AppendShortcutName(folder, "gimp"));
    EnsureShortcutList(folder);
    EXPECT_EQ(ReadShortcutNames(folder), QStringList({"gimp"}));
}

TEST_F(Lists, LegacyLinksFileBecomesShortcutsAndIsDeleted)
{
    FakeShellLinks links;
    WriteBytes(data("links.mke"), "old header\r\nEdit|/usr/bin/gedit|--new-window\r\n\r\nCalc|C:\\Win\\calc.exe\r\n");
    ConvertLegacyLinksFile(folder, links);
    EXPECT_FALSE(QFileInfo::exists(data("links.mke")));
    EXPECT_EQ(ReadBytes(data("shortcut.mke")),
              QByteArray("// shortcuts - Parvo - Do not change this file!\r\nEdit\r\n\r\nCalc\r\n"));
    ASSERT_EQ(links.written.size(), 2);
    const ShellLink edit = links.written.value(folder + "links/Edit.lnk");
    EXPECT_EQ(edit.target, "/usr/bin/gedit");
    EXPECT_EQ(edit.arguments, "--new-window");
    EXPECT_EQ(edit.workingDir, "/usr/bin/");
    EXPECT_EQ(edit.description, "Edit");
    const ShellLink calc = links.written.value(folder + "links/Calc.lnk");
    EXPECT_EQ(calc.target, "C:\\Win\\calc.exe");
    EXPECT_EQ(calc.workingDir, "C:\\Win\\");
    EXPECT_TRUE(calc.arguments.isEmpty());
}

TEST_F(Lists, LegacyLinksFileBesideANewListIsMergedIntoIt)
{
    // What a first run of an older version left: a fresh list beside the unread old one.
    FakeShellLinks links;
    WriteBytes(data("links.mke"), "h\r\nEdit|/usr/bin/gedit\r\nmine|/usr/bin/mine\r\nCalc|/usr/bin/calc\r\n");
    WriteBytes(data("shortcut.mke"), "h\r\nmine\r\n\r\nhidden\r\n");
    ConvertLegacyLinksFile(folder, links);
    EXPECT_FALSE(QFileInfo::exists(data("links.mke")));
    EXPECT_EQ(ReadBytes(data("shortcut.mke")),
              QByteArray("// shortcut - Parvo - Do not change this file!\r\nmine\r\nEdit\r\nCalc\r\n\r\nhidden\r\n"));
    EXPECT_EQ(links.written.keys(), QStringList({folder + "links/Calc.lnk", folder + "links/Edit.lnk"}))
        << "a name on the bar already keeps its own shortcut";
}

TEST_F(Lists, LegacyNamesFollowTheRenameRules)
{
    FakeShellLinks links;
    WriteBytes(data("links.mke"), "h\r\n../../outside|/bin/true\r\n/usr/bin/gimp\r\n|/usr/bin/\r\nOk|/usr/bin/ok\r\n");
    ConvertLegacyLinksFile(folder, links);
    // No file outside the links folder, no hidden ".lnk", no empty line hiding "Ok".
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/outside.lnk"));
    EXPECT_EQ(links.written.keys(), QStringList({folder + "links/Ok.lnk", folder + "links/gimp.lnk", folder + "links/true.lnk"}));
    EXPECT_EQ(ReadShortcutNames(folder), QStringList({"true", "gimp", "Ok"}));
    EXPECT_EQ(ParseLegacyLink("a|b|c d").name, "a");
    EXPECT_EQ(ParseLegacyLink("..|/").name, "");
}

TEST_F(Lists, AnOldListIsKeptUntilEveryEntryIsCarriedOver)
{
    struct FailingLinks : FakeShellLinks {
        bool write(const QString& path, const ShellLink& link) override
        {
            return !path.endsWith("Bad.lnk") && FakeShellLinks::write(path, link);
        }
    } links;
    WriteBytes(data("links.mke"), "h\r\nGood|/usr/bin/good\r\nBad|/usr/bin/bad\r\n");
    ConvertLegacyLinksFile(folder, links);
    EXPECT_EQ(ReadShortcutNames(folder), QStringList({"Good"}));
    EXPECT_TRUE(QFileInfo::exists(data("links.mke")));
    // The next start takes in what is still missing and only then lets the old list go.
    FakeShellLinks working;
    ConvertLegacyLinksFile(folder, working);
    EXPECT_EQ(ReadShortcutNames(folder), QStringList({"Good", "Bad"}));
    EXPECT_FALSE(QFileInfo::exists(data("links.mke")));
}

TEST_F(Lists, AShortcutListThatCannotBeReadIsNeverRewritten)
{
    WriteBytes(data("shortcut.mke"), "h\r\ngedit\r\ncalc\r\n");
    WriteBytes(folder + "links/gedit.lnk", "link");
    WriteBytes(data("links.mke"), "h\r\nOld|/usr/bin/old\r\n");
    // The folder lets anyone write, the list only its owner read: a user who cannot read
    // it could still replace it.
    QFile::setPermissions(folder + "data", QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther |
                                               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(folder + "links", QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther |
                                                QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(data("shortcut.mke"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOther | QFileDevice::ExeOther | QFileDevice::ReadOwner |
                                          QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(32);
            FakeShellLinks links;
            const bool renamed = ReplaceShortcutName(folder, "gedit", "editor");
            const bool removed = UpdateShortcutList(folder, "gedit", {});
            ConvertLegacyLinksFile(folder, links);
            ::_exit((renamed ? 1 : 0) | (removed ? 2 : 0));
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadBytes(data("shortcut.mke")), QByteArray("h\r\ngedit\r\ncalc\r\n"));
    EXPECT_TRUE(QFileInfo::exists(folder + "links/gedit.lnk")) << "the button keeps its shortcut";
    EXPECT_TRUE(QFileInfo::exists(data("links.mke"))) << "nothing to merge into: the old list stays";
}

TEST(SortedTextList, SortsIgnoringCaseAndKeepsTheFirstSpelling)
{
    SortedTextList list;
    EXPECT_TRUE(list.add("beta"));
    EXPECT_TRUE(list.add("Alpha"));
    EXPECT_FALSE(list.add("ALPHA"));
    EXPECT_TRUE(list.add("gamma"));
    EXPECT_EQ(list.items(), QStringList({"Alpha", "beta", "gamma"}));
    EXPECT_TRUE(list.contains("BETA"));
    EXPECT_FALSE(list.contains("delta"));
}
