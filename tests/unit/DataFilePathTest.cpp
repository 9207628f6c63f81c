#include "app/DataFilePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <grp.h>
#include <unistd.h>

using namespace parvo;

TEST(DataFilePath, MapsExactlyTheKnownIndices)
{
    const QString dir = QStringLiteral("/opt/parvo/");
    const std::pair<int, const char*> known[] = {
        {0, "data1.mke"}, {1, "data2.mke"}, {2, "data3.mke"}, {3, "data4.mke"},
        {4, "data5.mke"}, {5, "data6.mke"}, {6, "data7.mke"}, {10, "pvfolder.exe"},
        {20, "parvo.chm"}};
    for (auto [index, name] : known)
        EXPECT_EQ(DataFilePath(index, dir), dir + QLatin1String(name)) << index;
    for (int index : {-1, 7, 8, 9, 11, 19, 21, 100})
        EXPECT_TRUE(DataFilePath(index, dir).isEmpty()) << index;
}

TEST(DataFilePath, AddsTheSeparatorWhenTheFolderLacksIt)
{
    EXPECT_EQ(DataFilePath(0, QStringLiteral("/opt/parvo")), QStringLiteral("/opt/parvo/data1.mke"));
}

TEST(DataFilePath, ListsStayBesideAWritableProgramElseGoToTheUserDataFolder)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString program = tmp.path() + QStringLiteral("/program");
    const QString data = tmp.path() + QStringLiteral("/share");
    ASSERT_TRUE(QDir().mkpath(program));
    EXPECT_EQ(ListsFolder(program, data), program + QLatin1Char('/'));
    EXPECT_EQ(ListsFolder(tmp.path() + QStringLiteral("/missing"), data), data + QStringLiteral("/parvo/"));

    // A folder the user may not write, as a system install is; root writes anywhere, so
    // the question is asked by a child that has given up its rights.
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(tmp.path(), all));
    ASSERT_TRUE(QFile::setPermissions(program, all));
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(3);
            ::_exit(ListsFolder(program, data) == data + QStringLiteral("/parvo/") ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
