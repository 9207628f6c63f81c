#include "menus/Launch.h"

#include "EventLoop.h"
#include "FakePrompts.h"
#include "FakeShell.h"
#include "app/StringTable.h"
#include "menus/NativePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

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

// OpenFolder, waited for: whether something was asked to open the folder.
bool Open(Shell& shell, Prompts& prompts, int explorer, const QString& path)
{
    std::optional<bool> opened;
    OpenFolder(shell, prompts, explorer, path, [&](bool result) { opened = result; });
    EXPECT_TRUE(test::WaitUntil([&] { return opened.has_value(); })) << qPrintable(path);
    return opened.value_or(false);
}

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
    EXPECT_TRUE(Open(shell, prompts, 1, folder));
    EXPECT_TRUE(Open(shell, prompts, 2, folder));
    // Other values open nothing, and ask nothing either.
    EXPECT_FALSE(Open(shell, prompts, 0, folder));
    EXPECT_FALSE(Open(shell, prompts, 3, folder));
    const QList<FakeShell::Record> expected{
        {Call::ShowFolderTree, folder, {}, {}},
        {Call::OpenWithDesktop, folder, {}, {}},
    };
    EXPECT_EQ(shell.calls, expected);
    EXPECT_TRUE(prompts.shown.isEmpty());

    // A file manager that cannot be reached is reported as such.
    shell.succeed = false;
    EXPECT_FALSE(Open(shell, prompts, 1, folder));
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
    EXPECT_FALSE(Open(shell, prompts, 1, folder));
    EXPECT_EQ(prompts.shown, QStringList{missingFolderMessage()});
    EXPECT_TRUE(shell.calls.isEmpty());

    // Retry while the folder is still missing asks again; the first Cancel ends it.
    FakePrompts twice;
    twice.answers = {PromptAnswer::Retry, PromptAnswer::Retry, PromptAnswer::Cancel};
    EXPECT_FALSE(Open(shell, twice, 2, folder));
    EXPECT_EQ(twice.shown.size(), 3);
    EXPECT_TRUE(shell.calls.isEmpty());

    // Retry once the folder is there opens it.
    RetryAfterInserting inserting(folder);
    EXPECT_TRUE(Open(shell, inserting, 2, folder));
    EXPECT_EQ(inserting.shown, QStringList{missingFolderMessage()});
    EXPECT_EQ(shell.calls, (QList<FakeShell::Record>{{Call::OpenWithDesktop, folder, {}, {}}}));

    // A file of that name is no folder to open.
    FakePrompts onFile;
    const QString file = dir.filePath(QStringLiteral("notes.txt"));
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_FALSE(Open(shell, onFile, 1, file));
    EXPECT_EQ(onFile.shown.size(), 1);
    EXPECT_EQ(shell.calls.size(), 1);
}

TEST(Launch, AFolderWhoseNameIsNotUtf8OpensAsItIs)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray bytes = QFile::encodeName(dir.path()) + "/caf\xE9/";
    ASSERT_EQ(::mkdir(bytes.constData(), 0700), 0);
    const QString folder = DecodeFileName(bytes);
    FakeShell shell;
    FakePrompts prompts;
    EXPECT_TRUE(Open(shell, prompts, 1, folder));
    EXPECT_TRUE(prompts.shown.isEmpty()) << "no \"cannot open\" for a folder that is there";
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(EncodeFileName(shell.calls.front().path), bytes);
    ::rmdir(bytes.constData());
}

TEST(Launch, TheBrowserGetsTheAddressAfterTheEndOfItsOptions)
{
    FakeShell shell;
    const QString browser = QStringLiteral("/usr/share/applications/web.desktop");
    EXPECT_EQ(OpenInBrowser(shell, browser, QStringLiteral("http://a.it/x y\"z")), 0);
    // Starting with "-", an address would be an option whatever stands before it.
    EXPECT_EQ(OpenInBrowser(shell, browser, QStringLiteral("--renderer-cmd-prefix=touch ~/marker")), -1);
    EXPECT_EQ(OpenInBrowser(shell, browser, QStringLiteral("  -x")), -1);
    EXPECT_EQ(OpenInBrowser(shell, browser, QString()), -1);
    const QList<FakeShell::Record> expected{
        {Call::Execute, browser, QStringLiteral("-- \"http://a.it/x y\"\"\"z\""), {}},
    };
    EXPECT_EQ(shell.calls, expected);
}

TEST(Launch, WithoutABrowserOnlyAddressesGoToTheOpenerAndNothingRunsAsAProgram)
{
    for (const QString& browser : {QString(), QStringLiteral("/gone/browser.desktop")}) {
        FakeShell shell;
        shell.executeResult = -1; // the browser cannot start
        EXPECT_EQ(OpenInBrowser(shell, browser, QStringLiteral("http://a.it/")), 0);
        EXPECT_EQ(OpenInBrowser(shell, browser, QStringLiteral("mailto:x@a.it")), 0);
        // A script's path and a bare word would start programs: never.
        EXPECT_EQ(OpenInBrowser(shell, browser, QStringLiteral("/home/u/script.sh")), -1);
        EXPECT_EQ(OpenInBrowser(shell, browser, QStringLiteral("xterm")), -1);
        EXPECT_EQ(OpenInBrowser(shell, browser, QStringLiteral("C:\\x")), -1);
        QList<FakeShell::Record> opened;
        for (const FakeShell::Record& r : std::as_const(shell.calls)) {
            if (r.call != Call::Execute || r.path != browser)
                opened.append(r);
        }
        EXPECT_EQ(opened, (QList<FakeShell::Record>{{Call::OpenWithDesktop, QStringLiteral("http://a.it/"), {}, {}},
                                                    {Call::OpenWithDesktop, QStringLiteral("mailto:x@a.it"), {}, {}}}))
            << qPrintable(browser);
    }
}
