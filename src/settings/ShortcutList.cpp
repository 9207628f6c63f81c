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
    const auto lines = ReadListBody(path, false);
    // A list that is there but cannot be read is never replaced by what little is known.
    if (!lines && QFileInfo::exists(path))
        return false;
    QStringList out;
    out.reserve(lines ? lines->size() : 0);
    for (const QString& line : lines.value_or(QStringList())) {
        if (line != name)
            out.append(line);
        else if (!newName.isEmpty())
            out.append(newName);
    }
    return WriteListFile(path, ShortcutHeader(), out);
}

QString LegacyLinksFilePath(const QString& programFolder)
{
    return DataFolder(programFolder) + QStringLiteral("links.mke");
}

void ConvertLegacyLinksFile(const QString& programFolder, ShellLinks& links)
{
    const QString legacy = LegacyLinksFilePath(programFolder);
    if (!QFileInfo::exists(legacy))
        return;
    const auto lines = ReadListBody(legacy, false);
    if (!lines)
        return; // kept until it can be read

    // A shortcut list made before the old one was converted (by a version that did it in
    // the wrong order) takes the old entries in; one that cannot be read is left alone,
    // and so is the old list.
    const QString list = ShortcutListPath(programFolder);
    const bool merging = QFileInfo::exists(list);
    QStringList names;
    if (merging) {
        const auto existing = ReadListBody(list, false);
        if (!existing)
            return;
        names = *existing;
    }
    // New names go before an empty line, which would hide them from every reader.
    qsizetype insertAt = names.indexOf(QString());
    if (insertAt < 0)
        insertAt = names.size();

    QDir().mkpath(LinksFolder(programFolder));
    bool everyEntryKept = true;
    for (const QString& line : *lines) {
        if (line.isEmpty()) {
            if (!merging)
                names.insert(insertAt++, QString());
            continue;
        }
        const LegacyLink entry = ParseLegacyLink(line);
        if (entry.name.isEmpty() || (merging && names.contains(entry.name)))
            continue;
        if (!CreateShortcut(links, nullptr, entry.target, entry.arguments, entry.name,
                            ShortcutFilePath(programFolder, entry.name))) {
            everyEntryKept = false;
            continue;
        }
        names.insert(insertAt++, entry.name);
    }
    // The old list goes only once every entry is safely in the new one.
    if (WriteListFile(list, merging ? ShortcutHeader() : ShortcutsHeader(), names) && everyEntryKept)
        QFile::remove(legacy);
}

LegacyLink ParseLegacyLink(const QString& line)
{
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    const QString rest = bar < 0 ? line : line.mid(bar + 1);
    const qsizetype bar2 = rest.indexOf(QLatin1Char('|'));
    LegacyLink entry;
    entry.target = bar2 < 0 ? rest : rest.left(bar2);
    entry.arguments = bar2 < 0 ? QString() : rest.mid(bar2 + 1);
    // The name becomes a file name in the links folder and a line of the list: it obeys
    // the rules of a rename, else the program's own name stands in, as for a drop.
    entry.name = bar < 0 ? QString() : line.left(bar);
    if (!IsUsableShortcutName(entry.name))
        entry.name = ShortcutNameFor(entry.target);
    if (!IsUsableShortcutName(entry.name))
        entry.name.clear();
    return entry;
}

} // namespace parvo
