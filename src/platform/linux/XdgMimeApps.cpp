#include "platform/linux/XdgMimeApps.h"

#include "platform/linux/DesktopExec.h"
#include "platform/linux/XdgKeyFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace parvo {

namespace {

const QString kEntryGroup = QStringLiteral("Desktop Entry");

// A "-" in an id may stand for a sub-folder: "kde-konsole.desktop" can be
// "kde/konsole.desktop".
QString findInFolder(const QString& folder, const QString& id)
{
    const QString direct = folder + u'/' + id;
    if (QFileInfo(direct).isFile())
        return direct;
    for (qsizetype dash = id.indexOf(u'-'); dash > 0; dash = id.indexOf(u'-', dash + 1)) {
        const QString sub = folder + u'/' + id.left(dash);
        if (QFileInfo(sub).isDir()) {
            const QString found = findInFolder(sub, id.mid(dash + 1));
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

bool isInstalled(const XdgDirs& dirs, const QString& path)
{
    const auto entry = XdgKeyFile::read(path);
    if (!entry || !entry->hasGroup(kEntryGroup) || entry->boolValue(kEntryGroup, QStringLiteral("Hidden")))
        return false;
    const auto tryExec = entry->value(kEntryGroup, QStringLiteral("TryExec"));
    return !tryExec || tryExec->isEmpty() || !DesktopExecProgram({*tryExec}, dirs.programPath).isEmpty();
}

// The mimeapps.list files (and the old defaults.list ones), most important first.
QStringList listFiles(const XdgDirs& dirs, bool withLegacy)
{
    QStringList folders{dirs.configHome};
    folders += dirs.configDirs;
    const QStringList appDirs = XdgApplicationDirs(dirs);
    folders += appDirs;
    QStringList files;
    for (const QString& folder : folders) {
        for (const QString& desktop : dirs.desktops)
            files += folder + u'/' + desktop + QStringLiteral("-mimeapps.list");
        files += folder + QStringLiteral("/mimeapps.list");
    }
    if (withLegacy) {
        for (const QString& folder : appDirs)
            files += folder + QStringLiteral("/defaults.list");
    }
    return files;
}

} // namespace

QStringList XdgApplicationDirs(const XdgDirs& dirs)
{
    QStringList folders{dirs.dataHome + QStringLiteral("/applications")};
    for (const QString& d : dirs.dataDirs)
        folders += d + QStringLiteral("/applications");
    return folders;
}

QString FindDesktopFile(const XdgDirs& dirs, const QString& desktopId)
{
    if (desktopId.isEmpty() || desktopId.contains(u'/'))
        return {};
    for (const QString& folder : XdgApplicationDirs(dirs)) {
        const QString path = findInFolder(folder, desktopId);
        if (!path.isEmpty())
            // The first file with the id hides the others, installed or not.
            return isInstalled(dirs, path) ? path : QString();
    }
    return {};
}

QString DefaultApplicationFile(const XdgDirs& dirs, const QString& mimeType)
{
    for (const QString& file : listFiles(dirs, true)) {
        const auto list = XdgKeyFile::read(file);
        if (!list)
            continue;
        for (const QString& id : list->listValue(QStringLiteral("Default Applications"), mimeType)) {
            const QString path = FindDesktopFile(dirs, id);
            if (!path.isEmpty())
                return path;
        }
    }

    QSet<QString> removed;
    QStringList candidates;
    for (const QString& file : listFiles(dirs, false)) {
        const auto list = XdgKeyFile::read(file);
        if (!list)
            continue;
        for (const QString& id : list->listValue(QStringLiteral("Added Associations"), mimeType)) {
            if (!removed.contains(id))
                candidates += id;
        }
        // A removal hides what less important files add, not what this one adds.
        for (const QString& id : list->listValue(QStringLiteral("Removed Associations"), mimeType))
            removed.insert(id);
    }
    for (const QString& folder : XdgApplicationDirs(dirs)) {
        const auto cache = XdgKeyFile::read(folder + QStringLiteral("/mimeinfo.cache"));
        if (!cache)
            continue;
        for (const QString& id : cache->listValue(QStringLiteral("MIME Cache"), mimeType)) {
            if (!removed.contains(id))
                candidates += id;
        }
    }
    for (const QString& id : candidates) {
        const QString path = FindDesktopFile(dirs, id);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

} // namespace parvo
