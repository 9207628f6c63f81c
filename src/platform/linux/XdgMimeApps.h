#pragma once
// Finding installed applications by the freedesktop rules: a desktop file by its id, and
// the user's default application for a MIME type or URL scheme. Only files are read; no
// helper program is started, since this runs while the bar starts up.

#include "platform/linux/XdgDirs.h"

#include <QString>
#include <QStringList>

namespace parvo {

// The applications folders, most important first: $XDG_DATA_HOME/applications, then
// those of $XDG_DATA_DIRS.
QStringList XdgApplicationDirs(const XdgDirs& dirs);

// The path of the installed desktop file with this id ("org.example.App.desktop"; a "-"
// in the id may stand for a sub-folder), or empty. A file marked Hidden, or whose
// TryExec program is missing, is not installed.
QString FindDesktopFile(const XdgDirs& dirs, const QString& desktopId);

// The desktop file of the default application for a MIME type ("text/html",
// "x-scheme-handler/http"), or empty. The defaults of the mimeapps.list files count
// first, in their order of precedence (desktop-specific lists before general ones, the
// user's before the system's, the old defaults.list last); then the added associations;
// then any application that declares the type.
QString DefaultApplicationFile(const XdgDirs& dirs, const QString& mimeType);

} // namespace parvo
