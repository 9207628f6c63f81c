// The parts of a drop that need no window: the destination history, the file list of a
// compress, the archive's name and where its entries' names begin.

#include "FakeRegistry.h"
#include "TempFiles.h"
#include "dialogs/DestinationHistory.h"
#include "dialogs/DropOperation.h"
#include "settings/RegistryKeys.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;
using namespace parvo::test;

namespace {

const QString HistoryKey = QStringLiteral("SOFTWARE\\Tessaline\\Parvo\\CUEHistoria");

TEST(DestinationHistory, TenDestinationsOldestFirstWithoutGaps)
{
    FakeRegistry reg;
    for (int i = 0; i < 11; ++i)
        RecordDestination(reg, QStringLiteral("/dest/%1/").arg(i));
    QStringList expected;
    for (int i = 1; i < 11; ++i)
        expected << QStringLiteral("/dest/%1/").arg(i);
    EXPECT_EQ(LoadHistory(reg), expected);
    for (int n = 0; n < 10; ++n)
        EXPECT_TRUE(reg.value(RegRoot::CurrentUser, HistoryKey, QStringLiteral("H%1").arg(n))) << n;
    EXPECT_FALSE(reg.value(RegRoot::CurrentUser, HistoryKey, QStringLiteral("H10")));
    // One used again keeps its place, and is not there twice.
    EXPECT_EQ(RecordDestination(reg, QStringLiteral("/dest/3/")), expected);
}

TEST(DestinationHistory, AGapEndsTheHistoryAndIsClosedOnTheNextWrite)
{
    FakeRegistry reg;
    reg.setValue(RegRoot::CurrentUser, HistoryKey, QStringLiteral("H0"), RegValue::fromText(QStringLiteral("/a/")));
    reg.setValue(RegRoot::CurrentUser, HistoryKey, QStringLiteral("H2"), RegValue::fromText(QStringLiteral("/c/")));
    EXPECT_EQ(LoadHistory(reg), QStringList{QStringLiteral("/a/")});
    EXPECT_EQ(RecordDestination(reg, QStringLiteral("/b/")), (QStringList{QStringLiteral("/a/"), QStringLiteral("/b/")}));
    EXPECT_EQ(reg.value(RegRoot::CurrentUser, HistoryKey, QStringLiteral("H1"))->text, QStringLiteral("/b/"));
}

TEST(DestinationHistory, PathsAreLowerCasedOnlyWhereTheyStillNameTheFolder)
{
    QTemporaryDir dir;
    const QString mixed = dir.filePath(QStringLiteral("Documenti"));
    QDir().mkpath(mixed);
    // A case-sensitive file system: the lower-cased path would name nothing.
    EXPECT_EQ(FoldedPath(mixed), mixed);
    EXPECT_EQ(FoldedPath(QStringLiteral("/NOWHERE/At/All")), QStringLiteral("/NOWHERE/At/All"));
    EXPECT_EQ(FoldedPath(dir.filePath(QStringLiteral("lower"))), dir.filePath(QStringLiteral("lower")));
}

TEST(DropFileList, FoldersBecomeTheirFilesInTheDroppedOrder)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    WriteBytes(root + QStringLiteral("/a/.hidden"), "h");
    WriteBytes(root + QStringLiteral("/a/sub/deep.txt"), "d");
    WriteBytes(root + QStringLiteral("/a/.git/config"), "not entered");
    QDir().mkpath(root + QStringLiteral("/a/empty"));
    WriteBytes(root + QStringLiteral("/b.txt"), "b");
    QFile::link(root + QStringLiteral("/a/sub"), root + QStringLiteral("/a/linked"));
    QStringList files = ExpandFileList({root + QStringLiteral("/b.txt"), root + QStringLiteral("/a"),
                                        root + QStringLiteral("/gone.txt")});
    ASSERT_EQ(files.size(), 5);
    EXPECT_EQ(files.first(), root + QStringLiteral("/b.txt"));
    EXPECT_EQ(files.last(), root + QStringLiteral("/gone.txt")); // kept: the engine reports it
    files = files.mid(1, 3);
    files.sort();
    EXPECT_EQ(files, (QStringList{root + QStringLiteral("/a/.hidden"), root + QStringLiteral("/a/linked"),
                                  root + QStringLiteral("/a/sub/deep.txt")}));
}

TEST(DropZipName, TheTypedNameBecomesALowerCaseZipName)
{
    EXPECT_EQ(ZipFileName(QStringLiteral("Archivio.ZIP")), QStringLiteral("archivio.zip"));
    EXPECT_EQ(ZipFileName(QStringLiteral("note.txt")), QStringLiteral("note.txt.zip"));
    EXPECT_EQ(ZipFileName(QStringLiteral("  ")), QString());
    EXPECT_EQ(ZipFileName(QStringLiteral("../elsewhere.zip")), std::nullopt);
    EXPECT_EQ(ZipFileName(QStringLiteral("..")), std::nullopt);
}

TEST(DropZipName, EntriesBeginWhereTheDroppedThingsWere)
{
    EXPECT_EQ(CommonFolder({QStringLiteral("/home/u/docs/a.txt"), QStringLiteral("/home/u/docs/sub")}),
              QStringLiteral("/home/u/docs"));
    EXPECT_EQ(CommonFolder({QStringLiteral("/home/u/docs/a.txt"), QStringLiteral("/home/u/music/b")}),
              QStringLiteral("/home/u"));
    EXPECT_EQ(CommonFolder({QStringLiteral("/etc/x"), QStringLiteral("/usr/y")}), QStringLiteral("/"));
}

} // namespace
