#include "bar/DriveList.h"

#include "app/StringTable.h"
#include "bar/DriveStripLayout.h"
#include "platform/Registry.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <algorithm>

namespace parvo {

namespace {

constexpr int kFirstDriveEntry = 26;

QList<DriveInfo> inLetterOrder(QList<DriveInfo> drives)
{
    std::stable_sort(drives.begin(), drives.end(),
                     [](const DriveInfo& a, const DriveInfo& b) { return a.letter.toUpper() < b.letter.toUpper(); });
    return drives;
}

bool sameRoot(const QString& a, const QString& b)
{
    return !a.isEmpty() && !b.isEmpty() && QDir::cleanPath(a) == QDir::cleanPath(b);
}

std::optional<QChar> letterOf(const QList<DriveInfo>& drives, const QString& path)
{
    for (const DriveInfo& d : drives) {
        if (sameRoot(d.root, path))
            return d.letter;
    }
    if (path.size() >= 2 && path[1] == u':' && path[0].isLetter() && path[0].unicode() < 0x80)
        return path[0];
    return std::nullopt;
}

} // namespace

std::optional<int> DriveKind(int driveType)
{
    switch (driveType) {
    case DriveUnknown: return 0;
    case DriveRemovable: return 1;
    case DriveFixed: return 2;
    case DriveRemote: return 3;
    case DriveCdRom: return 4;
    case DriveRamDisk: return 5;
    default: return std::nullopt;
    }
}

QList<DriveInfo> StripDrives(const QList<DriveInfo>& drives, const QString& exceptDrives)
{
    QList<DriveInfo> out;
    for (const DriveInfo& d : inLetterOrder(drives)) {
        if (DriveKind(d.type) && !IsDriveExcepted(d.letter, exceptDrives))
            out.append(d);
    }
    return out;
}

QString DriveMenuKey(const DriveInfo& drive)
{
    return drive.root;
}

QString DriveButtonHint(const DriveInfo& drive)
{
    return Str(10) + QStringLiteral(": ") + DriveMenuKey(drive);
}

QList<DriveMenuEntry> DriveMenuEntries(const QList<DriveInfo>& drives, const QString& exceptDrives,
                                       const QString& menuKey)
{
    const bool driveMenu = menuKey == u"scrDrive";
    QList<DriveMenuEntry> out;
    for (const DriveInfo& d : inLetterOrder(drives)) {
        const auto kind = DriveKind(d.type);
        if (!kind)
            continue;
        QChar prefix = u'x';
        if (driveMenu)
            prefix = IsDriveExcepted(d.letter, exceptDrives) ? u'z' : u'y';
        out.append({Str(10) + u' ' + d.letter.toUpper(), d.root,
                    prefix + QString::number(kFirstDriveEntry + *kind)});
    }
    return out;
}

bool ToggleDrive(Registry& reg, BarSettings& bar, const QList<DriveInfo>& drives, bool hide, const QString& path)
{
    const auto letter = letterOf(drives, path);
    if (!letter)
        return false;
    const QChar lower = letter->toLower();
    if (hide) {
        if (bar.ExceptDrives.contains(lower))
            return false;
        ToggleExcludedDrive(reg, bar, lower, true);
        return true;
    }
    if (!bar.ExceptDrives.contains(lower))
        return false;
    RegistryUpdate batch(reg);
    while (bar.ExceptDrives.contains(lower))
        ToggleExcludedDrive(reg, bar, lower, false);
    return true;
}

} // namespace parvo
