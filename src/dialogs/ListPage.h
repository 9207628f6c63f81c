#pragma once
// One list page of the options dialog: the program shortcuts, the web links or the
// e-mail addresses, as rows in list order. Every change rewrites the list file at once;
// a change of the program list also rebuilds the bar's program buttons and lays the bar
// out again. The web-link and e-mail menus read their files whenever they open, so they
// need no notice.

#include "settings/ListFiles.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace parvo {

class LiveBar;
class Prompts;
class ShellLinks;

enum class ListKind { Programs, WebLinks, Email };

// The list file's name: "shortcut", "www", "email".
QString ListName(ListKind kind);

// A row as it can be stored: a name holds no "|" (the first one ends the name) and no
// field holds a control character (a line break would split the entry). Each such
// character becomes a blank.
EditorRow StorableRow(const EditorRow& row);

class ListPage {
public:
    // `links` and `prompts` are used by the program page only.
    ListPage(ListKind kind, QString programFolder, LiveBar& bar, ShellLinks& links, Prompts& prompts);

    ListKind Kind() const { return kind_; }

    // Creates the list file with its header when it is missing.
    void CreateIfMissing();
    // Reads the list file; a missing one is created with its header.
    void Load();
    bool Loaded() const { return loaded_; }
    const QList<EditorRow>& Rows() const { return rows_; }
    // False when the list file is there but could not be read: the page then changes
    // nothing, so the entries it could not show are never written over.
    bool Editable() const { return editable_; }

    // Each change returns the row to select afterwards, or nothing when nothing changed
    // (no such row, or a row already at that end).
    std::optional<int> MoveUp(int row);
    std::optional<int> MoveDown(int row);

    // A row dragged onto another takes the place the target row had before the dragged
    // one was taken out: dragged downwards it lands after its target, upwards before it.
    // `onto` -1 (the free space under the rows) puts it last. Nothing is written until
    // the drag ends.
    std::optional<int> DropRow(int dragged, int onto);
    // A drag ended, dropped or not: the list is written.
    void EndDrag();

    // Web links and e-mail addresses.
    std::optional<int> Append(const EditorRow& row);
    std::optional<int> Replace(int row, const EditorRow& entry);
    // Imported rows, in their order, after the existing ones; the first of them.
    std::optional<int> AppendAll(const QList<EditorRow>& rows);

    std::optional<int> Remove(int row);

    // Programs: a shortcut for each file in order (a copy of a file that is a shortcut
    // itself), each a new row; the last of them. Files no longer there are left out.
    std::optional<int> AddPrograms(const QStringList& files);
    // The row's shortcut file is renamed first; only if that worked do the rows of that
    // name take the new one. A name in use, or one that cannot name a file in the links
    // folder, changes nothing.
    std::optional<int> RenameProgram(int row, const QString& newName);

private:
    bool IsRow(int row) const { return row >= 0 && row < rows_.size(); }
    void Store();

    ListKind kind_;
    QString programFolder_;
    LiveBar& bar_;
    ShellLinks& links_;
    Prompts& prompts_;
    QList<EditorRow> rows_;
    bool editable_ = true;
    bool loaded_ = false;
};

} // namespace parvo
