#pragma once
// The drives on Linux: the mounted file systems a user browses (see BrowsableMounts), each
// under a stable letter (see AssignDriveLetters). A drive's root is its mount point with a
// trailing "/".
//
// Drive type: from the file-system type where that decides it (network → remote, disc
// formats → CD-ROM, tmpfs/ramfs → RAM disk); otherwise from the block device holding it,
// removable when the kernel flags the disk as removable, fixed when not; a file system
// with no block device behind it is fixed, except a FUSE one, whose kind is unknown.
// Volume label: the name the device has in /dev/disk/by-label, else the mount point's
// own folder name (empty for the root).

#include "platform/Drives.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace parvo {

class Registry;
struct MountEntry;

// Where the system's facts are read; tests point these at a made-up system.
struct MountDrivesPaths {
    QString mountInfo = QStringLiteral("/proc/self/mountinfo");
    QString sys = QStringLiteral("/sys");
    QString labels = QStringLiteral("/dev/disk/by-label");
    // Folders searched for udisksctl and umount; empty: $PATH.
    QStringList programPath;
};

class MountDrives : public Drives {
public:
    // The letters are remembered in `registry`. `now` gives the time in seconds since
    // 1970; the system clock when empty.
    explicit MountDrives(Registry& registry, MountDrivesPaths paths = {}, std::function<qint64()> now = {});

    // An unreadable mount table gives an empty list.
    QList<DriveInfo> list() override;
    std::optional<DriveSpace> space(const QString& root) const override;
    // Asks the disk service (udisksctl) to unmount the medium and then to power the
    // stick down; without that service, umount. Waits up to a minute for it.
    bool eject(const QString& root) override;

private:
    int driveTypeOf(const MountEntry& mount) const;
    std::optional<QList<MountEntry>> browsableMounts() const;
    QString labelOf(const MountEntry& mount) const;
    QString blockDeviceFolder(const MountEntry& mount) const;
    bool run(const QString& program, const QStringList& arguments) const;

    Registry& registry_;
    MountDrivesPaths paths_;
    std::function<qint64()> now_;
};

} // namespace parvo
