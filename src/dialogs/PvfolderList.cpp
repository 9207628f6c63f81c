#include "dialogs/PvfolderList.h"

#include "app/StringTable.h"
#include "dialogs/FolderEntryName.h"
#include "menus/Launch.h"
#include "menus/OffThread.h"
#include "settings/ListEntry.h"
#include "settings/ListFile.h"
#include "settings/ListFiles.h"
#include "settings/SystemLocations.h"

#include <QFileInfo>
#include <QLocale>

namespace parvo {

namespace {

QString Comparable(const QString& path)
{
    QString key = QLocale().toLower(path);
    while (key.size() > 1 && key.endsWith(QLatin1Char('/')))
        key.chop(1);
    return key;
}

bool IsFolderNow(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

// A folder on a mount that does not answer must not hold up the window: it is looked for
// off the interface thread, and one that has not answered in time counts as missing.
bool IsFolder(const QString& path)
{
    return AskOffThread<bool>([path] { return IsFolderNow(path); }, false, kFolderTestMs);
}

} // namespace

PvfolderList::PvfolderList(QString programFolder)
    : programFolder_(std::move(programFolder))
    , folderTest_(IsFolder)
{
}

bool PvfolderList::StillShown(const QList<PvfolderRow>& rows) const
{
    return Editable() && rows_ == rows;
}

void PvfolderList::ShowPvfolders()
{
    view_ = PvfolderView::Pvfolders;
    rows_.clear();
    listRead_ = true;
    const QString path = ListFilePath(programFolder_, QStringLiteral("efolder"));
    if (!QFileInfo::exists(path)) {
        QStringList none;
        LoadMenuList(programFolder_, QStringLiteral("efolder"), none); // creates it
        return;
    }
    const auto lines = ReadListBody(path);
    if (!lines) {
        listRead_ = false;
        return;
    }
    for (const QString& line : *lines)
        AddItem(ParseEntry(line, 0), ParseEntry(line, 1), PvfolderImage);
}

void PvfolderList::ShowWindowsFolders(Registry& reg, QStringList& winFolderList)
{
    view_ = PvfolderView::WindowsFolders;
    rows_.clear();
    LoadWindowsFolders(reg, winFolderList,
                       [this](const QString& name, const QString& path, int picture) { AddItem(name, path, picture); });
}

void PvfolderList::AddItem(const QString& name, const QString& path, int image)
{
    rows_.append({name, path, image});
}

bool PvfolderList::IsListed(const QString& path) const
{
    const QString key = Comparable(path);
    for (const PvfolderRow& row : rows_)
        if (Comparable(row.path) == key)
            return true;
    return false;
}

bool PvfolderList::Editable() const
{
    return view_ == PvfolderView::Pvfolders;
}

PvfolderReply PvfolderList::Add(const QString& name, const QString& path)
{
    if (!Editable())
        return {};
    if (!listRead_)
        return {UnreadableListText, 0};
    if (IsListed(path))
        return {74, 0};
    const QList<PvfolderRow> shown = rows_;
    const bool folder = folderTest_(path);
    if (!StillShown(shown))
        return {}; // the rows changed while the folder was looked for
    if (!folder)
        return {26, 0};
    if (!IsStorableFolderEntry(name, path))
        return {UnstorableEntryText, 0};
    AddItem(name, path, PvfolderImage);
    Save();
    return {0, 77};
}

PvfolderReply PvfolderList::Edit(int row, const QString& name, const QString& path)
{
    if (!Editable() || row < 0 || row >= rows_.size())
        return {};
    if (!listRead_)
        return {UnreadableListText, 0};
    const QList<PvfolderRow> shown = rows_;
    const bool folder = folderTest_(path);
    if (!StillShown(shown))
        return {};
    if (!folder)
        return {26, 0};
    if (!IsStorableFolderEntry(name, path))
        return {UnstorableEntryText, 0};
    rows_[row].caption = name;
    rows_[row].path = path;
    Save();
    return {0, 78};
}

PvfolderReply PvfolderList::Remove(int row)
{
    if (!Editable() || row < 0 || row >= rows_.size())
        return {};
    if (!listRead_)
        return {UnreadableListText, 0};
    rows_.removeAt(row);
    Save();
    return {0, 79};
}

void PvfolderList::Save()
{
    QList<EditorRow> lines;
    lines.reserve(rows_.size());
    for (const PvfolderRow& row : rows_)
        lines.append({row.caption, row.path});
    SavePvfolderList(programFolder_, lines); // a failed save keeps the old file
}

QString PvfolderStatusText(const PvfolderRow* row)
{
    return row ? row->path : Str(513);
}

PvfolderDragOver PvfolderDragOverAt(PvfolderView view, const PvfolderRow* row, bool moveProposed)
{
    if (row)
        return {row->path, Str(moveProposed ? 183 : 182) + row->path, false};
    if (view == PvfolderView::WindowsFolders)
        return {QString::fromLatin1(NoTargetMarker), Str(513), true};
    return {QString::fromLatin1(NoTargetMarker), Str(156), false};
}

QStringList DroppedFolders(const QStringList& paths)
{
    // One look for the whole drop, which may be thousands of paths.
    return AskOffThread<QStringList>(
        [paths] {
            QStringList folders;
            for (const QString& path : paths)
                if (IsFolderNow(path))
                    folders.append(path);
            return folders;
        },
        {}, kFolderTestMs);
}

} // namespace parvo
