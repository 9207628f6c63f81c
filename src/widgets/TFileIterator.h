#pragma once
// The file enumerator: walks a folder and reports every file below it, in the order the
// file system lists them. Names beginning with "." are files like any other; folders
// whose names begin with "." are not entered. Folders themselves are not reported, so
// an empty folder reports nothing. A link to a folder is reported as a file and not
// followed, so a walk never loops.

#include <QString>

#include <functional>

namespace parvo {

class TFileIterator {
public:
    bool Recurse = true;
    // Called with the full path of each file found.
    std::function<void(const QString& path)> OnFileFound;

    void Execute(const QString& folder);
};

} // namespace parvo
