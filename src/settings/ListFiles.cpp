#include "settings/ListFiles.h"

#include "app/DataFilePath.h"
#include "settings/ListEntry.h"
#include "settings/ListFile.h"
#include "settings/SortedTextList.h"

#include <QDir>
#include <QFileInfo>

namespace parvo {

namespace {

bool IsShortcutList(const QString& listName) { return listName == QLatin1String("shortcut"); }

QString PathHeader(const QString& path)
{
    return QStringLiteral("// ") + path + QStringLiteral(" - Parvo - Do not change this file!");
}

// The entries of a list, creating the file with `header` when it does not exist yet.
std::optional<QStringList> ReadOrCreate(const QString& path, const QString& header)
{
    if (!QFileInfo::exists(path)) {
        WriteListFile(path, header, {});
        return std::nullopt;
    }
    return ReadListBody(path);
}

} // namespace

QString DataFolder(const QString& programFolder)
{
    return ProgramSubfolder(programFolder, QStringLiteral("data"));
}

QString ListFilePath(const QString& programFolder, const QString& listName)
{
    return DataFolder(programFolder) + listName + QStringLiteral(".mke");
}

bool EnsureDataFolder(const QString& programFolder)
{
    return QDir().mkpath(DataFolder(programFolder));
}

QString EditorHeader(const QString& listName)
{
    return QStringLiteral("// ") + listName + QStringLiteral(" - Parvo - Do not change this file!");
}

bool LoadMenuList(const QString& programFolder, const QString& listName, QStringList& entries)
{
    EnsureDataFolder(programFolder);
    const QString path = ListFilePath(programFolder, listName);
    const auto lines = ReadOrCreate(path, PathHeader(path));
    if (!lines)
        return false;
    entries.append(*lines);
    return !lines->isEmpty();
}

bool LoadCompletionList(const QString& programFolder, const QString& listName, SortedTextList& completion)
{
    EnsureDataFolder(programFolder);
    const QString path = ListFilePath(programFolder, listName);
    const auto lines = ReadOrCreate(path, PathHeader(path));
    if (!lines)
        return false;
    const bool web = listName == QLatin1String("www");
    for (const QString& line : *lines) {
        const QString target = ParseEntry(line, 1);
        completion.add(web ? WithoutHttpPrefix(target) : target);
    }
    return !lines->isEmpty();
}

QList<EditorRow> ReadListIntoEditor(const QString& programFolder, const QString& listName, bool* readable)
{
    EnsureDataFolder(programFolder);
    QList<EditorRow> rows;
    const QString path = ListFilePath(programFolder, listName);
    const bool existed = QFileInfo::exists(path);
    const auto lines = ReadOrCreate(path, EditorHeader(listName));
    if (readable)
        *readable = lines || !existed;
    if (!lines)
        return rows;
    rows.reserve(lines->size());
    for (const QString& line : *lines) {
        if (IsShortcutList(listName)) {
            rows.append({line, {}});
        } else {
            const qsizetype bar = line.indexOf(QLatin1Char('|'));
            rows.append(bar < 0 ? EditorRow{line, {}} : EditorRow{line.left(bar), line.mid(bar + 1)});
        }
    }
    return rows;
}

bool WriteListFromEditor(const QString& programFolder, const QString& listName, const QList<EditorRow>& rows)
{
    EnsureDataFolder(programFolder);
    ListFileText text(EditorHeader(listName));
    for (const EditorRow& row : rows) {
        if (IsShortcutList(listName))
            text.addLine(row.caption);
        else
            text.addEntry(row.caption, row.second);
    }
    return text.writeTo(ListFilePath(programFolder, listName));
}

bool SavePvfolderList(const QString& programFolder, const QList<EditorRow>& rows)
{
    EnsureDataFolder(programFolder);
    ListFileText text(QStringLiteral("// pvfolder - Parvo - Do not change this file!"));
    for (const EditorRow& row : rows)
        text.addEntry(row.caption, row.second);
    return text.writeTo(ListFilePath(programFolder, QStringLiteral("efolder")));
}

} // namespace parvo
