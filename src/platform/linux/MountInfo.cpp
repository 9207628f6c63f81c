#include "platform/linux/MountInfo.h"

#include "platform/Drives.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringView>

namespace parvo {

namespace {

// File systems that only expose the kernel's state or stand in for something else; a
// user never browses them as a drive.
const QSet<QString>& pseudoFileSystems()
{
    static const QSet<QString> set{
        QStringLiteral("proc"),       QStringLiteral("sysfs"),      QStringLiteral("devtmpfs"),
        QStringLiteral("devpts"),     QStringLiteral("cgroup"),     QStringLiteral("cgroup2"),
        QStringLiteral("debugfs"),    QStringLiteral("tracefs"),    QStringLiteral("securityfs"),
        QStringLiteral("pstore"),     QStringLiteral("bpf"),        QStringLiteral("configfs"),
        QStringLiteral("fusectl"),    QStringLiteral("mqueue"),     QStringLiteral("hugetlbfs"),
        QStringLiteral("autofs"),     QStringLiteral("binfmt_misc"), QStringLiteral("efivarfs"),
        QStringLiteral("rpc_pipefs"), QStringLiteral("nsfs"),       QStringLiteral("selinuxfs"),
        QStringLiteral("fuse.gvfsd-fuse"), QStringLiteral("fuse.portal"), QStringLiteral("fuse.lxcfs"),
        QStringLiteral("fuse.snapfuse"),   QStringLiteral("squashfs"),
    };
    return set;
}

const QSet<QString>& networkFileSystems()
{
    static const QSet<QString> set{
        QStringLiteral("nfs"),        QStringLiteral("nfs4"),       QStringLiteral("cifs"),
        QStringLiteral("smb3"),       QStringLiteral("smbfs"),      QStringLiteral("ncpfs"),
        QStringLiteral("afs"),        QStringLiteral("ceph"),       QStringLiteral("glusterfs"),
        QStringLiteral("9p"),         QStringLiteral("sshfs"),      QStringLiteral("fuse.sshfs"),
        QStringLiteral("fuse.glusterfs"), QStringLiteral("fuse.rclone"), QStringLiteral("fuse.s3fs"),
        QStringLiteral("davfs"),      QStringLiteral("fuse.davfs2"),
    };
    return set;
}

bool isOctal(char c) { return c >= '0' && c <= '7'; }

// The kernel writes a blank, tab, line feed and backslash in a path as a backslash and
// three octal digits; every other byte, UTF-8 included, stands as it is.
QString decodeField(QByteArrayView field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) && isOctal(field[i + 2])
            && isOctal(field[i + 3])) {
            const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            if (value <= 0xFF) {
                bytes += char(value);
                i += 3;
                continue;
            }
        }
        bytes += field[i];
    }
    return QFile::decodeName(bytes);
}

std::optional<int> toInt(QByteArrayView field)
{
    bool ok = false;
    const int v = field.toInt(&ok);
    return ok && v >= 0 ? std::optional<int>(v) : std::nullopt;
}

std::optional<quint32> toUInt(QByteArrayView field)
{
    bool ok = false;
    const uint v = field.toUInt(&ok);
    return ok ? std::optional<quint32>(v) : std::nullopt;
}

bool isWithin(const QString& path, const QString& folder)
{
    return folder == u"/" || path == folder || path.startsWith(folder + u'/');
}

bool isBrowseArea(const QString& mountPoint)
{
    if (mountPoint == u"/" || mountPoint == u"/home")
        return true;
    if (mountPoint.startsWith(u"/media/") || mountPoint.startsWith(u"/mnt/"))
        return true;
    // /run/media/<user>/<volume>: the user's own folder alone is no drive.
    static const QString runMedia = QStringLiteral("/run/media/");
    if (mountPoint.startsWith(runMedia)) {
        const QStringView rest = QStringView(mountPoint).mid(runMedia.size());
        const qsizetype slash = rest.indexOf(u'/');
        return slash > 0 && slash + 1 < rest.size();
    }
    return false;
}

bool isSystemArea(const QString& mountPoint)
{
    for (const char* folder : {"/proc", "/sys", "/dev", "/run"}) {
        if (isWithin(mountPoint, QString::fromLatin1(folder)))
            return true;
    }
    return mountPoint.startsWith(u"/boot");
}

bool isBrowsable(const MountEntry& m)
{
    if (m.mountPoint == u"/")
        return true;
    if (pseudoFileSystems().contains(m.fsType))
        return false;
    if (isBrowseArea(m.mountPoint))
        return true;
    return networkFileSystems().contains(m.fsType) && !isSystemArea(m.mountPoint);
}

} // namespace

std::optional<MountEntry> ParseMountInfoLine(QByteArrayView line)
{
    QList<QByteArrayView> fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == ' ') {
            if (i > start)
                fields.append(line.sliced(start, i - start));
            start = i + 1;
        }
    }
    // Six fixed fields, optional tagged fields, "-", then type and source (the
    // super-block options after them do not matter here).
    qsizetype dash = -1;
    for (qsizetype i = 6; i < fields.size(); ++i) {
        if (fields[i] == "-") {
            dash = i;
            break;
        }
    }
    if (dash < 0 || fields.size() < dash + 3)
        return std::nullopt;

    MountEntry m;
    const auto id = toInt(fields[0]);
    const auto parent = toInt(fields[1]);
    const qsizetype colon = fields[2].indexOf(':');
    if (!id || !parent || colon <= 0)
        return std::nullopt;
    const auto major = toUInt(fields[2].first(colon));
    const auto minor = toUInt(fields[2].sliced(colon + 1));
    if (!major || !minor)
        return std::nullopt;
    m.id = *id;
    m.parentId = *parent;
    m.major = *major;
    m.minor = *minor;
    m.root = decodeField(fields[3]);
    m.mountPoint = decodeField(fields[4]);
    if (!m.mountPoint.startsWith(u'/') || m.root.isEmpty())
        return std::nullopt;
    while (m.mountPoint.size() > 1 && m.mountPoint.endsWith(u'/'))
        m.mountPoint.chop(1);
    m.fsType = decodeField(fields[dash + 1]);
    m.source = decodeField(fields[dash + 2]);
    return m;
}

QList<MountEntry> ParseMountInfo(const QByteArray& text)
{
    QList<MountEntry> out;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        if (auto m = ParseMountInfoLine(QByteArrayView(text).sliced(start, end - start)))
            out.append(*m);
        start = end + 1;
    }
    return out;
}

QList<MountEntry> BrowsableMounts(const QList<MountEntry>& all)
{
    // A later mount on the same folder hides the earlier one.
    QHash<QString, qsizetype> last;
    for (qsizetype i = 0; i < all.size(); ++i)
        last.insert(all[i].mountPoint, i);
    QList<MountEntry> visible;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (last.value(all[i].mountPoint) == i && isBrowsable(all[i]))
            visible.append(all[i]);
    }

    // One file system seen twice (a bind mount, the same share mounted again) is listed
    // once: where it shows the most, and first in the table when both show the same.
    // Subvolumes of one device are told apart by their root folder and all stay.
    const auto sameDevice = [](const MountEntry& a, const MountEntry& b) {
        return a.major == b.major && a.minor == b.minor;
    };
    // The root comes first, then table order.
    const auto rank = [&](qsizetype k) { return visible[k].mountPoint == u"/" ? qsizetype(-1) : k; };
    QList<MountEntry> out;
    for (qsizetype i = 0; i < visible.size(); ++i) {
        const MountEntry& m = visible[i];
        bool covered = false;
        for (qsizetype j = 0; j < visible.size() && !covered; ++j) {
            if (j == i || !sameDevice(m, visible[j]))
                continue;
            const MountEntry& other = visible[j];
            if (other.root == m.root)
                covered = rank(j) < rank(i);
            else
                covered = isWithin(m.root, other.root);
        }
        // The root is always a drive, even when it shares its device with another mount.
        if (!covered || m.mountPoint == u"/")
            out.append(m);
    }
    return out;
}

std::optional<int> DriveTypeOfFileSystem(const QString& fsType)
{
    if (networkFileSystems().contains(fsType))
        return DriveRemote;
    if (fsType == u"iso9660" || fsType == u"udf")
        return DriveCdRom;
    if (fsType == u"tmpfs" || fsType == u"ramfs")
        return DriveRamDisk;
    return std::nullopt;
}

} // namespace parvo
