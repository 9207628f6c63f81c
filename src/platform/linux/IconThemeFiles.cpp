#include "platform/linux/IconThemeFiles.h"

#include "platform/linux/XdgKeyFile.h"

#include <QDir>
#include <QFileInfo>

#include <cstdlib>
#include <limits>

namespace parvo {

namespace {

const QString kHicolor = QStringLiteral("hicolor");
const char* const kExtensions[] = {".png", ".svg", ".xpm"};

// Lists in an index.theme are separated by commas.
QStringList CommaList(const QString& value)
{
    QStringList out;
    for (const QString& part : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString item = part.trimmed();
        if (!item.isEmpty())
            out << item;
    }
    return out;
}

int IntValue(const XdgKeyFile& file, const QString& group, const char* key, int otherwise)
{
    bool ok = false;
    const int value = file.value(group, QLatin1String(key)).value_or(QString()).toInt(&ok);
    return ok ? value : otherwise;
}

QString FileIn(const QString& folder, const QString& icon)
{
    for (const char* ext : kExtensions) {
        const QString path = folder + QLatin1Char('/') + icon + QLatin1String(ext);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace

bool IconThemeFiles::Folder::matches(int wanted) const
{
    switch (type) {
    case Fixed: return size == wanted;
    case Scalable: return minSize <= wanted && wanted <= maxSize;
    case Threshold: return size - threshold <= wanted && wanted <= size + threshold;
    }
    return false;
}

int IconThemeFiles::Folder::distance(int wanted) const
{
    switch (type) {
    case Fixed: return std::abs(size - wanted);
    case Scalable:
        if (wanted < minSize)
            return minSize - wanted;
        return wanted > maxSize ? wanted - maxSize : 0;
    case Threshold:
        if (wanted < size - threshold)
            return size - threshold - wanted;
        return wanted > size + threshold ? wanted - size - threshold : 0;
    }
    return std::numeric_limits<int>::max();
}

const IconThemeFiles::Theme& IconThemeFiles::theme(const QString& name)
{
    const auto known = themes_.constFind(name);
    if (known != themes_.cend())
        return *known;
    Theme t;
    std::optional<XdgKeyFile> index;
    for (const QString& base : places_.searchPaths) {
        const QString root = base + QLatin1Char('/') + name;
        if (!QFileInfo(root).isDir())
            continue;
        t.roots << root;
        if (!index)
            index = XdgKeyFile::read(root + QStringLiteral("/index.theme"));
    }
    if (index) {
        const QString main = QStringLiteral("Icon Theme");
        t.parents = CommaList(index->value(main, QStringLiteral("Inherits")).value_or(QString()));
        for (const QString& path : CommaList(index->value(main, QStringLiteral("Directories")).value_or(QString()))) {
            // Folders of pictures for screens of more than one device pixel per point are
            // not for a 1:1 lookup.
            if (IntValue(*index, path, "Scale", 1) != 1)
                continue;
            Folder f;
            f.path = path;
            f.size = IntValue(*index, path, "Size", 0);
            f.minSize = IntValue(*index, path, "MinSize", f.size);
            f.maxSize = IntValue(*index, path, "MaxSize", f.size);
            f.threshold = IntValue(*index, path, "Threshold", 2);
            const QString type = index->value(path, QStringLiteral("Type")).value_or(QStringLiteral("Threshold"));
            f.type = type == u"Fixed" ? Folder::Fixed : type == u"Scalable" ? Folder::Scalable : Folder::Threshold;
            if (f.size > 0)
                t.folders.push_back(f);
        }
    }
    return *themes_.insert(name, t);
}

QString IconThemeFiles::findInTheme(const QString& themeName, const QString& icon, int size, QStringList& seen)
{
    if (themeName.isEmpty() || seen.contains(themeName))
        return {};
    seen << themeName;
    const Theme& t = theme(themeName);
    for (const Folder& f : t.folders) {
        if (!f.matches(size))
            continue;
        for (const QString& root : t.roots) {
            const QString file = FileIn(root + QLatin1Char('/') + f.path, icon);
            if (!file.isEmpty())
                return file;
        }
    }
    QString closest;
    int best = std::numeric_limits<int>::max();
    for (const Folder& f : t.folders) {
        const int d = f.distance(size);
        if (d >= best)
            continue;
        for (const QString& root : t.roots) {
            const QString file = FileIn(root + QLatin1Char('/') + f.path, icon);
            if (!file.isEmpty()) {
                closest = file;
                best = d;
                break;
            }
        }
    }
    if (!closest.isEmpty())
        return closest;
    for (const QString& parent : t.parents) {
        const QString file = findInTheme(parent, icon, size, seen);
        if (!file.isEmpty())
            return file;
    }
    return {};
}

QString IconThemeFiles::find(const QString& name, int size)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return {};
    for (QString icon = name; !icon.isEmpty();) {
        QStringList seen;
        for (const QString& t : {places_.theme, places_.fallbackTheme, kHicolor}) {
            const QString file = findInTheme(t, icon, size, seen);
            if (!file.isEmpty())
                return file;
        }
        const qsizetype dash = icon.lastIndexOf(QLatin1Char('-'));
        icon = dash > 0 ? icon.left(dash) : QString();
    }
    for (const QString& folder : places_.fallbackPaths) {
        const QString file = FileIn(folder, name);
        if (!file.isEmpty())
            return file;
    }
    return {};
}

} // namespace parvo
