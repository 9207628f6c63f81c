#pragma once
// Where the program's own pages and its makers are reached: the product's home page, the
// licensee and version pages, and the makers' mail address. One place, so that a release
// can point them elsewhere.

#include <QString>

namespace parvo {

inline QString ProductHost() { return QStringLiteral("www.parvo.example"); }
inline QString ProductHomePage() { return QStringLiteral("http://") + ProductHost() + QStringLiteral("/"); }
inline QString LicenseePage() { return QStringLiteral("http://") + ProductHost() + QStringLiteral("/world/parvo/licensee.php"); }
inline QString VersionPage() { return QStringLiteral("http://") + ProductHost() + QStringLiteral("/world/parvo/version.php?number=1.3"); }
// Where a damaged installation, the help viewer included, can be downloaded again.
inline QString HelpViewerDownloadPage() { return QStringLiteral("http://") + ProductHost() + QStringLiteral("/world/parvo/download.php"); }
inline QString MakersMailAddress() { return QStringLiteral("parvo@parvo.example"); }

// The version the about box and the version check name.
inline QString ProductVersion() { return QStringLiteral("1.3"); }

} // namespace parvo
