#include "menus/LaunchItem.h"

#include "EventLoop.h"
#include "FakeBarCommands.h"
#include "FakePrompts.h"
#include "FakeShell.h"
#include "TempFiles.h"
#include "app/StringTable.h"
#include "menus/ProgramShortcuts.h"
#include "settings/ShortcutList.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

using Call = FakeShell::Call;

MenuItem Item(int kind, int tag, const QString& hint)
{
    MenuItem item;
    item.HelpContext = kind;
    item.Tag = tag;
    item.Hint = hint;
    return item;
}

struct Launcher {
    QTemporaryDir dir;
    FakeShell shell;
    FakePrompts prompts;
    FakeBarCommands bar;
    LaunchContext ctx{shell, prompts, bar, dir.path() + QLatin1Char('/'), QStringLiteral("/usr/bin/browser"), 1,
                      QStringLiteral("Parvo"), QStringLiteral("Casa"), QStringLiteral("http://casa.it/")};

    QString program() const { return ctx.programFolder; }
};

} // namespace

TEST(LaunchItem, EachKindReachesTheShellOrTheBarAsItsTableSays)
{
    const QString folder = QDir::tempPath() + QLatin1Char('/');
    struct Case {
        MenuItem item;
        QList<FakeShell::Record> shell;
        QStringList bar;
    };
    const QString browser = QStringLiteral("/usr/bin/browser");
    const Case cases[] = {
        {Item(0, 0, QStringLiteral("http://a.it/")), {{Call::Execute, browser, QStringLiteral("-- \"http://a.it/\""), {}}}, {}},
        {Item(1, -1, folder), {{Call::ShowFolderTree, folder, {}, {}}}, {}},
        {Item(2, 0, QStringLiteral("a@b.it")), {{Call::Execute, QStringLiteral("mailto:a@b.it"), {}, {}}}, {}},
        {Item(3, 0, QStringLiteral("-")), {}, {QStringLiteral("pvfolders")}},
        {Item(4, 1, QStringLiteral("-")), {}, {QStringLiteral("options")}},
        {Item(6, 3, QStringLiteral("3")), {}, {QStringLiteral("viewstyle 2")}},
        {Item(7, 0, QStringLiteral("-")), {}, {QStringLiteral("winfolders")}},
        {Item(10, 28, QStringLiteral("/media/stick/")), {}, {QStringLiteral("hide /media/stick/")}},
        {Item(11, 31, QStringLiteral("/mnt/ram/")), {}, {QStringLiteral("show /mnt/ram/")}},
        {Item(10, 25, QStringLiteral("/media/stick/")), {}, {}},
        {Item(12, -1, QStringLiteral("/home/u/a b.txt")), {{Call::Execute, QStringLiteral("/home/u/a b.txt"), {}, {}}}, {}},
        {Item(9, 0, QStringLiteral("/x")), {}, {}},
        // Fixed items by tag.
        {Item(5, 3, {}), {}, {QStringLiteral("options")}},
        {Item(5, 4, QStringLiteral("1")), {}, {QStringLiteral("help ")}},
        {Item(5, 4, QStringLiteral("2")), {}, {QStringLiteral("help ::/html_source/private_label.html")}},
        {Item(5, 5, {}), {}, {QStringLiteral("winfolders")}},
        {Item(5, 7, QStringLiteral("http://v.it/")), {{Call::Execute, browser, QStringLiteral("-- \"http://v.it/\""), {}}}, {}},
        {Item(5, 10, {}), {}, {QStringLiteral("pvfolders")}},
        {Item(5, 11, QStringLiteral("m@k.it")), {{Call::Execute, QStringLiteral("mailto:m@k.it"), {}, {}}}, {}},
        {Item(5, 22, QStringLiteral("http://l.it/")), {{Call::Execute, browser, QStringLiteral("-- \"http://l.it/\""), {}}}, {}},
        {Item(5, 23, {}), {}, {QStringLiteral("close")}},
        {Item(5, 24, QStringLiteral("-")), {}, {QStringLiteral("go")}},
        {Item(5, 27, folder), {{Call::ShowFolderTree, folder, {}, {}}}, {}},
        {Item(5, 32, {}), {}, {QStringLiteral("relayout"), QStringLiteral("completion")}},
        {Item(5, 150, QStringLiteral("http://w.it/")), {{Call::Execute, browser, QStringLiteral("-- \"http://w.it/\""), {}}}, {}},
        {Item(5, 151, QStringLiteral("http://w.it/")), {}, {}},
        {Item(5, 0, QStringLiteral("--")), {}, {}},
    };
    for (const Case& c : cases) {
        Launcher l;
        LaunchItem(l.ctx, c.item);
        // A folder is looked for off this thread before it opens.
        test::WaitUntil([&] { return l.shell.calls.size() >= c.shell.size(); }, 2000);
        EXPECT_EQ(l.shell.calls, c.shell) << "kind " << c.item.HelpContext << " tag " << c.item.Tag;
        EXPECT_EQ(l.bar.calls, c.bar) << "kind " << c.item.HelpContext << " tag " << c.item.Tag;
        EXPECT_TRUE(l.prompts.shown.isEmpty());
    }
}

TEST(LaunchItem, AnAddressStaysOneArgumentOfTheBrowserAfterItsOptions)
{
    Launcher l;
    const QString hostile = QStringLiteral("http://x.it/\" --user-data-dir=/tmp/evil \"a b");
    LaunchItem(l.ctx, Item(0, 0, hostile));
    ASSERT_EQ(l.shell.calls.size(), 1);
    EXPECT_EQ(QProcess::splitCommand(l.shell.calls[0].parameters), (QStringList{QStringLiteral("--"), hostile}));

    // A favourite whose address is an option reaches nothing at all.
    l.shell.calls.clear();
    LaunchItem(l.ctx, Item(0, 0, QStringLiteral("--renderer-cmd-prefix=touch ~/marker")));
    LaunchItem(l.ctx, Item(5, 100, QStringLiteral("-x")));
    EXPECT_TRUE(l.shell.calls.isEmpty());
}

TEST(LaunchItem, WithoutABrowserAnAddressIsNeverRunAsAProgram)
{
    Launcher l;
    l.ctx.BrowserCommand.clear();
    // A script's path and a bare word would be started as programs; they open nothing.
    for (const char* hint : {"/home/u/script.sh", "xterm", "http://a.it/"})
        LaunchItem(l.ctx, Item(0, 0, QString::fromLatin1(hint)));
    EXPECT_EQ(l.shell.calls, (QList<FakeShell::Record>{{Call::OpenWithDesktop, QStringLiteral("http://a.it/"), {}, {}}}));
}

TEST(LaunchItem, TheAboutBoxNamesTheBrandAndTheProductPage)
{
    Launcher l;
    LaunchItem(l.ctx, Item(5, 2, {}));
    ASSERT_EQ(l.prompts.shown.size(), 1);
    const QString shown = l.prompts.shown[0];
    EXPECT_TRUE(shown.startsWith(Str(55) + QStringLiteral(" Parvo|Parvo 1.3\r\r") + Str(113) + QStringLiteral("\r\"Casa\"\r( http://casa.it/ )\r\r")))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(Str(116) + QStringLiteral("http://")));
}

TEST(LaunchItem, ProgramShortcutItemsRemoveRenameAndOpenTheOptions)
{
    Launcher l;
    const QString program = l.program();
    test::WriteBytes(ShortcutFilePath(program, QStringLiteral("Editor")), "lnk");
    test::WriteBytes(ShortcutFilePath(program, QStringLiteral("Calc")), "calc");
    test::WriteBytes(ShortcutListPath(program), "// header\r\nEditor\r\nCalc\r\nEditor\r\n");
    const QString key = QStringLiteral("app_") + ShortcutFilePath(program, QStringLiteral("Editor"));

    // A name in use already: the file move fails and nothing changes.
    l.prompts.texts = {QStringLiteral("Calc")};
    LaunchItem(l.ctx, Item(8, 3, key));
    EXPECT_EQ(ReadShortcutNames(program), (QStringList{QStringLiteral("Editor"), QStringLiteral("Calc"), QStringLiteral("Editor")}));
    EXPECT_TRUE(l.bar.calls.isEmpty());
    EXPECT_EQ(l.prompts.shown, QStringList{Str(259)});

    // A name that would leave the links folder is refused the same way.
    l.prompts.texts = {QStringLiteral("../Editor")};
    LaunchItem(l.ctx, Item(8, 3, key));
    EXPECT_TRUE(QFile::exists(ShortcutFilePath(program, QStringLiteral("Editor"))));

    // Renaming moves the file and every line of the name.
    l.prompts.texts = {QStringLiteral("Testi")};
    LaunchItem(l.ctx, Item(8, 3, key));
    EXPECT_EQ(ReadShortcutNames(program), (QStringList{QStringLiteral("Testi"), QStringLiteral("Calc"), QStringLiteral("Testi")}));
    EXPECT_EQ(test::ReadBytes(ShortcutFilePath(program, QStringLiteral("Testi"))), "lnk");
    EXPECT_FALSE(QFile::exists(ShortcutFilePath(program, QStringLiteral("Editor"))));
    EXPECT_EQ(l.bar.calls, (QStringList{QStringLiteral("buttons"), QStringLiteral("relayout")}));
    EXPECT_TRUE(test::ReadBytes(ShortcutListPath(program)).startsWith("// shortcut - Parvo - Do not change this file!\r\n"));

    // Removing asks nothing and takes both lines and the one file.
    l.bar.calls.clear();
    LaunchItem(l.ctx, Item(8, 2, QStringLiteral("app_") + ShortcutFilePath(program, QStringLiteral("Testi"))));
    EXPECT_EQ(ReadShortcutNames(program), QStringList{QStringLiteral("Calc")});
    EXPECT_FALSE(QFile::exists(ShortcutFilePath(program, QStringLiteral("Testi"))));
    EXPECT_EQ(l.bar.calls, (QStringList{QStringLiteral("buttons"), QStringLiteral("relayout")}));

    // "Add a shortcut" asks the options dialog to start adding; "Configurazione" does not.
    l.bar.calls.clear();
    LaunchItem(l.ctx, Item(8, 1, QStringLiteral("app_panel")));
    EXPECT_TRUE(l.ctx.AddLinkRequest);
    LaunchItem(l.ctx, Item(8, 10, QStringLiteral("app_panel")));
    EXPECT_FALSE(l.ctx.AddLinkRequest);
    EXPECT_EQ(l.bar.calls, (QStringList{QStringLiteral("options add"), QStringLiteral("options")}));
}
