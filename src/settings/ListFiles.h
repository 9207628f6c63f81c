#pragma once
// The user's lists in the program's "data" folder: web links ("www"), e-mail addresses
// ("email"), favourite folders ("efolder") and program shortcuts ("shortcut"), each in
// a file named after the list. Every reader creates a missing data folder and a missing
// list file (with a header), and every failure is silent: a list that cannot be read is
// an empty list, a list that cannot be written keeps its old contents.

#include <QList>
#include <QString>
#include <QStringList>

namespace parvo {

class SortedTextList;

// programFolder + "data/".
QString DataFolder(const QString& programFolder);
// programFolder + "data/" + listName + ".mke".
QString ListFilePath(const QString& programFolder, const QString& listName);
bool EnsureDataFolder(const QString& programFolder);

// Header written by the options dialog for a list it creates or rewrites.
QString EditorHeader(const QString& listName);

// The entry lines of a list for a menu (or the Pvfolder window). A missing file is
// created with a header naming its full path. True when at least one entry was read.
bool LoadMenuList(const QString& programFolder, const QString& listName, QStringList& entries);

// Adds the targets of a list to the completion list; web addresses lose a leading
// "http://". True when at least one entry was read.
bool LoadCompletionList(const QString& programFolder, const QString& listName, SortedTextList& completion);

// A row of the options dialog's list editors: the caption and, for every list but
// "shortcut", the text after the first "|" (flags included).
struct EditorRow {
    QString caption;
    QString second;
    bool operator==(const EditorRow&) const = default;
};

// `readable`, when given, is set false when the file is there but could not be read: its
// entries are unknown then, and the list must not be rewritten.
QList<EditorRow> ReadListIntoEditor(const QString& programFolder, const QString& listName, bool* readable = nullptr);
bool WriteListFromEditor(const QString& programFolder, const QString& listName, const QList<EditorRow>& rows);

// Rewrites "efolder.mke" from the Pvfolder window's rows (caption, path), without flags.
bool SavePvfolderList(const QString& programFolder, const QList<EditorRow>& rows);

} // namespace parvo
