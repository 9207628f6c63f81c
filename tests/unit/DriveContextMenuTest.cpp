#include "bar/DriveContextMenu.h"

#include "EventLoop.h"
#include "FakeDrives.h"
#include "FakePrompts.h"
#include "FakeShell.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

using Action = DriveMenuAction;

QList<Action> actions(const QList<DriveContextItem>& items)
{
    QList<Action> out;
    for (const DriveContextItem& i : items)
        out << i.action;
    return out;
}

DriveInfo drive(const QString& root, int type)
{
    return {QLatin1Char('E'), root, type, {}};
}

} // namespace

TEST(DriveContextMenu, EjectOnlyForMediaTheUserTakesOut)
{
    FakeDrives drives;
    const QList<Action> withEject{Action::Open, Action::OpenTerminal, Action::Eject};
    const QList<Action> withoutEject{Action::Open, Action::OpenTerminal};
    EXPECT_EQ(actions(DriveContextMenu(drive("/media/stick/", DriveRemovable), drives)), withEject);
    EXPECT_EQ(actions(DriveContextMenu(drive("/media/cd/", DriveCdRom), drives)), withEject);
    for (int type : {DriveUnknown, DriveFixed, DriveRemote, DriveRamDisk})
        EXPECT_EQ(actions(DriveContextMenu(drive("/mnt/x/", type), drives)), withoutEject) << type;
}

TEST(DriveContextMenu, FreeSpaceIsADisabledLineAfterASeparator)
{
    FakeDrives drives;
    drives.spaces.insert(QStringLiteral("/media/stick/"), DriveSpace{512ull << 20, 2ull << 30});
    const QList<DriveContextItem> items = DriveContextMenu(drive("/media/stick/", DriveRemovable), drives, QLocale::c());
    ASSERT_EQ(actions(items),
              (QList<Action>{Action::Open, Action::OpenTerminal, Action::Eject, Action::Separator, Action::FreeSpace}));
    EXPECT_FALSE(items.last().enabled);
    for (qsizetype i = 0; i + 1 < items.size(); ++i)
        EXPECT_TRUE(items[i].enabled) << i;
}

TEST(DriveContextMenu, FreeSpaceCaptionFillsFreeThenTotal)
{
    const DriveSpace space{1536ull << 20, 100ull << 30};
    EXPECT_EQ(FreeSpaceCaption(QStringLiteral("%s of %s free"), space, QLocale::c()),
              QStringLiteral("1.5 GB of 100.0 GB free"));
    // Sizes are written the way the user's language writes numbers.
    EXPECT_EQ(FreeSpaceCaption(QStringLiteral("%s / %s"), space, QLocale(QLocale::Italian)),
              QStringLiteral("1,5 GB / 100,0 GB"));
    // Fewer placeholders: the total is left out; none: the pattern stays as it is.
    EXPECT_EQ(FreeSpaceCaption(QStringLiteral("%s"), space, QLocale::c()), QStringLiteral("1.5 GB"));
    EXPECT_EQ(FreeSpaceCaption(QStringLiteral("none"), space, QLocale::c()), QStringLiteral("none"));
    EXPECT_EQ(FreeSpaceCaption(QStringLiteral("%s|%s"), DriveSpace{700, 2048}, QLocale::c()),
              QStringLiteral("700 bytes|2.0 kB"));
}

TEST(DriveContextMenu, ActionsGoThroughShellAndDrives)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + QLatin1Char('/');
    const DriveInfo stick = drive(root, DriveRemovable);
    const DriveInfo disk = drive(root, DriveFixed);

    FakeShell shell;
    FakeDrives drives;
    FakePrompts prompts;
    // Opening looks for the drive off this thread, and opens it once it is found.
    EXPECT_TRUE(RunDriveMenuAction(Action::Open, stick, shell, drives, prompts, 1));
    ASSERT_TRUE(test::WaitUntil([&] { return shell.calls.size() == 1; }));
    EXPECT_TRUE(RunDriveMenuAction(Action::Open, stick, shell, drives, prompts, 2));
    ASSERT_TRUE(test::WaitUntil([&] { return shell.calls.size() == 2; }));
    EXPECT_TRUE(RunDriveMenuAction(Action::OpenTerminal, stick, shell, drives, prompts, 1));
    const QList<FakeShell::Record> expected{
        {FakeShell::Call::ShowFolderTree, root, {}, {}},
        {FakeShell::Call::OpenWithDesktop, root, {}, {}},
        {FakeShell::Call::OpenTerminal, root, {}, {}},
    };
    EXPECT_EQ(shell.calls, expected);

    EXPECT_TRUE(RunDriveMenuAction(Action::Eject, stick, shell, drives, prompts, 1));
    EXPECT_FALSE(RunDriveMenuAction(Action::Eject, disk, shell, drives, prompts, 1));
    EXPECT_EQ(drives.ejected, QStringList{root});
    drives.ejectSucceeds = false;
    EXPECT_FALSE(RunDriveMenuAction(Action::Eject, stick, shell, drives, prompts, 1));

    EXPECT_FALSE(RunDriveMenuAction(Action::FreeSpace, stick, shell, drives, prompts, 1));
    EXPECT_EQ(shell.calls.size(), 3);
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST(DriveContextMenu, OpeningADriveThatIsGoneAsksToRetry)
{
    FakeShell shell;
    FakeDrives drives;
    FakePrompts prompts;
    prompts.answers = {PromptAnswer::Cancel};
    RunDriveMenuAction(Action::Open, drive(QStringLiteral("/nonexistent-drive-root/"), DriveRemovable), shell, drives,
                       prompts, 1);
    EXPECT_TRUE(test::WaitUntil([&] { return !prompts.shown.isEmpty(); }));
    test::Spin(50);
    EXPECT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(shell.calls.isEmpty());
}
