#include "FakeLiveBar.h"
#include "FakePrompts.h"
#include "FakeShellLinks.h"
#include "TempFiles.h"
#include "dialogs/ListPage.h"
#include "menus/ProgramShortcuts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;
using test::ReadBytes;
using test::WriteBytes;

namespace {

struct Page : ::testing::Test {
    QTemporaryDir dir;
    QString folder;
    FakeLiveBar bar;
    FakeShellLinks links;
    FakePrompts prompts;

    void SetUp() override { folder = dir.path() + "/program/"; }
    QString list(const char* name) const { return folder + "data/" + name + ".mke"; }
    ListPage open(ListKind kind, const QByteArray& body = {})
    {
        if (!body.isNull())
            WriteBytes(folder + "data/" + ListName(kind) + ".mke", "// any header\r\n" + body);
        ListPage page(kind, folder, bar, links, prompts);
        page.Load();
        return page;
    }
    static QStringList names(const ListPage& page)
    {
        QStringList out;
        for (const EditorRow& r : page.Rows())
            out << r.caption;
        return out;
    }
};

const QByteArray FiveLinks = "r0|http://0\r\nr1|http://1\r\nr2|http://2\r\nr3|http://3\r\nr4|http://4\r\n";

} // namespace

TEST_F(Page, DraggedRowTakesThePlaceItsTargetHadAndIsWrittenWhenTheDragEnds)
{
    ListPage page = open(ListKind::WebLinks, FiveLinks);
    const QByteArray before = ReadBytes(list("www"));
    EXPECT_EQ(page.DropRow(0, 3), 3);
    EXPECT_EQ(names(page), QStringList({"r1", "r2", "r3", "r0", "r4"}));
    EXPECT_EQ(ReadBytes(list("www")), before) << "nothing is written during the drag";
    page.EndDrag();
    EXPECT_EQ(ReadBytes(list("www")), "// www - Parvo - Do not change this file!\r\n"
                                      "r1|http://1\r\nr2|http://2\r\nr3|http://3\r\nr0|http://0\r\nr4|http://4\r\n");

    ListPage up = open(ListKind::WebLinks, FiveLinks);
    EXPECT_EQ(up.DropRow(3, 0), 0);
    EXPECT_EQ(names(up), QStringList({"r3", "r0", "r1", "r2", "r4"}));
    EXPECT_EQ(up.DropRow(1, -1), 4) << "dropped under the last row, it goes last";
    EXPECT_EQ(names(up), QStringList({"r3", "r1", "r2", "r4", "r0"}));
    EXPECT_FALSE(up.DropRow(2, 2));
    EXPECT_FALSE(up.DropRow(7, 0));
    EXPECT_TRUE(bar.calls.isEmpty()) << "web links need no rebuild of the bar";
}

TEST_F(Page, ArrowsMoveOneRowAndDoNothingAtTheEnds)
{
    ListPage page = open(ListKind::Programs, "a\r\nb\r\nc\r\n");
    const QByteArray before = ReadBytes(list("shortcut"));
    EXPECT_FALSE(page.MoveUp(0));
    EXPECT_FALSE(page.MoveDown(2));
    EXPECT_FALSE(page.MoveUp(-1)) << "no selected row";
    EXPECT_EQ(ReadBytes(list("shortcut")), before);
    EXPECT_TRUE(bar.calls.isEmpty());

    EXPECT_EQ(page.MoveDown(0), 1);
    EXPECT_EQ(page.MoveUp(2), 1);
    EXPECT_EQ(names(page), QStringList({"b", "c", "a"}));
    EXPECT_EQ(ReadBytes(list("shortcut")), "// shortcut - Parvo - Do not change this file!\r\nb\r\nc\r\na\r\n");
    EXPECT_EQ(bar.calls, QStringList({"buttons", "relayout", "buttons", "relayout"}));
}

TEST_F(Page, ProgramsAddedOrDroppedGetShortcutsNamedLikeTheBarNamesThem)
{
    ListPage page = open(ListKind::Programs, "old\r\n");
    const QString bin = dir.path() + "/bin/";
    for (const char* file : {"calc.exe", "gedit", "org.x.Term.desktop"})
        WriteBytes(bin + file, "x");
    const QString shortcut = dir.path() + "/Mio editor.lnk";
    WriteBytes(shortcut, QByteArrayLiteral("L\0\0\0 a shortcut made elsewhere"));
    const QStringList files = {bin + "calc.exe", bin + "gedit", dir.path() + "/gone", bin + "org.x.Term.desktop",
                               shortcut};
    EXPECT_EQ(page.AddPrograms(files), 4);
    EXPECT_EQ(names(page), QStringList({"old", "calc", "gedit", "org.x.Term", "Mio editor"}))
        << "a file no longer there is left out";
    EXPECT_EQ(links.written.value(ShortcutFilePath(folder, "gedit")).target, bin + "gedit");
    EXPECT_EQ(links.written.value(ShortcutFilePath(folder, "org.x.Term")).target, bin + "org.x.Term.desktop");
    EXPECT_FALSE(links.written.contains(ShortcutFilePath(folder, "Mio editor")));
    EXPECT_EQ(ReadBytes(ShortcutFilePath(folder, "Mio editor")), ReadBytes(shortcut)) << "a shortcut is copied as it is";
    EXPECT_EQ(ReadBytes(list("shortcut")),
              "// shortcut - Parvo - Do not change this file!\r\nold\r\ncalc\r\ngedit\r\norg.x.Term\r\nMio editor\r\n");
    EXPECT_EQ(bar.calls, QStringList({"buttons", "relayout"})) << "one rebuild for the whole drop";

    // A shortcut that cannot be copied adds no row, and the user hears why.
    bar.calls.clear();
    QDir().mkpath(dir.path() + "/folder.lnk");
    EXPECT_FALSE(page.AddPrograms({dir.path() + "/folder.lnk"}));
    EXPECT_EQ(page.Rows().size(), 5);
    EXPECT_EQ(prompts.shown, QStringList({"Error opening a file " + dir.path() + "/folder.lnk"}));
    EXPECT_TRUE(bar.calls.isEmpty());
}

TEST_F(Page, RenameMovesTheShortcutFirstAndRefusesWhatCannotBeAName)
{
    ListPage page = open(ListKind::Programs, "gedit\r\ncalc\r\ngedit\r\n");
    WriteBytes(ShortcutFilePath(folder, "gedit"), "G");
    WriteBytes(ShortcutFilePath(folder, "calc"), "C");
    const QByteArray before = ReadBytes(list("shortcut"));

    for (const QString& bad : {QString(), QString("  "), QString("a/b"), QString("two\nlines"), QString(".."),
                               QString("calc")}) {
        EXPECT_FALSE(page.RenameProgram(0, bad)) << qPrintable(bad);
    }
    EXPECT_FALSE(page.RenameProgram(5, "x"));
    EXPECT_EQ(ReadBytes(list("shortcut")), before);
    EXPECT_EQ(ReadBytes(ShortcutFilePath(folder, "gedit")), "G");
    EXPECT_EQ(ReadBytes(ShortcutFilePath(folder, "calc")), "C") << "a name in use keeps its own shortcut";
    EXPECT_TRUE(bar.calls.isEmpty());

    EXPECT_EQ(page.RenameProgram(2, "Editor di testo"), 2);
    EXPECT_EQ(names(page), QStringList({"Editor di testo", "calc", "Editor di testo"})) << "rows of one file follow it";
    EXPECT_EQ(ReadBytes(ShortcutFilePath(folder, "Editor di testo")), "G");
    EXPECT_FALSE(QFile::exists(ShortcutFilePath(folder, "gedit")));
    EXPECT_EQ(ReadBytes(list("shortcut")),
              "// shortcut - Parvo - Do not change this file!\r\nEditor di testo\r\ncalc\r\nEditor di testo\r\n");
    EXPECT_EQ(bar.calls, QStringList({"buttons", "relayout"}));

    // Deleting keeps the shortcut file.
    EXPECT_EQ(page.Remove(1), 1);
    EXPECT_TRUE(QFile::exists(ShortcutFilePath(folder, "calc")));
}

TEST_F(Page, EntriesAreStoredSoThatTheyReadBackAsTheyWere)
{
    ListPage page = open(ListKind::Email);
    EXPECT_EQ(ReadBytes(list("email")), "// email - Parvo - Do not change this file!\r\n") << "created at opening";
    EXPECT_EQ(page.Append({"Rossi | Mario", "mario@example.com"}), 0);
    EXPECT_EQ(page.Rows()[0].caption, "Rossi   Mario") << "a name ends at its first bar";
    EXPECT_EQ(page.Append({"Tab\there", "line\r\nbreak@example.com"}), 1);
    EXPECT_EQ(page.Replace(0, {"\"Anna\"", "anna|x@example.com"}), 0);
    EXPECT_EQ(ReadBytes(list("email")), "// email - Parvo - Do not change this file!\r\n"
                                        "\"Anna\"|anna|x@example.com\r\nTab here|line  break@example.com\r\n");
    ListPage again = open(ListKind::Email);
    EXPECT_EQ(again.Rows(), page.Rows());

    // Imported rows go after the existing ones, duplicates and all.
    EXPECT_EQ(page.AppendAll({{"Tab here", "line  break@example.com"}, {"B", "b@example.com"}}), 2);
    EXPECT_EQ(names(page), QStringList({"\"Anna\"", "Tab here", "Tab here", "B"}));
    EXPECT_FALSE(page.AppendAll({}));
    EXPECT_EQ(page.Remove(3), 2);
    EXPECT_FALSE(page.Remove(-1));
    EXPECT_FALSE(page.Replace(9, {"x", "y"}));
    EXPECT_EQ(ReadListIntoEditor(folder, "email").size(), 3);
}

TEST_F(Page, AListThatCannotBeReadIsNeverWrittenOver)
{
    QDir().mkpath(list("www")); // something that is there but cannot be read as a list
    ListPage page = open(ListKind::WebLinks);
    EXPECT_FALSE(page.Editable());
    EXPECT_FALSE(page.Append({"a", "b"}));
    EXPECT_FALSE(page.DropRow(0, 0));
    page.EndDrag();
    EXPECT_TRUE(QFileInfo(list("www")).isDir());
    EXPECT_TRUE(open(ListKind::Email).Editable()) << "a missing list is simply created";
}
