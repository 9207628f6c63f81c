#pragma once
// The command line of a desktop entry (its Exec key, escapes of the key file already
// undone): splitting it into arguments, quoting an argument for it, and finding the
// program it starts.

#include <QString>
#include <QStringList>

namespace parvo {

// The arguments, with quoting undone and field codes (%u, %F …) removed; "%%" becomes
// "%". Empty when the line is malformed (a quote left open).
QStringList SplitDesktopExec(const QString& exec);

// What the field codes of an Exec line stand for, besides the files.
struct DesktopEntryFacts {
    QString icon;     // the Icon key; %i gives "--icon" and it
    QString name;     // the entry's name, for %c
    QString location; // the desktop file itself, for %k
};

// The command line an Exec line gives when started with `files` (files, addresses, or
// "--" and an address, as the caller hands them): quoting undone; the first of %f %F %u
// %U that stands as an argument of its own becomes the files, one argument each, and any
// later one nothing; %i, %c and %k as above; the deprecated codes nothing; "%%" a "%".
// An argument that holds a file code inside other text gets the first file there,
// unless the argument is quoted: a quoted argument may be a shell command, and a name
// put into it could run as one, so codes inside it stand for nothing. A line with none
// of the four file codes takes no files. Empty when the line is malformed.
QStringList ExpandDesktopExec(const QString& exec, const QStringList& files, const DesktopEntryFacts& facts);

// One argument as it must stand in an Exec line: quoted when it holds a space or another
// character the format reserves, and "%" doubled.
QString QuoteDesktopExecArgument(const QString& argument);

// The full path of the program the arguments start: an "env" prefix and its variable
// assignments are passed over, and a bare name is looked up in `searchPath`. Empty when
// the program is not there or cannot be executed.
QString DesktopExecProgram(const QStringList& arguments, const QStringList& searchPath);

} // namespace parvo
