#include "dialogs/FolderEntryName.h"

namespace parvo {

namespace {

QString WithSlash(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

bool HasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

} // namespace

std::optional<DriveInfo> DriveHolding(const QString& path, const QList<DriveInfo>& drives)
{
    const QString folder = WithSlash(path);
    std::optional<DriveInfo> best;
    for (const DriveInfo& drive : drives) {
        if (!drive.exists() || drive.root.isEmpty() || !folder.startsWith(WithSlash(drive.root)))
            continue;
        if (!best || drive.root.size() > best->root.size())
            best = drive;
    }
    return best;
}

QString DerivedFolderName(const QString& path, const QList<DriveInfo>& drives)
{
    const auto drive = DriveHolding(path, drives);
    if (drive && WithSlash(path) == WithSlash(drive->root))
        return QStringLiteral("[ ") + path + QStringLiteral(" ]");
    QString folder = path;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    const QString last = folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1);
    if (last.isEmpty()) // a root no drive claims
        return QStringLiteral("[ ") + path + QStringLiteral(" ]");
    if (!drive)
        return last;
    return last + QStringLiteral(" [") + drive->letter + QLatin1Char(']');
}

bool IsStorableFolderEntry(const QString& name, const QString& path)
{
    return !name.contains(QLatin1Char('|')) && !path.contains(QLatin1Char('>')) && !HasLineBreak(name)
        && !HasLineBreak(path);
}

} // namespace parvo
