#include "platform/linux/DriveLetters.h"
#include "platform/linux/LinuxRegistry.h"
#include "platform/linux/MountDrives.h"
#include "platform/linux/MountInfo.h"

#include "FakeRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include "../TempFiles.h"

#include <gtest/gtest.h>

using namespace parvo;
using parvo::test::ReadBytes;
using parvo::test::WriteBytes;

namespace {

const QString kDrivesKey = QString::fromLatin1(DriveLettersKey);

// One mountinfo line for a mount of `source` (type `fs`, device maj:min) at `point`.
QByteArray line(int id, const char* dev, const char* root, const char* point, const char* fs, const QByteArray& source)
{
    return QByteArray::number(id) + " 1 " + dev + ' ' + root + ' ' + point + " rw,relatime shared:1 - " + fs + ' '
        + source + " rw\n";
}

QStringList mountPoints(const QList<MountEntry>& mounts)
{
    QStringList out;
    for (const MountEntry& m : mounts)
        out << m.mountPoint;
    return out;
}

// "C:/ D:/home/ …", absent drives marked with "-".
QString lettering(const QList<DriveInfo>& drives)
{
    QStringList parts;
    for (const DriveInfo& d : drives)
        parts << QString(d.letter) + u':' + d.root + (d.exists() ? QString() : QStringLiteral("-"));
    return parts.join(u' ');
}

// A made-up system: mount table, /sys, the label links and device files, in a temporary
// folder.
class FakeSystem {
public:
    FakeSystem()
    {
        paths.mountInfo = dir.filePath(QStringLiteral("mountinfo"));
        paths.sys = dir.filePath(QStringLiteral("sys"));
        paths.labels = dir.filePath(QStringLiteral("by-label"));
        paths.programPath = {dir.filePath(QStringLiteral("bin"))};
        QDir().mkpath(paths.labels);
        QDir().mkpath(paths.programPath.first());
    }

    QByteArray device(const QString& name)
    {
        const QString path = dir.filePath(QStringLiteral("dev/") + name);
        WriteBytes(path, {});
        return QFile::encodeName(path);
    }
    // A whole disk under /sys, its number linked from /sys/dev/block.
    void disk(const QString& name, const QString& number, bool removable)
    {
        const QString folder = paths.sys + QStringLiteral("/devices/") + name;
        WriteBytes(folder + QStringLiteral("/removable"), removable ? "1\n" : "0\n");
        link(folder, number, name);
    }
    void partition(const QString& diskName, const QString& name, const QString& number)
    {
        const QString folder = paths.sys + QStringLiteral("/devices/") + diskName + u'/' + name;
        WriteBytes(folder + QStringLiteral("/partition"), "1\n");
        link(folder, number, name);
    }
    void label(const QString& escapedName, const QString& deviceName)
    {
        ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("dev/") + deviceName), paths.labels + u'/' + escapedName));
    }
    void table(const QByteArray& text) { WriteBytes(paths.mountInfo, text); }

    QTemporaryDir dir;
    MountDrivesPaths paths;

private:
    void link(const QString& folder, const QString& number, const QString& name)
    {
        QDir().mkpath(paths.sys + QStringLiteral("/dev/block"));
        QDir().mkpath(paths.sys + QStringLiteral("/class/block"));
        ASSERT_TRUE(QFile::link(folder, paths.sys + QStringLiteral("/dev/block/") + number));
        ASSERT_TRUE(QFile::link(folder, paths.sys + QStringLiteral("/class/block/") + name));
    }
};

} // namespace

TEST(MountInfo, ParsesTheKernelsLineFormat)
{
    const auto m = ParseMountInfoLine("36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw,errors=continue");
    ASSERT_TRUE(m);
    EXPECT_EQ(*m, (MountEntry{36, 35, 98, 0, "/mnt1", "/mnt/parent", "ext3", "/dev/root"}));

    // No tagged fields, several of them, no super-block options.
    EXPECT_TRUE(ParseMountInfoLine("1 0 8:1 / / rw - ext4 /dev/sda1 rw"));
    const auto tagged = ParseMountInfoLine("2 1 0:50 / /mnt/nas rw shared:4 master:2 propagate_from:1 - nfs4 nas:/export");
    ASSERT_TRUE(tagged);
    EXPECT_EQ(tagged->fsType, QStringLiteral("nfs4"));
    EXPECT_EQ(tagged->source, QStringLiteral("nas:/export"));
    EXPECT_EQ(tagged->major, 0u);
    EXPECT_EQ(tagged->minor, 50u);
}

TEST(MountInfo, UndoesEscapesAndKeepsNonAsciiNames)
{
    const auto m = ParseMountInfoLine(
        "40 1 8:17 / /media/anna/Chiavetta\\040di\\040Anna\\134x rw - vfat /dev/sdb1 rw");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->mountPoint, QStringLiteral("/media/anna/Chiavetta di Anna\\x"));

    const auto utf8 = ParseMountInfoLine("41 1 8:33 / /media/anna/Foto\\011\xc3\xa8\xe6\x97\xa5 rw - exfat /dev/sdc1 rw");
    ASSERT_TRUE(utf8);
    EXPECT_EQ(utf8->mountPoint, QStringLiteral("/media/anna/Foto\t\u00e8\u65e5"));

    // A backslash not followed by three octal digits stands for itself.
    const auto odd = ParseMountInfoLine("42 1 8:1 / /mnt/a\\9b\\04 rw - ext4 /dev/sda1 rw");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->mountPoint, QStringLiteral("/mnt/a\\9b\\04"));
}

TEST(MountInfo, MalformedLinesArePassedOver)
{
    for (const char* bad : {
             "",
             "garbage",
             "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 ext3 /dev/root rw", // no "-"
             "36 35 98:0 /mnt1 /mnt/parent rw - ext3",                              // no source
             "x 35 98:0 / /mnt/a rw - ext3 /dev/root rw",                            // id not a number
             "36 35 980 / /mnt/a rw - ext3 /dev/root rw",                            // no major:minor
             "36 35 98:z / /mnt/a rw - ext3 /dev/root rw",
             "36 35 98:0 / relative rw - ext3 /dev/root rw",                         // not a path
             "36 35 98:0 / - - ext3 /dev/root rw",
             "36 35 98:0 /",
         }) {
        EXPECT_FALSE(ParseMountInfoLine(bad)) << bad;
    }

    QByteArray table = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                       "this line is no mount\n"
                       "\n";
    table += QByteArray("\xff\xfe\x00\x01 - broken\n", 14);
    table += "2 1 8:2 / /home rw - ext4 /dev/sda2 rw"; // last line without a line end
    EXPECT_EQ(mountPoints(ParseMountInfo(table)), (QStringList{"/", "/home"}));
}

TEST(MountInfo, ChoosesTheMountsAUserBrowses)
{
    const QByteArray table = line(20, "0:21", "/", "/proc", "proc", "proc")
        + line(21, "0:22", "/", "/sys", "sysfs", "sysfs")
        + line(22, "0:5", "/", "/dev", "devtmpfs", "udev")
        + line(23, "0:23", "/", "/run", "tmpfs", "tmpfs")
        + line(24, "8:2", "/@", "/", "btrfs", "/dev/sda2")
        + line(25, "8:1", "/", "/boot/efi", "vfat", "/dev/sda1")
        + line(26, "8:2", "/@home", "/home", "btrfs", "/dev/sda2")     // subvolume of the root's disk
        + line(27, "7:3", "/", "/snap/core/123", "squashfs", "/dev/loop3")
        + line(28, "7:4", "/", "/media/cdrom-image", "squashfs", "/dev/loop4")
        + line(29, "0:40", "/", "/run/user/1000", "tmpfs", "tmpfs")
        + line(30, "0:41", "/", "/run/user/1000/gvfs", "fuse.gvfsd-fuse", "gvfsd-fuse")
        + line(31, "8:17", "/", "/media/anna/STICK", "vfat", "/dev/sdb1")
        + line(32, "8:33", "/", "/run/media/anna/DISC", "udf", "/dev/sr0")
        + line(33, "0:42", "/", "/run/media/anna", "tmpfs", "tmpfs")      // the user's folder, no volume
        + line(34, "0:43", "/", "/mnt/nas", "nfs4", "nas:/export")
        + line(35, "0:44", "/", "/home/anna/server", "fuse.sshfs", "anna@server:")
        + line(36, "0:45", "/", "/run/nfs-share", "nfs", "nas:/other")    // the system's own folder
        + line(37, "8:49", "/", "/srv/data", "ext4", "/dev/sdd1")         // not a place users browse
        + line(38, "8:17", "/photos", "/mnt/photos", "vfat", "/dev/sdb1") // the stick's folder again
        + line(39, "0:46", "/", "/mnt/ram", "tmpfs", "tmpfs")
        + line(40, "0:47", "/", "/mnt/auto", "autofs", "systemd-1")
        + line(41, "8:65", "/", "/mnt/a", "ext4", "/dev/sde1")
        + line(42, "8:81", "/", "/mnt/a", "ext4", "/dev/sdf1")            // hides the one before
        + line(43, "8:97", "/", "/media/new/", "ext4", "/dev/sdg1")
        + line(44, "0:48", "/", "/boot/nfs", "nfs", "nas:/boot");
    const QList<MountEntry> chosen = BrowsableMounts(ParseMountInfo(table));
    EXPECT_EQ(mountPoints(chosen), (QStringList{"/", "/home", "/media/anna/STICK", "/run/media/anna/DISC", "/mnt/nas",
                                                "/home/anna/server", "/mnt/ram", "/mnt/a", "/media/new"}));
    EXPECT_EQ(chosen[7].source, QStringLiteral("/dev/sdf1"));
}

TEST(MountInfo, ASecondViewOfAFileSystemIsListedOnce)
{
    // The same share twice, and the root's disk bound into /mnt.
    const QByteArray table = line(1, "8:1", "/", "/", "ext4", "/dev/sda1")
        + line(2, "0:50", "/", "/mnt/nas", "nfs", "nas:/export")
        + line(3, "0:50", "/", "/mnt/nas-again", "nfs", "nas:/export")
        + line(4, "8:1", "/", "/mnt/root-view", "ext4", "/dev/sda1")
        + line(5, "8:1", "/srv", "/mnt/srv", "ext4", "/dev/sda1")
        // A folder of a stick bound before the stick's own mount: the whole stick counts.
        + line(6, "8:17", "/docs", "/mnt/docs", "vfat", "/dev/sdb1")
        + line(7, "8:17", "/", "/media/stick", "vfat", "/dev/sdb1");
    EXPECT_EQ(mountPoints(BrowsableMounts(ParseMountInfo(table))), (QStringList{"/", "/mnt/nas", "/media/stick"}));
}

TEST(MountDrives, TypesAndLabelsFromTheSystem)
{
    FakeSystem sys;
    ASSERT_TRUE(sys.dir.isValid());
    sys.disk("sda", "8:0", false);
    sys.partition("sda", "sda1", "8:1");
    sys.disk("sdb", "8:16", true);
    sys.partition("sdb", "sdb1", "8:17");
    sys.disk("sdc", "8:32", true); // a card without partitions
    sys.disk("sdd", "8:48", false);
    sys.partition("sdd", "sdd2", "8:50");
    const QByteArray sda1 = sys.device("sda1");
    const QByteArray sdb1 = sys.device("sdb1");
    const QByteArray sdc = sys.device("sdc");
    const QByteArray sdd2 = sys.device("sdd2");
    sys.label("My\\x20Stick", "sdb1");
    sys.label("Scheda\xc3\xa8", "sdc");
    sys.table(line(1, "8:1", "/", "/", "ext4", sda1)
              + line(2, "8:17", "/", "/media/anna/STICK", "vfat", sdb1)
              + line(3, "8:32", "/", "/media/anna/card", "exfat", sdc)
              + line(4, "0:60", "/", "/mnt/nas", "cifs", "//nas/share")
              + line(5, "11:0", "/", "/media/anna/DVD", "iso9660", "/dev/sr0")
              + line(6, "0:61", "/", "/mnt/ram", "tmpfs", "tmpfs")
              + line(7, "0:62", "/", "/mnt/vault", "fuse.gocryptfs", "/home/anna/.vault")
              // btrfs gives a device number of its own: the source names the disk.
              + line(8, "0:63", "/@data", "/mnt/data", "btrfs", sdd2)
              + line(9, "0:64", "/", "/mnt/overlay", "overlay", "overlay"));

    FakeRegistry reg;
    MountDrives drives(reg, sys.paths, [] { return qint64(1000); });
    const QList<DriveInfo> list = drives.list();
    const QList<DriveInfo> expected{
        {u'C', "/", DriveFixed, ""},
        {u'D', "/media/anna/STICK/", DriveRemovable, "My Stick"},
        {u'E', "/media/anna/card/", DriveRemovable, QStringLiteral("Scheda\u00e8")},
        {u'F', "/mnt/nas/", DriveRemote, "nas"},
        {u'G', "/media/anna/DVD/", DriveCdRom, "DVD"},
        {u'H', "/mnt/ram/", DriveRamDisk, "ram"},
        {u'I', "/mnt/vault/", DriveUnknown, "vault"},
        {u'J', "/mnt/data/", DriveFixed, "data"},
        {u'K', "/mnt/overlay/", DriveFixed, "overlay"},
    };
    ASSERT_EQ(list.size(), expected.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].letter, expected[i].letter) << i;
        EXPECT_EQ(list[i].root, expected[i].root) << i;
        EXPECT_EQ(list[i].type, expected[i].type) << qPrintable(list[i].root);
        EXPECT_EQ(list[i].label, expected[i].label) << qPrintable(list[i].root);
    }
}

TEST(MountDrives, LettersStayWithTheirMountsAcrossRuns)
{
    FakeSystem sys;
    ASSERT_TRUE(sys.dir.isValid());
    FakeRegistry reg;
    qint64 now = 1000;
    MountDrives drives(reg, sys.paths, [&] { return now; });

    sys.table(line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + line(2, "8:2", "/", "/home", "ext4", "/dev/sda2")
              + line(3, "8:17", "/", "/media/stick", "vfat", "/dev/sdb1"));
    EXPECT_EQ(lettering(drives.list()), QStringLiteral("C:/ D:/home/ E:/media/stick/"));
    EXPECT_EQ(reg.text(kDrivesKey, "/home"), QStringLiteral("D"));
    EXPECT_EQ(reg.text(kDrivesKey, "/media/stick"), QStringLiteral("E"));

    // The stick is pulled out: its letter stays reserved, the next mount gets another.
    now = 2000;
    sys.table(line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + line(2, "8:2", "/", "/home", "ext4", "/dev/sda2")
              + line(4, "0:50", "/", "/mnt/nas", "nfs", "nas:/x"));
    EXPECT_EQ(lettering(drives.list()), QStringLiteral("C:/ D:/home/ E:/media/stick/- F:/mnt/nas/"));
    EXPECT_EQ(reg.text(kDrivesKey, "/media/stick"), QStringLiteral("E 2000"));

    // Back in, mounted before the share this time: still E.
    now = 3000;
    sys.table(line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + line(3, "8:17", "/", "/media/stick", "vfat", "/dev/sdb1")
              + line(4, "0:50", "/", "/mnt/nas", "nfs", "nas:/x") + line(2, "8:2", "/", "/home", "ext4", "/dev/sda2"));
    EXPECT_EQ(lettering(drives.list()), QStringLiteral("C:/ D:/home/ E:/media/stick/ F:/mnt/nas/"));
    EXPECT_EQ(reg.text(kDrivesKey, "/media/stick"), QStringLiteral("E"));

    // A look that changes nothing writes nothing.
    const int stores = reg.stores;
    drives.list();
    EXPECT_EQ(reg.stores, stores);
}

TEST(MountDrives, LettersSurviveARestartInTheRegistryFile)
{
    FakeSystem sys;
    ASSERT_TRUE(sys.dir.isValid());
    const QString file = sys.dir.filePath(QStringLiteral("config/parvo/registry.reg"));
    XdgDirs xdg;
    xdg.home = sys.dir.path();
    xdg.configHome = sys.dir.filePath(QStringLiteral("config"));

    sys.table(line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + line(2, "0:50", "/", "/mnt/nas", "nfs", "nas:/x")
              + line(3, "8:17", "/", "/media/Chiavetta\\040\xc3\xa8", "vfat", "/dev/sdb1"));
    {
        LinuxRegistry reg(file, xdg);
        MountDrives drives(reg, sys.paths);
        EXPECT_EQ(lettering(drives.list()), QStringLiteral("C:/ D:/mnt/nas/ E:/media/Chiavetta \u00e8/"));
    }
    sys.table(line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + line(3, "8:17", "/", "/media/Chiavetta\\040\xc3\xa8", "vfat", "/dev/sdb1")
              + line(4, "8:33", "/", "/media/other", "vfat", "/dev/sdc1"));
    LinuxRegistry reg(file, xdg);
    MountDrives drives(reg, sys.paths);
    EXPECT_EQ(lettering(drives.list()), QStringLiteral("C:/ D:/mnt/nas/- E:/media/Chiavetta \u00e8/ F:/media/other/"));
}

TEST(DriveLetters, ThirtyMountsFillTheLettersAndTheRestAreLeftOff)
{
    FakeRegistry reg;
    QStringList points{QStringLiteral("/")};
    for (int i = 1; i <= 30; ++i)
        points << QStringLiteral("/mnt/m%1").arg(i);
    const QList<LetteredMount> lettered = AssignDriveLetters(reg, points, 100);
    ASSERT_EQ(lettered.size(), 24); // C, and D to Z
    EXPECT_EQ(lettered.first(), (LetteredMount{u'C', "/", true}));
    EXPECT_EQ(lettered[1], (LetteredMount{u'D', "/mnt/m1", true}));
    EXPECT_EQ(lettered.last(), (LetteredMount{u'Z', "/mnt/m23", true}));
    EXPECT_FALSE(reg.has(kDrivesKey, "/mnt/m24"));

    // Once a mount is gone, the first one left off takes its letter only when no other
    // is free; here none is, so it takes the gone mount's letter.
    points.removeAll(QStringLiteral("/mnt/m5"));
    const QList<LetteredMount> next = AssignDriveLetters(reg, points, 200);
    ASSERT_EQ(next.size(), 24);
    EXPECT_EQ(next[5], (LetteredMount{u'H', "/mnt/m24", true}));
    EXPECT_FALSE(reg.has(kDrivesKey, "/mnt/m5"));
    EXPECT_EQ(reg.text(kDrivesKey, "/mnt/m24"), QStringLiteral("H"));
}

TEST(DriveLetters, TheMountMissingLongestGivesUpItsLetterFirst)
{
    FakeRegistry reg;
    for (int i = 0; i < 23; ++i)
        reg.set(kDrivesKey, QStringLiteral("/mnt/old%1").arg(i), RegValue::fromText(QString(QChar(u'D' + i))));
    reg.set(kDrivesKey, "/mnt/old3", RegValue::fromText("G 500"));  // gone since 500
    reg.set(kDrivesKey, "/mnt/old9", RegValue::fromText("M 300"));  // gone longest
    reg.set(kDrivesKey, "/mnt/old12", RegValue::fromText("P 300")); // as long, higher letter

    QStringList present{QStringLiteral("/")};
    for (int i = 0; i < 23; ++i) {
        if (i != 3 && i != 9 && i != 12)
            present << QStringLiteral("/mnt/old%1").arg(i);
    }
    present << QStringLiteral("/mnt/new1") << QStringLiteral("/mnt/new2") << QStringLiteral("/mnt/new3")
            << QStringLiteral("/mnt/new4");
    const QList<LetteredMount> lettered = AssignDriveLetters(reg, present, 900);
    QMap<QString, QChar> letterOf;
    for (const LetteredMount& m : lettered)
        letterOf.insert(m.mountPoint, m.letter);
    EXPECT_EQ(letterOf.value("/mnt/new1"), u'M');
    EXPECT_EQ(letterOf.value("/mnt/new2"), u'P');
    EXPECT_EQ(letterOf.value("/mnt/new3"), u'G');
    EXPECT_FALSE(letterOf.contains("/mnt/new4"));
    EXPECT_EQ(lettered.size(), 24);
}

TEST(DriveLetters, DamagedAndForeignValuesAreIgnored)
{
    FakeRegistry reg;
    reg.set(kDrivesKey, "/mnt/dword", RegValue::fromDword('E'));
    reg.set(kDrivesKey, "/mnt/lower", RegValue::fromText("e"));
    reg.set(kDrivesKey, "/mnt/c", RegValue::fromText("C"));
    reg.set(kDrivesKey, "/mnt/b", RegValue::fromText("B"));
    reg.set(kDrivesKey, "/mnt/time", RegValue::fromText("F soon"));
    reg.set(kDrivesKey, "/", RegValue::fromText("D"));
    reg.set(kDrivesKey, "relative", RegValue::fromText("D"));
    reg.set(kDrivesKey, "/mnt/first", RegValue::fromText("G"));
    reg.set(kDrivesKey, "/mnt/second", RegValue::fromText("G")); // the letter is taken already

    const QList<LetteredMount> lettered =
        AssignDriveLetters(reg, {"/", "/mnt/dword", "/mnt/c", "/mnt/first", "/mnt/second"}, 50);
    const QList<LetteredMount> expected{
        {u'C', "/", true}, {u'D', "/mnt/dword", true}, {u'E', "/mnt/c", true},
        {u'F', "/mnt/second", true}, {u'G', "/mnt/first", true},
    };
    EXPECT_EQ(lettered, expected);
}

TEST(DriveLetters, MountPointsDifferingOnlyInCaseGetTwoLetters)
{
    FakeRegistry reg;
    const QList<LetteredMount> lettered = AssignDriveLetters(reg, {"/", "/media/USB", "/media/usb"}, 1);
    const QList<LetteredMount> expected{{u'C', "/", true}, {u'D', "/media/USB", true}, {u'E', "/media/usb", true}};
    EXPECT_EQ(lettered, expected);
    EXPECT_EQ(reg.text(kDrivesKey, "/media/USB"), QStringLiteral("D"));
}

TEST(MountDrives, UnreadableMountTableListsNothingAndKeepsTheLetters)
{
    FakeSystem sys;
    ASSERT_TRUE(sys.dir.isValid());
    FakeRegistry reg;
    reg.set(kDrivesKey, "/media/stick", RegValue::fromText("D"));
    MountDrives drives(reg, sys.paths);
    EXPECT_TRUE(drives.list().isEmpty());
    EXPECT_EQ(reg.text(kDrivesKey, "/media/stick"), QStringLiteral("D"));
}

TEST(MountDrives, SpaceOnlyForAMountedRoot)
{
    FakeSystem sys;
    ASSERT_TRUE(sys.dir.isValid());
    FakeRegistry reg;
    MountDrives drives(reg, sys.paths);
    const auto root = drives.space(QStringLiteral("/"));
    ASSERT_TRUE(root);
    EXPECT_GT(root->totalBytes, 0u);
    EXPECT_LE(root->freeBytes, root->totalBytes);
    // A folder that is no mount point (the folder a pulled stick leaves behind).
    EXPECT_FALSE(drives.space(sys.dir.path() + u'/'));
    EXPECT_FALSE(drives.space(QStringLiteral("/no/such/folder/")));
}

TEST(MountDrives, EjectAsksTheDiskServiceThenFallsBackToUmount)
{
    FakeSystem sys;
    ASSERT_TRUE(sys.dir.isValid());
    sys.disk("sdb", "8:16", true);
    sys.partition("sdb", "sdb1", "8:17");
    sys.disk("sda", "8:0", false);
    sys.partition("sda", "sda2", "8:2");
    const QByteArray sdb1 = sys.device("sdb1");
    const QByteArray sda2 = sys.device("sda2");
    sys.table(line(1, "8:2", "/", "/", "ext4", sda2) + line(2, "8:17", "/", "/media/stick", "vfat", sdb1)
              + line(3, "8:2", "/", "/mnt/disk", "ext4", sda2 + "x"));
    const QString log = sys.dir.filePath(QStringLiteral("calls.log"));
    const QString bin = sys.paths.programPath.first();
    const auto tool = [&](const char* name, int exitCode) {
        WriteBytes(bin + u'/' + QLatin1String(name),
                  "#!/bin/sh\necho \"" + QByteArray(name) + " $*\" >> '" + QFile::encodeName(log) + "'\nexit "
                      + QByteArray::number(exitCode) + "\n",
                  true);
    };
    FakeRegistry reg;
    MountDrives drives(reg, sys.paths);

    tool("udisksctl", 0);
    tool("umount", 0);
    EXPECT_TRUE(drives.eject(QStringLiteral("/media/stick/")));
    EXPECT_EQ(ReadBytes(log), "udisksctl unmount --block-device " + sdb1 + " --no-user-interaction\n"
                             "udisksctl power-off --block-device " + sdb1 + " --no-user-interaction\n");

    // A fixed disk, or a folder nothing is mounted on, is not ejected.
    QFile::remove(log);
    EXPECT_FALSE(drives.eject(QStringLiteral("/mnt/disk/")));
    EXPECT_FALSE(drives.eject(QStringLiteral("/media/other/")));
    EXPECT_FALSE(QFile::exists(log));

    // The service refuses: umount is tried.
    tool("udisksctl", 1);
    EXPECT_TRUE(drives.eject(QStringLiteral("/media/stick")));
    EXPECT_EQ(ReadBytes(log), "udisksctl unmount --block-device " + sdb1 + " --no-user-interaction\n"
                             "umount /media/stick\n");

    // Both refuse (the medium is in use): reported.
    QFile::remove(log);
    tool("umount", 32);
    EXPECT_FALSE(drives.eject(QStringLiteral("/media/stick/")));

    // Neither is installed.
    QFile::remove(bin + QStringLiteral("/udisksctl"));
    QFile::remove(bin + QStringLiteral("/umount"));
    EXPECT_FALSE(drives.eject(QStringLiteral("/media/stick/")));
}
