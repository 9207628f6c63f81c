#include "platform/linux/MountDrives.h"

#include "platform/linux/DriveLetters.h"
#include "platform/linux/MountInfo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>

namespace parvo {

namespace {

QString rootOf(const QString& mountPoint)
{
    return mountPoint == u"/" ? mountPoint : mountPoint + u'/';
}

// "/media/stick/" and "/media/stick" name the same drive.
QString mountPointOf(const QString& root)
{
    QString p = QDir::cleanPath(root);
    return p.isEmpty() ? QStringLiteral("/") : p;
}

QByteArray readSmallFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(64).trimmed() : QByteArray();
}

// The device links of udev escape bytes outside a safe set as "\xHH" ("\x20" a blank).
QString decodeLabel(const QString& name)
{
    const QByteArray in = QFile::encodeName(name);
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            bool ok = false;
            const int v = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out += char(v);
                i += 3;
                continue;
            }
        }
        out += in[i];
    }
    return QFile::decodeName(out);
}

bool isFuse(const QString& fsType)
{
    return fsType == u"fuse" || fsType == u"fuseblk" || fsType.startsWith(u"fuse.");
}

} // namespace

MountDrives::MountDrives(Registry& registry, MountDrivesPaths paths, std::function<qint64()> now)
    : registry_(registry), paths_(std::move(paths)), now_(std::move(now))
{
    if (!now_)
        now_ = [] { return QDateTime::currentSecsSinceEpoch(); };
}

std::optional<QList<MountEntry>> MountDrives::browsableMounts() const
{
    QFile f(paths_.mountInfo);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return BrowsableMounts(ParseMountInfo(f.readAll()));
}

QList<DriveInfo> MountDrives::list()
{
    // Without a mount table nothing is known: no letter is touched.
    const auto read = browsableMounts();
    if (!read)
        return {};
    const QList<MountEntry>& mounts = *read;

    QStringList mountPoints;
    QHash<QString, const MountEntry*> byPoint;
    for (const MountEntry& m : mounts) {
        mountPoints.append(m.mountPoint);
        byPoint.insert(m.mountPoint, &m);
    }

    QList<DriveInfo> out;
    for (const LetteredMount& lm : AssignDriveLetters(registry_, mountPoints, now_())) {
        DriveInfo d;
        d.letter = lm.letter;
        d.root = rootOf(lm.mountPoint);
        if (const MountEntry* m = lm.present ? byPoint.value(lm.mountPoint) : nullptr) {
            d.type = driveTypeOf(*m);
            d.label = labelOf(*m);
        } else {
            d.type = DriveNoRootDir;
        }
        out.append(d);
    }
    return out;
}

QString MountDrives::blockDeviceFolder(const MountEntry& mount) const
{
    if (mount.major != 0) {
        const QFileInfo byNumber(paths_.sys + QStringLiteral("/dev/block/%1:%2").arg(mount.major).arg(mount.minor));
        if (byNumber.isDir())
            return byNumber.canonicalFilePath();
    }
    // File systems such as btrfs report a device number of their own; the source names
    // the device.
    if (mount.source.startsWith(u'/')) {
        const QString device = QFileInfo(mount.source).canonicalFilePath();
        if (!device.isEmpty()) {
            const QFileInfo byName(paths_.sys + QStringLiteral("/class/block/") + QFileInfo(device).fileName());
            if (byName.isDir())
                return byName.canonicalFilePath();
        }
    }
    return {};
}

int MountDrives::driveTypeOf(const MountEntry& mount) const
{
    if (const auto byFileSystem = DriveTypeOfFileSystem(mount.fsType))
        return *byFileSystem;
    const QString folder = blockDeviceFolder(mount);
    if (folder.isEmpty())
        return isFuse(mount.fsType) ? DriveUnknown : DriveFixed;
    // The flag belongs to the disk; a partition's folder sits inside its disk's.
    QString disk = folder;
    if (QFileInfo::exists(folder + QStringLiteral("/partition")))
        disk = QFileInfo(folder).path();
    return readSmallFile(disk + QStringLiteral("/removable")) == "1" ? DriveRemovable : DriveFixed;
}

QString MountDrives::labelOf(const MountEntry& mount) const
{
    const QString device = QFileInfo(mount.source).canonicalFilePath();
    if (mount.source.startsWith(u'/') && !device.isEmpty()) {
        const QDir labels(paths_.labels);
        const QStringList names = labels.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names) {
            if (QFileInfo(labels.filePath(name)).canonicalFilePath() == device)
                return decodeLabel(name);
        }
    }
    return mount.mountPoint == u"/" ? QString() : QFileInfo(mount.mountPoint).fileName();
}

std::optional<DriveSpace> MountDrives::space(const QString& root) const
{
    const QString mountPoint = mountPointOf(root);
    const QStorageInfo info(mountPoint);
    // A folder left behind by a medium taken out belongs to another file system.
    if (!info.isValid() || !info.isReady() || QDir::cleanPath(info.rootPath()) != mountPoint)
        return std::nullopt;
    return DriveSpace{quint64(qMax<qint64>(0, info.bytesAvailable())), quint64(qMax<qint64>(0, info.bytesTotal()))};
}

bool MountDrives::run(const QString& program, const QStringList& arguments) const
{
    const QString path = paths_.programPath.isEmpty() ? QStandardPaths::findExecutable(program)
                                                      : QStandardPaths::findExecutable(program, paths_.programPath);
    if (path.isEmpty())
        return false;
    QProcess p;
    p.start(path, arguments);
    if (!p.waitForStarted())
        return false;
    // Unmounting writes out what is still cached, which takes a while on a slow stick.
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool MountDrives::eject(const QString& root)
{
    const QString mountPoint = mountPointOf(root);
    for (const MountEntry& m : browsableMounts().value_or(QList<MountEntry>{})) {
        if (m.mountPoint != mountPoint)
            continue;
        const int type = driveTypeOf(m);
        if (type != DriveRemovable && type != DriveCdRom)
            return false;
        if (m.source.startsWith(u'/')) {
            const QString device = m.source;
            if (run(QStringLiteral("udisksctl"),
                    {QStringLiteral("unmount"), QStringLiteral("--block-device"), device,
                     QStringLiteral("--no-user-interaction")})) {
                // The stick may now be pulled out; a disc drive has nothing to power down.
                if (type == DriveRemovable)
                    run(QStringLiteral("udisksctl"),
                        {QStringLiteral("power-off"), QStringLiteral("--block-device"), device,
                         QStringLiteral("--no-user-interaction")});
                return true;
            }
        }
        return run(QStringLiteral("umount"), {mountPoint});
    }
    return false;
}

} // namespace parvo
