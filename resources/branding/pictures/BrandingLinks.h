#pragma once

#include <QString>
#include <QStringList>

namespace parvo::pictures {

// The web links named in the branding source (branding.txt), in menu order: the home
// site first, then every "link" line. Each entry is the link's address and caption
// joined by a blank, which is all the picture generator needs to pick a fitting icon.
// A missing or unreadable file gives an empty list.
QStringList readBrandingLinks(const QString& path);

}  // namespace parvo::pictures
