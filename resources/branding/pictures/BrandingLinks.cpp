#include "BrandingLinks.h"

#include <QFile>
#include <QTextStream>

namespace parvo::pictures {

QStringList readBrandingLinks(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};

    QString homeAddress;
    QString homeLabel;
    QStringList links;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString name = line.left(equals).trimmed();
        const QString text = line.mid(equals + 1).trimmed();
        if (name == u"home-address")
            homeAddress = text;
        else if (name == u"home-label")
            homeLabel = text;
        else if (name == u"link")
            links.append(text);
    }
    if (homeAddress.isEmpty() && links.isEmpty())
        return {};
    links.prepend((homeAddress + u' ' + homeLabel).trimmed());
    return links;
}

}  // namespace parvo::pictures
