#pragma once
// "shortcut.mke": the names of the program buttons, in button order. Each name is the
// base name of a shortcut file in the links folder.

#include <QString>
#include <QStringList>

namespace parvo {

class ShellLinks;

// Header of the list when it is created (first run, conversion, loader, a drop).
QString ShortcutsHeader();
// Header of the list when a shortcut is renamed or removed from its menu.
QString ShortcutHeader();

QString ShortcutListPath(const QString& programFolder);

// Creates the list with its header when it is missing.
void EnsureShortcutList(const QString& programFolder);
// The button names, up to the first empty line.
QStringList ReadShortcutNames(const QString& programFolder);
// Adds a name at the end (a file dropped on the bar).
bool AppendShortcutName(const QString& programFolder, const QString& name);
// Adds names at the end, in order, in one rewrite (files dropped on the bar).
bool AppendShortcutNames(const QString& programFolder, const QStringList& names);
// Every line equal to `name` becomes `newName`, or goes when `newName` is empty. Lines
// after an empty line are carried over unchanged. False, and nothing written, when the
// list is there but cannot be read, or cannot be written.
bool ReplaceShortcutName(const QString& programFolder, const QString& name, const QString& newName);

// The older form of the list: "data/links.mke".
QString LegacyLinksFilePath(const QString& programFolder);

// One line of "links.mke": name "|" target ["|" arguments]. A name that a rename would
// refuse (empty, a path, ".." …) gives way to the name of the target's file; empty when
// neither will do.
struct LegacyLink {
    QString name;
    QString target;
    QString arguments;
};
LegacyLink ParseLegacyLink(const QString& line);

// Turns an old "links.mke" into one shortcut file per entry and the entry's name in
// "shortcut.mke", then deletes it. When "shortcut.mke" exists already the old entries
// not on the bar yet are added to it. Nothing is deleted that was not read and carried
// over: an old list that cannot be read, or whose entries could not all be written,
// stays.
void ConvertLegacyLinksFile(const QString& programFolder, ShellLinks& links);

} // namespace parvo
