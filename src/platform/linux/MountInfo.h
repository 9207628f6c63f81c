#pragma once
// The mount table of the kernel (/proc/self/mountinfo) and the choice of the mounts a
// user browses, which become the bar's drives.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace parvo {

struct MountEntry {
    int id = 0;
    int parentId = 0;
    quint32 major = 0;     // device of the file system; 0 for those without a block device
    quint32 minor = 0;
    QString root;          // folder of the file system seen at the mount point ("/" unless bound)
    QString mountPoint;    // without a trailing "/" except for the root itself
    QString fsType;        // "ext4", "nfs4", "fuse.sshfs" …
    QString source;        // "/dev/sdb1", "server:/export" …
    bool operator==(const MountEntry&) const = default;
};

// One line of mountinfo:
//   36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw,errors=continue
// Paths come back with the kernel's octal escapes ("\040" for a blank, "\134" for a
// backslash) undone and as the file names the system uses (UTF-8). Nothing when the line
// is not of that form.
std::optional<MountEntry> ParseMountInfoLine(QByteArrayView line);

// Every line that parses, in file order; the others are passed over.
QList<MountEntry> ParseMountInfo(const QByteArray& text);

// The mounts a user browses, in file order: the root, /home when it is a file system of
// its own, everything under /media, /mnt and /run/media/<user>/, and network file systems
// wherever they are mounted outside the system's own folders (/proc, /sys, /dev, /run,
// /boot…). Never listed: pseudo file systems (proc, cgroup, autofs placeholders …),
// squashfs images (snaps, live systems), a mount hidden by a later mount on the same
// folder, and a second view of a file system already listed (a bind mount of a folder
// that an earlier mount of the same device already shows).
QList<MountEntry> BrowsableMounts(const QList<MountEntry>& all);

// The drive type a file system has whatever device holds it: DriveRemote for network
// file systems, DriveCdRom for disc formats (iso9660, udf), DriveRamDisk for tmpfs and
// ramfs. Nothing for the others, whose type depends on their device.
std::optional<int> DriveTypeOfFileSystem(const QString& fsType);

} // namespace parvo
