// One bar per user and display.
#include "UiApp.h"
#include "app/InstanceGuard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace parvo;

TEST(InstanceGuard, TheLockIsNamedAfterTheProgramAndTheDisplay)
{
    EXPECT_EQ(TJustOne32::InstanceName("parvo", ":0"), "parvo-_0");
    EXPECT_EQ(TJustOne32::InstanceName("parvo", ":0.1"), "parvo-_0") << "screens of one display share a bar";
    EXPECT_EQ(TJustOne32::InstanceName("parvo", "host.example:10.0"), "parvo-host.example_10");
    EXPECT_EQ(TJustOne32::InstanceName("parvo", "/tmp/../x:1"), "parvo-_tmp_.._x_1");
    EXPECT_EQ(TJustOne32::InstanceName("parvo", ""), "parvo");
}

TEST(InstanceGuard, OneBarPerDisplay)
{
    test::App();
    QTemporaryDir dir;
    const QString folder = dir.path() + "/run";
    int woken = 0;
    TJustOne32 first(TJustOne32::InstanceName("parvo", ":5"), folder);
    first.onActivate([&] { ++woken; });
    ASSERT_FALSE(first.alreadyRunning());

    // The same display: the newcomer wakes the running bar and learns it runs.
    TJustOne32 again(TJustOne32::InstanceName("parvo", ":5.0"), folder);
    EXPECT_TRUE(again.alreadyRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return woken == 1; }, 5000));

    // Another display of the same user gets a bar of its own.
    TJustOne32 other(TJustOne32::InstanceName("parvo", ":6"), folder);
    EXPECT_FALSE(other.alreadyRunning());
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "the folder was made the user's alone";
}

TEST(InstanceGuard, WhatABarThatEndedLeftBehindDoesNotCount)
{
    test::App();
    QTemporaryDir dir;
    const QString folder = dir.path() + "/run";
    {
        TJustOne32 gone("parvo-_8", folder);
        ASSERT_FALSE(gone.alreadyRunning());
    }
    // A crash leaves the socket too, and the lock file of an older version would hold
    // text of its own.
    QFile socket(folder + "/parvo-_8.socket");
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();
    QFile lock(folder + "/parvo-_8.lock");
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("12345\nparvo\nhost\n");
    lock.close();

    int woken = 0;
    TJustOne32 next("parvo-_8", folder);
    next.onActivate([&] { ++woken; });
    EXPECT_FALSE(next.alreadyRunning());
    TJustOne32 newcomer("parvo-_8", folder);
    EXPECT_TRUE(newcomer.alreadyRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return woken == 1; }, 5000)) << "the new bar listens in the old socket's place";
}

TEST(InstanceGuard, AFolderOthersCouldReachIsNeverUsed)
{
    test::App();
    QTemporaryDir dir;
    // The user's own, but open to all: closed before use.
    const QString open = dir.path() + "/open";
    ASSERT_TRUE(QDir().mkpath(open));
    ::chmod(QFile::encodeName(open).constData(), 0777);
    EXPECT_TRUE(TJustOne32::MakePrivateFolder(open));
    struct stat st;
    ::stat(QFile::encodeName(open).constData(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A link put there in its place, or a file.
    const QString link = dir.path() + "/link";
    ASSERT_EQ(::symlink(QFile::encodeName(open).constData(), QFile::encodeName(link).constData()), 0);
    EXPECT_FALSE(TJustOne32::MakePrivateFolder(link));
    QFile(dir.path() + "/file").open(QIODevice::WriteOnly);
    EXPECT_FALSE(TJustOne32::MakePrivateFolder(dir.path() + "/file"));

    // Another user's folder (one made in /tmp before the user came, say): the bar runs
    // without a lock rather than trust it.
    if (::geteuid() == 0) {
        const QString foreign = dir.path() + "/foreign";
        ASSERT_TRUE(QDir().mkpath(foreign));
        ASSERT_EQ(::chown(QFile::encodeName(foreign).constData(), 65534, 65534), 0);
        EXPECT_FALSE(TJustOne32::MakePrivateFolder(foreign));
        TJustOne32 guard("parvo-_7", foreign);
        TJustOne32 second("parvo-_7", foreign);
        EXPECT_FALSE(second.alreadyRunning());
        EXPECT_TRUE(QDir(foreign).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).isEmpty())
            << "nothing was put in it";
    }
}
