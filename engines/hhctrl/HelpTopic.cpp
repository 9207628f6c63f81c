#include "HelpTopic.h"

#include <QStringList>

namespace parvo::chm {

HelpTopic SplitHelpTopic(const QString& address)
{
    HelpTopic t;
    QString rest = address;
    if (const qsizetype window = rest.lastIndexOf(QLatin1Char('>')); window >= 0 && rest.indexOf(QLatin1String("::")) >= 0
                                                                       && window > rest.indexOf(QLatin1String("::")))
        rest.truncate(window);
    const qsizetype sep = rest.indexOf(QLatin1String("::"));
    if (sep < 0) {
        t.file = rest;
        return t;
    }
    t.file = rest.left(sep);
    QString page = rest.mid(sep + 2);
    if (const qsizetype hash = page.indexOf(QLatin1Char('#')); hash >= 0) {
        t.fragment = page.mid(hash + 1);
        page.truncate(hash);
    }
    if (!page.isEmpty())
        t.page = NormalisePagePath(page);
    return t;
}

QString NormalisePagePath(const QString& page)
{
    QStringList parts;
    for (const QString& part : page.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

} // namespace parvo::chm
