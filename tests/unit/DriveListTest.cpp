#include "bar/DriveList.h"

#include "FakeRegistry.h"
#include "app/StringTable.h"
#include "settings/BarSettings.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

const QString kProgramKey = QStringLiteral("SOFTWARE\\Tessaline\\Parvo");

DriveInfo drive(char letter, const char* root, int type)
{
    return {QLatin1Char(letter), QString::fromUtf8(root), type, {}};
}

// In no particular order, as a platform may give them.
QList<DriveInfo> machine()
{
    return {
        drive('E', "/media/stick/", DriveRemovable),
        drive('C', "/", DriveFixed),
        drive('F', "/mnt/share/", DriveRemote),
        drive('D', "/home/", DriveFixed),
        drive('G', "/media/old/", DriveNoRootDir),
        drive('H', "/media/cd/", DriveCdRom),
        drive('I', "/mnt/ram/", DriveRamDisk),
        drive('J', "/mnt/fuse/", DriveUnknown),
    };
}

QString letters(const QList<DriveInfo>& drives)
{
    QString s;
    for (const DriveInfo& d : drives)
        s += d.letter;
    return s;
}

QString driveCaption(char letter)
{
    return Str(10) + QLatin1Char(' ') + QLatin1Char(letter);
}

} // namespace

TEST(DriveList, KindsAndEntryNumbersOfEveryDriveType)
{
    EXPECT_EQ(DriveKind(DriveUnknown), 0);
    EXPECT_EQ(DriveKind(DriveRemovable), 1);
    EXPECT_EQ(DriveKind(DriveFixed), 2);
    EXPECT_EQ(DriveKind(DriveRemote), 3);
    EXPECT_EQ(DriveKind(DriveCdRom), 4);
    EXPECT_EQ(DriveKind(DriveRamDisk), 5);
    EXPECT_EQ(DriveKind(DriveNoRootDir), std::nullopt);
    EXPECT_EQ(DriveKind(7), std::nullopt);
    EXPECT_EQ(DriveKind(-1), std::nullopt);
}

TEST(DriveList, StripListsPresentShownDrivesInLetterOrder)
{
    EXPECT_EQ(letters(StripDrives(machine(), {})), QStringLiteral("CDEFHIJ"));
    EXPECT_EQ(letters(StripDrives(machine(), QStringLiteral("ce"))), QStringLiteral("DFHIJ"));
    // An upper-case letter in the list hides nothing: hidden drives are stored in lower case.
    EXPECT_EQ(letters(StripDrives(machine(), QStringLiteral("C"))), QStringLiteral("CDEFHIJ"));

    const DriveInfo stick = drive('E', "/media/stick/", DriveRemovable);
    EXPECT_EQ(DriveMenuKey(stick), QStringLiteral("/media/stick/"));
    EXPECT_EQ(DriveButtonHint(stick), Str(10) + QStringLiteral(": /media/stick/"));
}

TEST(DriveList, MenuEntriesCarryCaptionRootAndKind)
{
    ASSERT_FALSE(Str(10).isEmpty());
    const QList<DriveMenuEntry> expected{
        {driveCaption('C'), QStringLiteral("/"), QStringLiteral("x28")},
        {driveCaption('D'), QStringLiteral("/home/"), QStringLiteral("x28")},
        {driveCaption('E'), QStringLiteral("/media/stick/"), QStringLiteral("x27")},
        {driveCaption('F'), QStringLiteral("/mnt/share/"), QStringLiteral("x29")},
        {driveCaption('H'), QStringLiteral("/media/cd/"), QStringLiteral("x30")},
        {driveCaption('I'), QStringLiteral("/mnt/ram/"), QStringLiteral("x31")},
        {driveCaption('J'), QStringLiteral("/mnt/fuse/"), QStringLiteral("x26")},
    };
    // In the main menu hidden drives are listed like the others, and all open.
    EXPECT_EQ(DriveMenuEntries(machine(), QStringLiteral("ce"), QStringLiteral("Normal")), expected);
    EXPECT_EQ(DriveMenuEntries(machine(), {}, QStringLiteral("/media/stick/")), expected);
}

TEST(DriveList, DriveMenuTicksShownDrivesAndUnticksHiddenOnes)
{
    const QList<DriveMenuEntry> entries = DriveMenuEntries(machine(), QStringLiteral("ej"), QStringLiteral("scrDrive"));
    QStringList kinds;
    for (const DriveMenuEntry& e : entries)
        kinds << e.kind;
    EXPECT_EQ(kinds, (QStringList{"y28", "y28", "z27", "y29", "y30", "y31", "z26"}));
}

TEST(DriveList, ToggleDriveHidesAndShowsByRootAndStoresTheList)
{
    FakeRegistry reg;
    BarSettings bar;
    const QList<DriveInfo> drives = machine();

    EXPECT_TRUE(ToggleDrive(reg, bar, drives, true, QStringLiteral("/media/stick/")));
    EXPECT_EQ(bar.ExceptDrives, QStringLiteral("e"));
    // The root without its trailing "/" names the same drive.
    EXPECT_TRUE(ToggleDrive(reg, bar, drives, true, QStringLiteral("/mnt/share")));
    EXPECT_EQ(bar.ExceptDrives, QStringLiteral("ef"));
    EXPECT_EQ(reg.text(kProgramKey, QStringLiteral("Except_drive")), QStringLiteral("ef"));
    EXPECT_EQ(letters(StripDrives(drives, bar.ExceptDrives)), QStringLiteral("CDHIJ"));

    // Shown again, the drive is back at its letter's place.
    EXPECT_TRUE(ToggleDrive(reg, bar, drives, false, QStringLiteral("/media/stick/")));
    EXPECT_EQ(bar.ExceptDrives, QStringLiteral("f"));
    EXPECT_EQ(reg.text(kProgramKey, QStringLiteral("Except_drive")), QStringLiteral("f"));
    EXPECT_EQ(letters(StripDrives(drives, bar.ExceptDrives)), QStringLiteral("CDEHIJ"));

    // A root no drive has changes nothing.
    EXPECT_FALSE(ToggleDrive(reg, bar, drives, true, QStringLiteral("/media/other/")));
    EXPECT_FALSE(ToggleDrive(reg, bar, drives, true, QString()));
    EXPECT_EQ(bar.ExceptDrives, QStringLiteral("f"));
}

TEST(DriveList, ToggleDriveNeverLeavesALetterTwice)
{
    FakeRegistry reg;
    BarSettings bar;
    const QList<DriveInfo> drives = machine();

    bar.ExceptDrives = QStringLiteral("d");
    const int storesBefore = reg.stores;
    EXPECT_FALSE(ToggleDrive(reg, bar, drives, true, QStringLiteral("/home/")));
    EXPECT_EQ(bar.ExceptDrives, QStringLiteral("d"));
    EXPECT_EQ(reg.stores, storesBefore);

    // A stored list holding a letter twice: showing the drive shows it, in one store.
    bar.ExceptDrives = QStringLiteral("dcd");
    EXPECT_TRUE(ToggleDrive(reg, bar, drives, false, QStringLiteral("/home/")));
    EXPECT_EQ(bar.ExceptDrives, QStringLiteral("c"));
    EXPECT_EQ(reg.stores, storesBefore + 1);
    EXPECT_FALSE(ToggleDrive(reg, bar, drives, false, QStringLiteral("/home/")));
}

TEST(DriveList, ToggleDriveTakesRootsOfTheOldForm)
{
    FakeRegistry reg;
    BarSettings bar;
    EXPECT_TRUE(ToggleDrive(reg, bar, {}, true, QStringLiteral("A:\\")));
    EXPECT_TRUE(ToggleDrive(reg, bar, {}, true, QStringLiteral("c:\\")));
    EXPECT_EQ(bar.ExceptDrives, QStringLiteral("ac"));
    EXPECT_TRUE(ToggleDrive(reg, bar, {}, false, QStringLiteral("C:\\")));
    EXPECT_EQ(bar.ExceptDrives, QStringLiteral("a"));
}
