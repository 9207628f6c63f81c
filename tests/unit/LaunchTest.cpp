#include "menus/Launch.h"

#include "FakePrompts.h"
#include "FakeShell.h"
#include "app/StringTable.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

using Call = FakeShell::Call;

QString missingFolderMessage()
{
    return Str(100) + QLatin1Char(' ') + Str(102);
}

// Answers Retry and, while asking, lets the folder appear, as a stick put back in would.
class RetryAfterInserting : public FakePrompts {
public:
    explicit RetryAfterInserting(QString folder) : folder_(std::move(folder)) {}
    PromptAnswer askRetryCancel(const QString& text) override
    {
        shown.append(text);
        QDir().mkpath(folder_);
        return PromptAnswer::Retry;
    }

private:
    QString folder_;
};

} // namespace

TEST(Launch, ShellRunStartsTheFileWithItsParametersAndReportsTheOutcome)
{
    FakeShell shell;
    EXPECT_EQ(ShellRun(shell, QStringLiteral("/usr/bin/browser"), QStringLiteral("http://example.org/")), 0);
    EXPECT_EQ(ShellRun(shell, QStringLiteral("mailto:someone@example.org")), 0);
    shell.executeResult = -1;
    EXPECT_EQ(ShellRun(shell, QStringLiteral("/nowhere/prog")), -1);
    const QList<FakeShell::Record> expected{
        {Call::Execute, QStringLiteral("/usr/bin/browser"), QStringLiteral("http://example.org/"), {}},
        {Call::Execute, QStringLiteral("mailto:someone@example.org"), {}, {}},
        {Call::Execute, QStringLiteral("/nowhere/prog"), {}, {}},
    };
    EXPECT_EQ(shell.calls, expected);
}

TEST(Launch, OpenFolderFollowsTheExplorerOption)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + QStringLiteral("/Docs/");
    QDir().mkpath(folder);

    FakeShell shell;
    FakePrompts prompts;
    EXPECT_TRUE(OpenFolder(shell, prompts, 1, folder));
    EXPECT_TRUE(OpenFolder(shell, prompts, 2, folder));
    // Other values open nothing, and ask nothing either.
    EXPECT_FALSE(OpenFolder(shell, prompts, 0, folder));
    EXPECT_FALSE(OpenFolder(shell, prompts, 3, folder));
    const QList<FakeShell::Record> expected{
        {Call::ShowFolderTree, folder, {}, {}},
        {Call::OpenWithDesktop, folder, {}, {}},
    };
    EXPECT_EQ(shell.calls, expected);
    EXPECT_TRUE(prompts.shown.isEmpty());

    // A file manager that cannot be reached is reported as such.
    shell.succeed = false;
    EXPECT_FALSE(OpenFolder(shell, prompts, 1, folder));
}

TEST(Launch, MissingFolderAsksRetryOrCancel)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + QStringLiteral("/stick/");
    ASSERT_FALSE(Str(100).isEmpty());
    ASSERT_FALSE(Str(102).isEmpty());

    // Cancel: nothing opens.
    FakeShell shell;
    FakePrompts prompts;
    prompts.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(OpenFolder(shell, prompts, 1, folder));
    EXPECT_EQ(prompts.shown, QStringList{missingFolderMessage()});
    EXPECT_TRUE(shell.calls.isEmpty());

    // Retry while the folder is still missing asks again; the first Cancel ends it.
    FakePrompts twice;
    twice.answers = {PromptAnswer::Retry, PromptAnswer::Retry, PromptAnswer::Cancel};
    EXPECT_FALSE(OpenFolder(shell, twice, 2, folder));
    EXPECT_EQ(twice.shown.size(), 3);
    EXPECT_TRUE(shell.calls.isEmpty());

    // Retry once the folder is there opens it.
    RetryAfterInserting inserting(folder);
    EXPECT_TRUE(OpenFolder(shell, inserting, 2, folder));
    EXPECT_EQ(inserting.shown, QStringList{missingFolderMessage()});
    EXPECT_EQ(shell.calls, (QList<FakeShell::Record>{{Call::OpenWithDesktop, folder, {}, {}}}));

    // A file of that name is no folder to open.
    FakePrompts onFile;
    const QString file = dir.filePath(QStringLiteral("notes.txt"));
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_FALSE(OpenFolder(shell, onFile, 1, file));
    EXPECT_EQ(onFile.shown.size(), 1);
    EXPECT_EQ(shell.calls.size(), 1);
}
