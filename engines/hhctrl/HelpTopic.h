#pragma once
// A help request's address: the help file, and optionally "::" and the page inside it
// ("/opt/parvo/parvo.chm::/html_source/go.html#keys"). A window name after ">" (which
// some callers append) is no part of the page.

#include <QString>

namespace parvo::chm {

struct HelpTopic {
    QString file;
    QString page;     // "/html_source/go.html", empty for the file's default page
    QString fragment; // "keys", without "#"
};

HelpTopic SplitHelpTopic(const QString& address);

// A page path inside the help file, as the directory names it: with a leading "/",
// "." and ".." resolved, never above the root.
QString NormalisePagePath(const QString& page);

} // namespace parvo::chm
