// The wrapper's own reading of an archive's central directory.

#include "FakeDrives.h"
#include "FakePrompts.h"
#include "TempFiles.h"
#include "ZipBuilder.h"
#include "app/StringTable.h"
#include "zip/TZip.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;
using namespace parvo::test;

namespace {

class ZipDirectory : public ::testing::Test {
protected:
    QString write(const std::string& bytes, const QString& name = QStringLiteral("a.zip"))
    {
        const QString path = dir.filePath(name);
        WriteBytes(path, QByteArray::fromStdString(bytes));
        return path;
    }
    // The message of the ZipException selecting `path` raises; empty when none.
    QString failure(const QString& path)
    {
        try {
            zip.SetZipPath(path);
        } catch (const ZipException& e) {
            return e.Message;
        }
        return {};
    }
    QString notValid(const QString& path) { return Str(65310).replace(QLatin1String("%s"), path); }

    QTemporaryDir dir;
    FakePrompts prompts;
    FakeDrives drives;
    TZip zip{{prompts, &drives, QString(), {}}};
};

TEST_F(ZipDirectory, AMissingArchiveBecomesTheEmptyEndRecord)
{
    int changed = 0;
    QObject::connect(&zip, &TZip::OnContentsChanged, [&] { ++changed; });
    const QString path = dir.filePath(QStringLiteral("new.zip"));
    zip.SetZipPath(path);
    const QByteArray bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 22);
    EXPECT_EQ(bytes.left(4), QByteArray("PK\x05\x06"));
    EXPECT_EQ(bytes.mid(4), QByteArray(18, '\0'));
    EXPECT_TRUE(zip.Entries.isEmpty());
    EXPECT_EQ(zip.DirEndPos, 0);
    EXPECT_EQ(changed, 1);
    // A folder that cannot hold it gives the create message.
    const QString blocked = dir.filePath(QStringLiteral("new.zip/inner.zip"));
    EXPECT_EQ(failure(blocked), Str(65308));
}

TEST_F(ZipDirectory, TheStateIsResetForEveryArchive)
{
    zip.Password = QStringLiteral("secret");
    zip.OemNames = true;
    const QString path = write(BuildZip({{"a.txt", "hello"}}, {.comment = "note"}));
    zip.SetZipPath(path);
    EXPECT_TRUE(zip.Password.isEmpty());
    EXPECT_FALSE(zip.OemNames);
    EXPECT_EQ(zip.Comment, QStringLiteral("note"));
    EXPECT_EQ(zip.EndRecord.Signature, 0x06054B50u);
    EXPECT_EQ(zip.EndRecord.TotalEntries, 1);
    EXPECT_EQ(zip.EndRecord.CommentLength, 4);
    ASSERT_EQ(zip.Entries.size(), 1);
    EXPECT_EQ(zip.Entries[0].FileName, QStringLiteral("a.txt"));
    EXPECT_EQ(zip.Entries[0].UncompressedSize(), 5u);
}

TEST_F(ZipDirectory, TheEndRecordIsFoundBehindCommentsOfEveryLength)
{
    for (const size_t length : {size_t(0), size_t(1), size_t(300), size_t(65535)}) {
        const std::string comment(length, 'c');
        const QString path = write(BuildZip({{"x", "1"}, {"y", "22"}}, {.comment = comment}));
        zip.SetZipPath(path);
        EXPECT_EQ(zip.Entries.size(), 2) << length;
        EXPECT_EQ(zip.Comment.size(), qsizetype(length));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(TZip::FindEndRecord(f), f.size() - 22 - qint64(length));
    }
    // Too small to hold one, or none within reach.
    EXPECT_EQ(failure(write(std::string(21, 'P'))), notValid(dir.filePath(QStringLiteral("a.zip"))));
    const QString notAnArchive = write(std::string(100000, 'x'), QStringLiteral("b.zip"));
    EXPECT_EQ(failure(notAnArchive), notValid(notAnArchive));
}

TEST_F(ZipDirectory, EndRecordsBeyondTheSanityLimitsAreNotArchives)
{
    const std::vector<ZipEntrySpec> one{{"a", "b"}};
    const QString disk = write(BuildZip(one, {.thisDisk = 1001}));
    EXPECT_EQ(failure(disk), notValid(disk));
    const QString dirDisk = write(BuildZip(one, {.directoryDisk = 1001}));
    EXPECT_EQ(failure(dirDisk), notValid(dirDisk));
    const QString big = write(BuildZip(one, {.directorySize = 1024001}));
    EXPECT_EQ(failure(big), notValid(big));
    // At the limits themselves the record is read (and this directory then fails).
    const QString atLimit = write(BuildZip(one, {.directorySize = 1024000}));
    EXPECT_EQ(failure(atLimit), Str(65311));
}

TEST_F(ZipDirectory, DamagedDirectoriesLeaveNoEntries)
{
    const std::vector<ZipEntrySpec> two{{"a", "1"}, {"b", "2"}};
    // More entries claimed than there are, a directory larger than the file, one that
    // starts in the wrong place.
    for (const ZipEndSpec& end : {ZipEndSpec{.totalEntries = 3}, ZipEndSpec{.directorySize = 5000},
                                  ZipEndSpec{.directorySize = 50}}) {
        const QString path = write(BuildZip(two, end));
        EXPECT_EQ(failure(path), Str(65311));
        EXPECT_TRUE(zip.Entries.isEmpty());
    }
    // Cut short in the middle of the directory: the end record is gone too.
    std::string whole = BuildZip(two);
    const QString cut = write(whole.substr(0, whole.size() - 30));
    EXPECT_EQ(failure(cut), notValid(cut));
    EXPECT_TRUE(zip.Entries.isEmpty());
}

TEST_F(ZipDirectory, NamesFollowTheFirstEntrysHost)
{
    const std::string oem = "caf\x82";     // é in code page 437
    const std::string utf8 = "caf\xc3\xa9";
    struct Case {
        uint16_t madeBy;
        uint16_t flags;
        std::string name;
        bool oemNames;
    };
    for (const Case& c : {Case{0x0014, 0, oem, true}, Case{0x0614, 0, oem, true}, Case{0x0B32, 0, oem, true},
                          Case{0x0B14, 0, utf8, false}, Case{0x031E, 0, utf8, false},
                          Case{0x0014, 0x0800, utf8, true}}) {
        ZipEntrySpec first{c.name, "x"};
        first.madeBy = c.madeBy;
        first.flags = c.flags;
        ZipEntrySpec second{"dir/" + c.name, "y"};
        second.madeBy = 0x031E; // only the first entry decides
        second.flags = c.flags;
        zip.SetZipPath(write(BuildZip({first, second})));
        EXPECT_EQ(zip.OemNames, c.oemNames) << c.madeBy;
        ASSERT_EQ(zip.Entries.size(), 2);
        EXPECT_EQ(zip.Entries[0].FileName, QStringLiteral("café")) << c.madeBy;
        // Stored with "/", shown with the system's separator.
        EXPECT_EQ(zip.Entries[1].FileName, QStringLiteral("dir/café")) << c.madeBy;
    }
}

TEST_F(ZipDirectory, DataBeforeTheArchiveMovesTheFirstLocalHeader)
{
    const std::vector<ZipEntrySpec> two{{"a", "12345"}, {"b", "6"}};
    zip.SetZipPath(write(BuildZip(two)));
    EXPECT_EQ(zip.DirStartPos, 0);
    // A program stub in front, its offsets still counted from the archive's start.
    zip.SetZipPath(write(BuildZip(two, {.prefix = std::string(1000, 'S')})));
    EXPECT_EQ(zip.DirStartPos, 1000);
    EXPECT_EQ(zip.Entries.size(), 2);
    EXPECT_EQ(zip.Entries[0].Encrypted, false);
}

TEST_F(ZipDirectory, BackupDisksAreNumberedByTheirLabel)
{
    const QString path = write(BuildZip({{"a", "1"}}));
    drives.drives = {{QChar('C'), QStringLiteral("/"), DriveFixed, QStringLiteral("PKBACK# 002")},
                     {QChar('E'), dir.path() + QLatin1Char('/'), DriveRemovable, QStringLiteral("PKBACK# 003")}};
    EXPECT_EQ(zip.DiskNumberOfVolume(path), 3);
    EXPECT_EQ(zip.DiskNumberOfVolume(dir.filePath(QStringLiteral("missing.zip"))), 0);
    drives.drives[1].label = QStringLiteral("PKBACK# abc");
    EXPECT_EQ(zip.DiskNumberOfVolume(path), 0);
    drives.drives[1].label = QStringLiteral("BACKUP 003");
    EXPECT_EQ(zip.DiskNumberOfVolume(path), 0);
    drives.drives[1].type = DriveFixed; // a fixed disk is never a backup disk
    drives.drives[1].label = QStringLiteral("PKBACK# 003");
    EXPECT_EQ(zip.DiskNumberOfVolume(path), 0);

    drives.drives[1].type = DriveRemovable;
    EXPECT_TRUE(zip.AskForDisk(path, 3));
    EXPECT_TRUE(prompts.shown.isEmpty());
    prompts.answers = {PromptAnswer::Ok, PromptAnswer::Cancel};
    EXPECT_FALSE(zip.AskForDisk(path, 4));
    EXPECT_EQ(prompts.shown, QStringList(2, Str(65304).replace(QLatin1String("%d"), QStringLiteral("4"))));
}

TEST_F(ZipDirectory, ALastDiskIsAskedForWhenTheEndRecordIsElsewhere)
{
    // The first disk of a set: no end record on it.
    const QString path = write(std::string(200, 'd'));
    drives.drives = {{QChar('E'), dir.path() + QLatin1Char('/'), DriveRemovable, QStringLiteral("PKBACK# 001")}};
    prompts.answers = {PromptAnswer::Cancel};
    EXPECT_EQ(failure(path), QString());
    EXPECT_TRUE(zip.Entries.isEmpty());
    EXPECT_EQ(prompts.shown, QStringList{Str(65305).replace(QLatin1String("%d"), QStringLiteral("1"))});
}

TEST_F(ZipDirectory, ArchivesOfTheCommandLineZipListTheirEntries)
{
    QDir(dir.path()).mkpath(QStringLiteral("src/sub/empty"));
    WriteBytes(dir.filePath(QStringLiteral("src/plain.txt")), QByteArray(5000, 'a'));
    WriteBytes(dir.filePath(QStringLiteral("src/sub/più.txt")), "accented");
    for (const QStringList& options : {QStringList{QStringLiteral("-r")}, QStringList{QStringLiteral("-r"), QStringLiteral("-fz")}}) {
        const QString archive = dir.filePath(QStringLiteral("cmd.zip"));
        QFile::remove(archive);
        QProcess zipTool;
        zipTool.setWorkingDirectory(dir.filePath(QStringLiteral("src")));
        zipTool.start(QStringLiteral("zip"), QStringList{QStringLiteral("-q")} + options + QStringList{archive, QStringLiteral(".")});
        ASSERT_TRUE(zipTool.waitForFinished()) << "zip is needed";
        ASSERT_EQ(zipTool.exitCode(), 0);
        QProcess list;
        list.start(QStringLiteral("zipinfo"), {QStringLiteral("-1"), archive});
        list.waitForFinished();
        const QStringList expected = QString::fromUtf8(list.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);

        zip.SetZipPath(archive);
        QStringList names;
        for (const TFileInfo& e : zip.Entries)
            names << e.FileName;
        EXPECT_EQ(names, expected) << options.join(QLatin1Char(' ')).toStdString();
    }
}

} // namespace
