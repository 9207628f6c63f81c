#pragma once
// The folders the freedesktop base-directory rules give a user, plus the search path for
// programs. Everything the platform layer synthesises from the desktop is found from
// here, so a test can point a whole desktop at a temporary folder.

#include <QString>
#include <QStringList>

namespace parvo {

struct XdgDirs {
    QString home;             // $HOME
    QString configHome;       // $XDG_CONFIG_HOME, default ~/.config
    QStringList configDirs;   // $XDG_CONFIG_DIRS, default /etc/xdg
    QString dataHome;         // $XDG_DATA_HOME, default ~/.local/share
    QStringList dataDirs;     // $XDG_DATA_DIRS, default /usr/local/share:/usr/share
    QString cacheHome;        // $XDG_CACHE_HOME, default ~/.cache
    QStringList programPath;  // $PATH
    QStringList desktops;     // $XDG_CURRENT_DESKTOP, lower-case, e.g. "gnome"

    // Relative paths in the variables are ignored, as the base-directory rules require.
    static XdgDirs fromEnvironment();
};

} // namespace parvo
