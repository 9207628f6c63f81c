#pragma once
// Starting the targets of menu items and bar buttons: files and programs through the
// shell, folders in the file browser the user chose.

#include <QString>

namespace parvo {

class Shell;
class Prompts;

// Starts `file` with `parameters` the way the desktop would (program, shortcut, document,
// folder or address), in `directory` (empty: the bar's own). 0 when it started, -1 when
// not; a failure shows nothing, since the callers go on either way.
int ShellRun(Shell& shell, const QString& file, const QString& parameters = {}, const QString& directory = {});

// Opens a web address in the default browser program, the address being the browser's
// one argument whatever it holds; without a browser program, or when it cannot be
// started, the desktop opens it.
int OpenInBrowser(Shell& shell, const QString& browserCommand, const QString& address);

// `text` as one argument of a command line, whatever quotes or blanks it holds.
QString QuoteArgument(const QString& text);

// Opens the folder `path` as `explorer` asks: 1 in the file manager with its folder tree,
// 2 through the desktop (the folder's own window); any other value opens nothing. A
// folder that is not there (a drive not ready, a folder removed) brings the error message
// with Retry and Cancel; Retry looks again, Cancel gives up. True when something was
// asked to open the folder.
bool OpenFolder(Shell& shell, Prompts& prompts, int explorer, const QString& path);

} // namespace parvo
