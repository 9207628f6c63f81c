#include "bar/DriveContextMenu.h"

#include "EventLoop.h"
#include "FakeDrives.h"
#include "FakePrompts.h"
#include "FakeShell.h"

#include <QTemporaryDir>
#include <QThread>

#include <optional>
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
    const std::optional<DriveSpace> noSpace;
    const QList<Action> withEject{Action::Open, Action::OpenTerminal, Action::Eject};
    const QList<Action> withoutEject{Action::Open, Action::OpenTerminal};
    EXPECT_EQ(actions(DriveContextMenu(drive("/media/stick/", DriveRemovable), noSpace)), withEject);
    EXPECT_EQ(actions(DriveContextMenu(drive("/media/cd/", DriveCdRom), noSpace)), withEject);
    for (int type : {DriveUnknown, DriveFixed, DriveRemote, DriveRamDisk})
        EXPECT_EQ(actions(DriveContextMenu(drive("/mnt/x/", type), noSpace)), withoutEject) << type;
}

TEST(DriveContextMenu, FreeSpaceIsADisabledLineAfterASeparator)
{
    const DriveInfo stick = drive("/media/stick/", DriveRemovable);
    const QList<DriveContextItem> items = DriveContextMenu(stick, DriveSpace{512ull << 20, 2ull << 30}, QLocale::c());
    ASSERT_EQ(actions(items),
              (QList<Action>{Action::Open, Action::OpenTerminal, Action::Eject, Action::Separator, Action::FreeSpace}));
    EXPECT_FALSE(items.last().enabled);
    for (qsizetype i = 0; i + 1 < items.size(); ++i)
        EXPECT_TRUE(items[i].enabled) << i;
    // A menu opened before the space is known gets the rest of the items once it is.
    const QList<DriveContextItem> before = DriveContextMenu(stick, std::nullopt, QLocale::c());
    EXPECT_EQ(before, items.mid(0, before.size()));
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

namespace {

// Records which thread asked for each terminal and each ejection.
struct ThreadShell : FakeShell {
    bool openTerminal(const QString& folder) override
    {
        threads.append(QThread::currentThread());
        return FakeShell::openTerminal(folder);
    }
    QList<QThread*> threads;
};
struct ThreadDrives : FakeDrives {
    bool eject(const QString& root) override
    {
        threads.append(QThread::currentThread());
        return FakeDrives::eject(root);
    }
    QList<QThread*> threads;
};

// Runs one action and waits for its report; what it reported, nothing when it never did.
std::optional<bool> RunAction(Action action, const DriveInfo& on, Shell& shell, Drives& drives, Prompts& prompts,
                        int explorer = 1)
{
    std::optional<bool> result;
    RunDriveMenuAction(action, on, shell, drives, prompts, explorer, [&result](bool done) { result = done; });
    test::WaitUntil([&] { return result.has_value(); });
    return result;
}

} // namespace

TEST(DriveContextMenu, ActionsGoThroughShellAndDrives)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + QLatin1Char('/');
    const DriveInfo stick = drive(root, DriveRemovable);
    const DriveInfo disk = drive(root, DriveFixed);

    ThreadShell shell;
    ThreadDrives drives;
    FakePrompts prompts;
    EXPECT_EQ(RunAction(Action::Open, stick, shell, drives, prompts, 1), true);
    ASSERT_TRUE(test::WaitUntil([&] { return shell.calls.size() == 1; }));
    EXPECT_EQ(RunAction(Action::Open, stick, shell, drives, prompts, 2), true);
    ASSERT_TRUE(test::WaitUntil([&] { return shell.calls.size() == 2; }));
    EXPECT_EQ(RunAction(Action::OpenTerminal, stick, shell, drives, prompts), true);
    const QList<FakeShell::Record> expected{
        {FakeShell::Call::ShowFolderTree, root, {}, {}},
        {FakeShell::Call::OpenWithDesktop, root, {}, {}},
        {FakeShell::Call::OpenTerminal, root, {}, {}},
    };
    EXPECT_EQ(shell.calls, expected);
    shell.succeed = false;
    EXPECT_EQ(RunAction(Action::OpenTerminal, stick, shell, drives, prompts), false) << "a failure is reported as one";

    EXPECT_EQ(RunAction(Action::Eject, stick, shell, drives, prompts), true);
    EXPECT_EQ(RunAction(Action::Eject, disk, shell, drives, prompts), false);
    EXPECT_EQ(drives.ejected, QStringList{root});
    drives.ejectSucceeds = false;
    EXPECT_EQ(RunAction(Action::Eject, stick, shell, drives, prompts), false);

    EXPECT_EQ(RunAction(Action::FreeSpace, stick, shell, drives, prompts), false);
    EXPECT_EQ(shell.calls.size(), 4);
    EXPECT_TRUE(prompts.shown.isEmpty());

    // The terminal is looked for, and the medium written out, away from the interface thread.
    ASSERT_EQ(shell.threads.size(), 2);
    ASSERT_EQ(drives.threads.size(), 2);
    for (QThread* t : shell.threads + drives.threads)
        EXPECT_NE(t, QCoreApplication::instance()->thread());
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
