#include "SiteMap.h"

#include <QRegularExpression>

namespace parvo::chm {

namespace {

// Deep enough for any real table of contents; deeper lists are taken as flat.
constexpr int kMaxDepth = 32;

QString DecodeEntities(const QString& text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const QRegularExpression entity(QStringLiteral("&(#x[0-9a-fA-F]+|#[0-9]+|amp|lt|gt|quot|apos);"));
    QString out;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        char32_t code = 0;
        if (name.startsWith(QLatin1String("#x")))
            code = name.mid(2).toUInt(nullptr, 16);
        else if (name.startsWith(QLatin1Char('#')))
            code = name.mid(1).toUInt();
        else
            code = name == u"amp" ? U'&' : name == u"lt" ? U'<' : name == u"gt" ? U'>' : name == u"quot" ? U'"' : U'\'';
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = 0xFFFD;
        out += QString::fromUcs4(&code, 1);
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

// The attributes read here: type, name and value.
enum class Attr { Type, Name, Value };

QString Attribute(const QString& tag, Attr which)
{
    static const auto pattern = [](const char* name) {
        return QRegularExpression(QStringLiteral("\\b%1\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s>]+))").arg(QLatin1String(name)),
                                  QRegularExpression::CaseInsensitiveOption);
    };
    static const QRegularExpression patterns[] = {pattern("type"), pattern("name"), pattern("value")};
    const auto m = patterns[int(which)].match(tag);
    if (!m.hasMatch())
        return {};
    for (int group : {2, 3, 4}) {
        if (m.capturedStart(group) >= 0)
            return DecodeEntities(m.captured(group));
    }
    return {};
}

} // namespace

QList<SiteMapItem> ParseSiteMap(const QByteArray& html)
{
    const QString text = QString::fromUtf8(html);
    static const QRegularExpression tagPattern(QStringLiteral("<\\s*(/?)\\s*([a-zA-Z]+)([^>]*)>"));

    QList<SiteMapItem> root;
    // The lists open now: each is the children of the last item of the list above it.
    QList<QList<SiteMapItem>*> open{&root};
    int lists = 0;
    bool inObject = false;
    SiteMapItem item;
    for (auto it = tagPattern.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const bool closing = !m.captured(1).isEmpty();
        const QString tag = m.captured(2).toLower();
        if (tag == u"ul") {
            if (!closing) {
                ++lists;
                // The first list is the top level; a nested one belongs to the item before it.
                if (lists > 1 && open.size() < kMaxDepth && !open.last()->isEmpty())
                    open.append(&open.last()->last().children);
                else if (lists > 1)
                    open.append(open.last());
            } else if (lists > 0) {
                --lists;
                if (open.size() > 1)
                    open.removeLast();
            }
        } else if (tag == u"object") {
            if (!closing) {
                inObject = Attribute(m.captured(3), Attr::Type).compare(u"text/sitemap", Qt::CaseInsensitive) == 0;
                item = {};
            } else if (inObject) {
                inObject = false;
                if (!item.name.isEmpty())
                    open.last()->append(item);
            }
        } else if (tag == u"param" && inObject) {
            const QString name = Attribute(m.captured(3), Attr::Name);
            const QString value = Attribute(m.captured(3), Attr::Value);
            if (name.compare(u"Name", Qt::CaseInsensitive) == 0 && item.name.isEmpty())
                item.name = value;
            else if (name.compare(u"Local", Qt::CaseInsensitive) == 0 && item.local.isEmpty())
                item.local = value;
        }
    }
    return root;
}

} // namespace parvo::chm
