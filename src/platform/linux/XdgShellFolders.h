#pragma once
// The special folders of the desktop under the value names Windows gives them in its
// "Shell Folders" key, so that the program finds the desktop, the documents, the
// favourites and the rest where it always looked for them.

#include "platform/linux/XdgDirs.h"

#include <QHash>
#include <QList>
#include <QString>

namespace parvo {

struct ShellFolder {
    QString valueName; // "Desktop", "Personal", "Favorites" …
    QString path;      // absolute, no trailing "/"
    bool operator==(const ShellFolder&) const = default;
};

// The folders that exist, in the order of the Windows listing: Desktop, Personal,
// Favorites, Fonts, Start Menu, Programs, Startup, Recent, Cache, then My Music,
// My Pictures, My Video and Templates. Windows folders with no counterpart here (SendTo,
// History) are absent. The favourites folder ($XDG_DATA_HOME/parvo/Favorites, holding
// .URL files) is created when missing.
QList<ShellFolder> XdgShellFolders(const XdgDirs& dirs);

// The user directories of $XDG_CONFIG_HOME/user-dirs.dirs by their short name
// ("DESKTOP", "DOCUMENTS", "MUSIC" …), with $HOME replaced. Lines that do not give an
// absolute folder are skipped.
QHash<QString, QString> ReadUserDirs(const QString& file, const QString& home);

} // namespace parvo
