// Copying and moving without a window: what is written, what is refused, what is told.

#include "../TempFiles.h"
#include "app/StringTable.h"
#include "platform/linux/FileTransfer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <deque>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace parvo;

namespace {

// Every entry below `root`: name, mode, time (files and folders), contents or link.
std::string Describe(const QString& root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        struct stat st;
        lstat(QFile::encodeName(p).constData(), &st);
        QString line = p.mid(root.size()) + QStringLiteral(" %1").arg(st.st_mode, 0, 8);
        if (S_ISLNK(st.st_mode))
            line += QStringLiteral(" -> ") + QString::fromUtf8(QFile::encodeName(QFile::symLinkTarget(p)).split('/').last());
        else
            line += QStringLiteral(" %1").arg(qint64(st.st_mtime)) + (S_ISDIR(st.st_mode) ? QString() : QStringLiteral(" ") + QString::fromLatin1(test::ReadBytes(p).toHex()));
        lines << line;
    }
    lines.sort();
    return lines.join(QLatin1Char('\n')).toStdString();
}

void Age(const QString& path, time_t when)
{
    const timespec t[2] = {{when, 0}, {when, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), t, AT_SYMLINK_NOFOLLOW);
}

class Transfer : public ::testing::Test {
protected:
    void SetUp() override
    {
        src = dir.filePath(QStringLiteral("src"));
        dest = dir.filePath(QStringLiteral("dest"));
        QDir().mkpath(dest);
        test::WriteBytes(src + QStringLiteral("/tree/a.txt"), "alpha");
        test::WriteBytes(src + QStringLiteral("/tree/sub/b.bin"), QByteArray(3 << 20, 'b'));
        QDir().mkpath(src + QStringLiteral("/tree/empty"));
        QFile::link(QStringLiteral("a.txt"), src + QStringLiteral("/tree/link"));
        chmod(QFile::encodeName(src + QStringLiteral("/tree/a.txt")).constData(), 0640);
        Age(src + QStringLiteral("/tree/a.txt"), 1000000000);
        Age(src + QStringLiteral("/tree/sub"), 1100000000);
        test::WriteBytes(src + QStringLiteral("/single.txt"), "one");
    }
    FileOpOutcome run(FileTransfer::Kind kind, const QStringList& sources, const QString& to = {})
    {
        return FileTransfer(kind, sources, to.isEmpty() ? dest : to, callbacks).run();
    }

    QTemporaryDir dir;
    QString src, dest;
    TransferCallbacks callbacks;
    QStringList asked;
};

TEST_F(Transfer, ACopyKeepsContentsPermissionsTimesAndLinks)
{
    const std::string before = Describe(src + QStringLiteral("/tree"));
    TransferProgress last;
    callbacks.progress = [&](const TransferProgress& p) { last = p; };
    const QStringList sources{src + QStringLiteral("/tree"), src + QStringLiteral("/single.txt")};
    const FileOpOutcome out = run(FileTransfer::Kind::Copy, sources);
    EXPECT_TRUE(out.ok());
    EXPECT_EQ(out.done, sources);
    EXPECT_EQ(Describe(dest + QStringLiteral("/tree")), before);
    EXPECT_EQ(Describe(src + QStringLiteral("/tree")), before);
    EXPECT_EQ(test::ReadBytes(dest + QStringLiteral("/single.txt")), "one");
    EXPECT_EQ(last.bytesDone, last.bytesTotal);
    EXPECT_EQ(last.bytesTotal, (3 << 20) + 5 + 3);
    EXPECT_EQ(last.filesTotal, 4);
    // No temporary file is left anywhere.
    EXPECT_EQ(QDir(dest).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("single.txt"), QStringLiteral("tree")}));
}

TEST_F(Transfer, AMoveWithinOneFileSystemIsARename)
{
    struct stat before;
    lstat(QFile::encodeName(src + QStringLiteral("/tree/sub/b.bin")).constData(), &before);
    const FileOpOutcome out = run(FileTransfer::Kind::Move, {src + QStringLiteral("/tree")});
    EXPECT_TRUE(out.ok());
    struct stat after;
    ASSERT_EQ(lstat(QFile::encodeName(dest + QStringLiteral("/tree/sub/b.bin")).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_FALSE(QFileInfo::exists(src + QStringLiteral("/tree")));
}

TEST_F(Transfer, AMoveAcrossFileSystemsDeletesOnlyWhatWasCopied)
{
    QTemporaryDir other(QStringLiteral("/dev/shm/transfer-XXXXXX"));
    struct stat a, b;
    if (!other.isValid() || stat("/dev/shm", &a) != 0 || stat(QFile::encodeName(dir.path()).constData(), &b) != 0
        || a.st_dev == b.st_dev)
        GTEST_SKIP() << "needs a second file system";
    const std::string before = Describe(src + QStringLiteral("/tree"));
    // An old file of the same name the user keeps: the move of that one file is refused.
    test::WriteBytes(other.filePath(QStringLiteral("tree/a.txt")), "mine");
    callbacks.overwrite = [&](const QString&, const QString& target) {
        asked << target;
        return OverwriteAnswer::No;
    };
    const FileOpOutcome out = run(FileTransfer::Kind::Move, {src + QStringLiteral("/tree")}, other.path());
    EXPECT_FALSE(out.cancelled);
    EXPECT_EQ(out.skipped, QStringList{other.filePath(QStringLiteral("tree/a.txt"))});
    EXPECT_EQ(test::ReadBytes(other.filePath(QStringLiteral("tree/a.txt"))), "mine");
    EXPECT_EQ(test::ReadBytes(other.filePath(QStringLiteral("tree/sub/b.bin"))), QByteArray(3 << 20, 'b'));
    // What moved is gone from the source; what did not is still there, with its folder.
    EXPECT_FALSE(QFileInfo::exists(src + QStringLiteral("/tree/sub/b.bin")));
    EXPECT_EQ(test::ReadBytes(src + QStringLiteral("/tree/a.txt")), "alpha");
    EXPECT_TRUE(out.done.isEmpty());
    (void)before;
}

TEST_F(Transfer, AFolderIsNeverCopiedOrMovedIntoItself)
{
    const QString tree = src + QStringLiteral("/tree");
    const std::string before = Describe(src);
    for (const FileTransfer::Kind kind : {FileTransfer::Kind::Copy, FileTransfer::Kind::Move}) {
        for (const QString& into : {tree + QStringLiteral("/sub"), tree, src}) {
            const FileOpOutcome out = run(kind, {src + QStringLiteral("/single.txt"), tree}, into);
            EXPECT_FALSE(out.ok()) << into.toStdString();
            EXPECT_TRUE(out.done.isEmpty());
            EXPECT_TRUE(out.notDone.last().endsWith(Str(579))) << out.notDone.join('|').toStdString();
            EXPECT_EQ(Describe(src), before) << into.toStdString();
        }
    }
    EXPECT_EQ(IntoItself({tree, src + QStringLiteral("/single.txt")}, dest), QStringList());
    EXPECT_EQ(IntoItself({tree}, tree + QStringLiteral("/sub/")), QStringList{tree});
    // A name that merely starts like the folder's is another folder.
    QDir().mkpath(src + QStringLiteral("/tree2"));
    EXPECT_EQ(IntoItself({tree}, src + QStringLiteral("/tree2")), QStringList());
}

TEST_F(Transfer, ExistingFilesAreReplacedOnlyWhenTheUserSaysSo)
{
    for (const char* name : {"a", "b", "c", "d"}) {
        test::WriteBytes(src + QStringLiteral("/many/") + QLatin1String(name), "new");
        test::WriteBytes(dest + QStringLiteral("/many/") + QLatin1String(name), "old");
    }
    std::deque<OverwriteAnswer> answers{OverwriteAnswer::No, OverwriteAnswer::Yes, OverwriteAnswer::YesToAll};
    callbacks.overwrite = [&](const QString&, const QString& target) {
        asked << QFileInfo(target).fileName();
        const OverwriteAnswer a = answers.front();
        answers.pop_front();
        return a;
    };
    FileOpOutcome out = run(FileTransfer::Kind::Copy, {src + QStringLiteral("/many")});
    ASSERT_EQ(asked.size(), 3); // "yes to all" asks no more
    QStringList contents;
    for (const char* name : {"a", "b", "c", "d"})
        contents << QString::fromLatin1(test::ReadBytes(dest + QStringLiteral("/many/") + QLatin1String(name)));
    QStringList expected(4, QStringLiteral("new"));
    expected[QStringList{"a", "b", "c", "d"}.indexOf(asked.first())] = QStringLiteral("old");
    EXPECT_EQ(contents, expected);
    EXPECT_EQ(out.skipped.size(), 1);
    EXPECT_TRUE(out.notDone.isEmpty());

    // Cancel stops everything after it.
    asked.clear();
    callbacks.overwrite = [&](const QString&, const QString&) { return OverwriteAnswer::Cancel; };
    out = run(FileTransfer::Kind::Copy, {src + QStringLiteral("/many"), src + QStringLiteral("/single.txt")});
    EXPECT_TRUE(out.cancelled);
    EXPECT_FALSE(QFileInfo::exists(dest + QStringLiteral("/single.txt")));
    EXPECT_EQ(out.notDone.last(), src + QStringLiteral("/single.txt: ") + Str(578));
}

TEST_F(Transfer, WhatVanishesOrCannotBeWrittenIsNamed)
{
    // A dropped path that is gone, and a folder that goes while the copy runs.
    test::WriteBytes(src + QStringLiteral("/tree/sub/zz/late.txt"), "late");
    callbacks.cancelled = [&] {
        // Once the copy has listed the folder holding it, the folder goes.
        if (QFileInfo::exists(dest + QStringLiteral("/tree/sub")))
            QDir(src + QStringLiteral("/tree/sub/zz")).removeRecursively();
        return false;
    };
    const FileOpOutcome out = run(FileTransfer::Kind::Copy, {src + QStringLiteral("/gone.txt"), src + QStringLiteral("/tree")});
    EXPECT_FALSE(out.ok());
    ASSERT_GE(out.notDone.size(), 2);
    EXPECT_EQ(out.notDone[0], src + QStringLiteral("/gone.txt: ") + Str(572));
    EXPECT_TRUE(out.notDone[1].startsWith(src + QStringLiteral("/tree/sub/zz"))) << out.notDone[1].toStdString();
    EXPECT_EQ(test::ReadBytes(dest + QStringLiteral("/tree/a.txt")), "alpha");
}

// Runs `body` in a child process; its exit status is the verdict.
template <typename Body>
int InChild(Body body)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST_F(Transfer, AFileTheDiskCannotHoldLeavesNoHalfFile)
{
    const int verdict = InChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit r{1 << 20, 1 << 20};
        setrlimit(RLIMIT_FSIZE, &r);
        const FileOpOutcome out = run(FileTransfer::Kind::Copy, {src + QStringLiteral("/tree"), src + QStringLiteral("/single.txt")});
        if (out.ok() || !out.notDone.first().endsWith(Str(574)) || !out.notDone.first().contains(QStringLiteral("b.bin")))
            return 1;
        if (QFileInfo::exists(dest + QStringLiteral("/tree/sub/b.bin")))
            return 2;
        return QDir(dest + QStringLiteral("/tree/sub")).entryList(QDir::Hidden | QDir::Files).isEmpty() ? 0 : 3;
    });
    EXPECT_EQ(verdict, 0);
}

TEST_F(Transfer, AReadOnlyDestinationIsReported)
{
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    chmod(QFile::encodeName(src).constData(), 0755);
    chmod(QFile::encodeName(dest).constData(), 0555);
    const int verdict = InChild([&] {
        if (getuid() == 0 && setuid(65534) != 0)
            return 9;
        const FileOpOutcome out = run(FileTransfer::Kind::Copy, {src + QStringLiteral("/single.txt")});
        return !out.ok() && out.notDone.first().endsWith(Str(573)) ? 0 : 1;
    });
    chmod(QFile::encodeName(dest).constData(), 0755);
    // The child could not read the source as nobody? Then nothing was tested.
    EXPECT_NE(verdict, 9);
    EXPECT_EQ(verdict, 0);
}

TEST(TransferTime, TheTimeLeftComesFromTheRateSoFar)
{
    TransferProgress p;
    p.bytesTotal = 1000;
    p.bytesDone = 10;
    EXPECT_EQ(SecondsLeft(p, 100), -1); // too early to tell
    p.bytesDone = 250;
    EXPECT_EQ(SecondsLeft(p, 5000), 15);
    EXPECT_EQ(FormatDuration(65), QStringLiteral("1:05"));
    EXPECT_EQ(FormatDuration(7387), QStringLiteral("2:03:07"));
}

} // namespace
