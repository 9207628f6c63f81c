#include "platform/linux/XdgShellFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace parvo {

namespace {

// The value of a user-dirs.dirs line: the file is written for a shell, so a quoted value
// may hold backslash escapes.
QString unquote(QStringView v)
{
    if (!v.startsWith(u'"'))
        return v.toString();
    QString out;
    for (qsizetype i = 1; i < v.size(); ++i) {
        if (v[i] == u'"')
            break;
        if (v[i] == u'\\' && i + 1 < v.size())
            ++i;
        out += v[i];
    }
    return out;
}

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

} // namespace

QHash<QString, QString> ReadUserDirs(const QString& file, const QString& home)
{
    static const QRegularExpression line(QStringLiteral(R"(^\s*XDG_([A-Z0-9_]+)_DIR\s*=\s*(.*?)\s*$)"));
    QHash<QString, QString> dirs;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return dirs;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const auto m = line.match(QString::fromUtf8(raw));
        if (!m.hasMatch())
            continue;
        QString path = unquote(m.capturedView(2));
        if (path.startsWith(u"$HOME"))
            path = home + path.mid(5);
        else if (path.startsWith(u"${HOME}"))
            path = home + path.mid(7);
        if (QDir::isAbsolutePath(path))
            dirs.insert(m.captured(1), QDir::cleanPath(path));
    }
    return dirs;
}

QList<ShellFolder> XdgShellFolders(const XdgDirs& dirs)
{
    const QHash<QString, QString> userDirs = ReadUserDirs(dirs.configHome + QStringLiteral("/user-dirs.dirs"), dirs.home);
    // A user directory set to the home folder itself is switched off.
    const auto userDir = [&](const QString& name, const QString& fallback) -> QString {
        const QString path = userDirs.value(name, dirs.home + u'/' + fallback);
        return path == QDir::cleanPath(dirs.home) ? QString() : path;
    };

    const QString favorites = dirs.dataHome + QStringLiteral("/parvo/Favorites");
    QDir().mkpath(favorites);
    QString fonts = dirs.dataHome + QStringLiteral("/fonts");
    if (!isFolder(fonts))
        fonts = dirs.home + QStringLiteral("/.fonts");
    const QString applications = dirs.dataHome + QStringLiteral("/applications");

    const QList<ShellFolder> all = {
        {QStringLiteral("Desktop"), userDir(QStringLiteral("DESKTOP"), QStringLiteral("Desktop"))},
        {QStringLiteral("Personal"), userDir(QStringLiteral("DOCUMENTS"), QStringLiteral("Documents"))},
        {QStringLiteral("Favorites"), favorites},
        {QStringLiteral("Fonts"), fonts},
        {QStringLiteral("Start Menu"), applications},
        {QStringLiteral("Programs"), applications},
        {QStringLiteral("Startup"), dirs.configHome + QStringLiteral("/autostart")},
        {QStringLiteral("Recent"), dirs.dataHome + QStringLiteral("/RecentDocuments")},
        {QStringLiteral("Cache"), dirs.cacheHome},
        {QStringLiteral("My Music"), userDir(QStringLiteral("MUSIC"), QStringLiteral("Music"))},
        {QStringLiteral("My Pictures"), userDir(QStringLiteral("PICTURES"), QStringLiteral("Pictures"))},
        {QStringLiteral("My Video"), userDir(QStringLiteral("VIDEOS"), QStringLiteral("Videos"))},
        {QStringLiteral("Templates"), userDir(QStringLiteral("TEMPLATES"), QStringLiteral("Templates"))},
    };
    QList<ShellFolder> found;
    for (const ShellFolder& f : all) {
        if (isFolder(f.path))
            found.append({f.valueName, QDir::cleanPath(f.path)});
    }
    return found;
}

} // namespace parvo
