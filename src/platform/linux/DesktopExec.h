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

// One argument as it must stand in an Exec line: quoted when it holds a space or another
// character the format reserves, and "%" doubled.
QString QuoteDesktopExecArgument(const QString& argument);

// The full path of the program the arguments start: an "env" prefix and its variable
// assignments are passed over, and a bare name is looked up in `searchPath`. Empty when
// the program is not there or cannot be executed.
QString DesktopExecProgram(const QStringList& arguments, const QStringList& searchPath);

} // namespace parvo
