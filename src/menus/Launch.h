#pragma once
// Starting the targets of menu items and bar buttons: files and programs through the
// shell, folders in the file browser the user chose, web addresses in the browser.

#include <QString>

#include <functional>

namespace parvo {

class Shell;
class Prompts;

// Starts `file` with `parameters` the way the desktop would (program, shortcut, document,
// folder or address), in `directory` (empty: the bar's own). 0 when the start was handed
// on, -1 when it was refused; a failure shows nothing, since the callers go on either way.
int ShellRun(Shell& shell, const QString& file, const QString& parameters = {}, const QString& directory = {});

// Opens a web address in the default browser program. The address reaches the browser as
// one argument after "--", and an address beginning with "-" is never handed over at all:
// either would let a favourite or a list slip the browser an option of its choosing.
// Without a browser program, or when the shell refuses to start it, an address with a
// scheme ("http:", "mailto:" …) goes to the desktop's opener of addresses; anything else
// opens nothing, and is never run as a program. 0 when something was asked to open it,
// -1 when not.
int OpenInBrowser(Shell& shell, const QString& browserCommand, const QString& address);

// Whether `address` begins with a scheme ("http:", "ftp:" …; "C:" is a drive, no scheme).
bool HasScheme(const QString& address);

// `text` as one argument of a command line, whatever quotes or blanks it holds.
QString QuoteArgument(const QString& text);

// How long a folder may take to say whether it is there before it counts as missing.
inline constexpr int kFolderTestMs = 3000;

// Opens the folder `path` as `explorer` asks: 1 in the file manager with its folder tree,
// 2 through the desktop (the folder's own window); any other value opens nothing. Whether
// the folder is there is asked off the interface thread, so a drive that does not answer
// never holds up the bar; the rest runs on the application's thread once the answer is
// in. A folder that is not there (a drive not ready, a folder removed, a mount that does
// not answer within kFolderTestMs) brings the error message with Retry and Cancel; Retry
// looks again, Cancel gives up. `done` learns whether something was asked to open it.
void OpenFolder(Shell& shell, Prompts& prompts, int explorer, const QString& path,
                std::function<void(bool)> done = {});

} // namespace parvo
