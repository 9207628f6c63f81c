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
// after an empty line are carried over unchanged.
bool ReplaceShortcutName(const QString& programFolder, const QString& name, const QString& newName);

// Turns an old "links.mke" (name "|" target ["|" arguments] per line) into
// "shortcut.mke" plus one shortcut file per entry, then deletes it. When both files
// exist the old one is simply deleted.
void ConvertLegacyLinksFile(const QString& programFolder, ShellLinks& links);

} // namespace parvo
