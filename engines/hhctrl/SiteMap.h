#pragma once
// The table of contents and the index of a help file: sitemap pages, nested lists whose
// items are objects of type "text/sitemap" carrying a "Name" and a "Local" page.

#include <QByteArray>
#include <QList>
#include <QString>

namespace parvo::chm {

struct SiteMapItem {
    QString name;
    QString local; // the page, as written (relative to the file's root)
    QList<SiteMapItem> children;
};

// The items of a sitemap page, nested as its lists are. Whatever cannot be read is left
// out; unclosed lists end with the text.
QList<SiteMapItem> ParseSiteMap(const QByteArray& html);

} // namespace parvo::chm
