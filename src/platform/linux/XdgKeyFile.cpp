#include "platform/linux/XdgKeyFile.h"

#include <QFile>

namespace parvo {

namespace {

// Undoes the escapes of a value. With `listSeparators`, an unescaped ";" ends an item.
QStringList unescape(const QString& raw, bool listSeparators)
{
    QStringList items;
    QString current;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c == u'\\' && i + 1 < raw.size()) {
            const QChar e = raw[++i];
            switch (e.unicode()) {
            case 's': current += u' '; break;
            case 'n': current += u'\n'; break;
            case 't': current += u'\t'; break;
            case 'r': current += u'\r'; break;
            case '\\': current += u'\\'; break;
            case ';':
                if (listSeparators) {
                    current += u';';
                    break;
                }
                [[fallthrough]];
            default:
                current += c;
                current += e;
            }
            continue;
        }
        if (listSeparators && c == u';') {
            items += current;
            current.clear();
            continue;
        }
        current += c;
    }
    items += current;
    return items;
}

} // namespace

XdgKeyFile XdgKeyFile::parse(const QByteArray& bytes)
{
    XdgKeyFile file;
    QHash<QString, QString>* group = nullptr;
    for (const QByteArray& rawLine : bytes.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            const QString name = line.mid(1, line.indexOf(u']') - 1);
            // A repeated group is an error in the format; its keys are ignored.
            group = line.indexOf(u']') < 0 || file.groups_.contains(name) ? nullptr : &file.groups_[name];
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!group || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        if (!group->contains(key))
            group->insert(key, line.mid(eq + 1).trimmed());
    }
    return file;
}

std::optional<XdgKeyFile> XdgKeyFile::read(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(f.readAll());
}

std::optional<QString> XdgKeyFile::value(const QString& group, const QString& key) const
{
    const auto g = groups_.constFind(group);
    if (g == groups_.cend())
        return std::nullopt;
    const auto v = g->constFind(key);
    if (v == g->cend())
        return std::nullopt;
    return unescape(*v, false).front();
}

QStringList XdgKeyFile::listValue(const QString& group, const QString& key) const
{
    const auto g = groups_.constFind(group);
    if (g == groups_.cend() || !g->contains(key))
        return {};
    QStringList items = unescape(g->value(key), true);
    items.removeAll(QString());
    return items;
}

bool XdgKeyFile::boolValue(const QString& group, const QString& key) const
{
    const auto v = value(group, key);
    return v && (*v == u"true" || *v == u"1");
}

QString XdgKeyFile::escapeValue(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case '\\': out += u"\\\\"; break;
        case '\n': out += u"\\n"; break;
        case '\t': out += u"\\t"; break;
        case '\r': out += u"\\r"; break;
        // Spaces at either end would be trimmed away when the file is read.
        case ' ': out += i == 0 || i == text.size() - 1 ? u"\\s" : u" "; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace parvo
