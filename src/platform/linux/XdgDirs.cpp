#include "platform/linux/XdgDirs.h"

#include <QDir>

namespace parvo {

namespace {

QString absoluteOr(const char* variable, const QString& fallback)
{
    const QString v = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(v) ? QDir::cleanPath(v) : fallback;
}

QStringList absoluteListOr(const char* variable, const QStringList& fallback)
{
    QStringList dirs;
    for (const QString& d : qEnvironmentVariable(variable).split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(d))
            dirs += QDir::cleanPath(d);
    }
    return dirs.isEmpty() ? fallback : dirs;
}

} // namespace

XdgDirs XdgDirs::fromEnvironment()
{
    XdgDirs d;
    d.home = QDir::cleanPath(QDir::homePath());
    d.configHome = absoluteOr("XDG_CONFIG_HOME", d.home + QStringLiteral("/.config"));
    d.configDirs = absoluteListOr("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    d.dataHome = absoluteOr("XDG_DATA_HOME", d.home + QStringLiteral("/.local/share"));
    d.dataDirs = absoluteListOr("XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    d.cacheHome = absoluteOr("XDG_CACHE_HOME", d.home + QStringLiteral("/.cache"));
    d.programPath = qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts);
    for (const QString& desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        d.desktops += desktop.toLower();
    return d;
}

} // namespace parvo
