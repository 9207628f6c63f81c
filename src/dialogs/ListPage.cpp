#include "dialogs/ListPage.h"

#include "dialogs/LiveBar.h"
#include "menus/ProgramShortcuts.h"
#include "platform/Prompts.h"

#include <QFileInfo>

namespace parvo {

QString ListName(ListKind kind)
{
    switch (kind) {
    case ListKind::Programs: return QStringLiteral("shortcut");
    case ListKind::WebLinks: return QStringLiteral("www");
    case ListKind::Email: return QStringLiteral("email");
    }
    return {};
}

namespace {

QString WithoutControls(QString text)
{
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

EditorRow StorableRow(const EditorRow& row)
{
    return {WithoutControls(row.caption).replace(QLatin1Char('|'), QLatin1Char(' ')), WithoutControls(row.second)};
}

ListPage::ListPage(ListKind kind, QString programFolder, LiveBar& bar, ShellLinks& links, Prompts& prompts)
    : kind_(kind), programFolder_(std::move(programFolder)), bar_(bar), links_(links), prompts_(prompts)
{
}

void ListPage::CreateIfMissing()
{
    if (!QFileInfo::exists(ListFilePath(programFolder_, ListName(kind_))))
        WriteListFromEditor(programFolder_, ListName(kind_), {});
}

void ListPage::Load()
{
    rows_ = ReadListIntoEditor(programFolder_, ListName(kind_), &editable_);
    loaded_ = true;
}

void ListPage::Store()
{
    WriteListFromEditor(programFolder_, ListName(kind_), rows_);
    if (kind_ == ListKind::Programs) {
        bar_.BuildProgramButtons();
        bar_.Relayout();
    }
}

std::optional<int> ListPage::MoveUp(int row)
{
    if (!editable_ || !IsRow(row) || row == 0)
        return std::nullopt;
    rows_.swapItemsAt(row, row - 1);
    Store();
    return row - 1;
}

std::optional<int> ListPage::MoveDown(int row)
{
    if (!editable_ || !IsRow(row) || row == rows_.size() - 1)
        return std::nullopt;
    rows_.swapItemsAt(row, row + 1);
    Store();
    return row + 1;
}

std::optional<int> ListPage::DropRow(int dragged, int onto)
{
    if (!editable_ || !IsRow(dragged) || dragged == onto)
        return std::nullopt;
    const int to = IsRow(onto) ? onto : int(rows_.size()) - 1;
    rows_.move(dragged, to);
    return to;
}

void ListPage::EndDrag()
{
    if (editable_)
        Store();
}

std::optional<int> ListPage::Append(const EditorRow& row)
{
    return AppendAll({row});
}

std::optional<int> ListPage::AppendAll(const QList<EditorRow>& rows)
{
    if (!editable_ || rows.isEmpty())
        return std::nullopt;
    const int first = int(rows_.size());
    rows_.reserve(rows_.size() + rows.size());
    for (const EditorRow& row : rows)
        rows_.append(StorableRow(row));
    Store();
    return first;
}

std::optional<int> ListPage::Replace(int row, const EditorRow& entry)
{
    if (!editable_ || !IsRow(row))
        return std::nullopt;
    rows_[row] = StorableRow(entry);
    Store();
    return row;
}

std::optional<int> ListPage::Remove(int row)
{
    if (!editable_ || !IsRow(row))
        return std::nullopt;
    rows_.removeAt(row);
    Store();
    return rows_.isEmpty() ? std::nullopt : std::optional<int>(std::min(row, int(rows_.size()) - 1));
}

std::optional<int> ListPage::AddPrograms(const QStringList& files)
{
    if (!editable_)
        return std::nullopt;
    const DroppedPrograms added = WriteDroppedPrograms(links_, programFolder_, files);
    for (const QString& error : added.errors)
        prompts_.error(error);
    if (added.names.isEmpty())
        return std::nullopt;
    for (const QString& name : added.names)
        rows_.append({name, {}});
    Store();
    return int(rows_.size()) - 1;
}

std::optional<int> ListPage::RenameProgram(int row, const QString& newName)
{
    if (!editable_ || !IsRow(row))
        return std::nullopt;
    const QString old = rows_[row].caption;
    if (!RenameShortcutFile(programFolder_, old, newName))
        return std::nullopt;
    // Rows of one name share one shortcut file: all of them follow it.
    for (EditorRow& r : rows_) {
        if (r.caption == old)
            r.caption = newName;
    }
    Store();
    return row;
}

} // namespace parvo
