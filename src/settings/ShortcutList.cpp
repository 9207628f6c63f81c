#include "settings/ShortcutList.h"

#include "menus/ProgramShortcuts.h"
#include "settings/ListFile.h"
#include "settings/ListFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace parvo {

QString ShortcutsHeader() { return QStringLiteral("// shortcuts - Parvo - Do not change this file!"); }

QString ShortcutHeader() { return QStringLiteral("// shortcut - Parvo - Do not change this file!"); }

QString ShortcutListPath(const QString& programFolder) { return ListFilePath(programFolder, QStringLiteral("shortcut")); }

void EnsureShortcutList(const QString& programFolder)
{
    EnsureDataFolder(programFolder);
    const QString path = ShortcutListPath(programFolder);
    if (!QFileInfo::exists(path))
        WriteListFile(path, ShortcutsHeader(), {});
}

QStringList ReadShortcutNames(const QString& programFolder)
{
    return ReadListBody(ShortcutListPath(programFolder)).value_or(QStringList());
}

bool AppendShortcutName(const QString& programFolder, const QString& name)
{
    return AppendShortcutNames(programFolder, {name});
}

bool AppendShortcutNames(const QString& programFolder, const QStringList& names)
{
    EnsureDataFolder(programFolder);
    return AppendListLines(ShortcutListPath(programFolder), ShortcutsHeader(), names);
}

bool ReplaceShortcutName(const QString& programFolder, const QString& name, const QString& newName)
{
    const QString path = ShortcutListPath(programFolder);
    const QStringList lines = ReadListBody(path, false).value_or(QStringList());
    QStringList out;
    out.reserve(lines.size());
    for (const QString& line : lines) {
        if (line != name)
            out.append(line);
        else if (!newName.isEmpty())
            out.append(newName);
    }
    return WriteListFile(path, ShortcutHeader(), out);
}

void ConvertLegacyLinksFile(const QString& programFolder, ShellLinks& links)
{
    const QString legacy = DataFolder(programFolder) + QStringLiteral("links.mke");
    if (!QFileInfo::exists(legacy))
        return;
    const QString list = ShortcutListPath(programFolder);
    if (QFileInfo::exists(list)) {
        QFile::remove(legacy);
        return;
    }

    const auto lines = ReadListBody(legacy, false);
    if (!lines)
        return; // keep the old file until it can be read
    QDir().mkpath(LinksFolder(programFolder));
    QStringList names;
    for (const QString& line : *lines) {
        if (line.isEmpty()) {
            names.append(QString());
            continue;
        }
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        const QString name = bar < 0 ? QString() : line.left(bar);
        const QString rest = bar < 0 ? line : line.mid(bar + 1);
        const qsizetype bar2 = rest.indexOf(QLatin1Char('|'));
        const QString target = bar2 < 0 ? rest : rest.left(bar2);
        const QString arguments = bar2 < 0 ? QString() : rest.mid(bar2 + 1);
        names.append(name);
        CreateShortcut(links, nullptr, target, arguments, name, ShortcutFilePath(programFolder, name));
    }
    // The old list goes only once its entries are safely in the new one.
    if (WriteListFile(list, ShortcutsHeader(), names))
        QFile::remove(legacy);
}

} // namespace parvo
