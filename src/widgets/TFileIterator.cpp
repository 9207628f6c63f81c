#include "widgets/TFileIterator.h"

#include <QFile>

#include <dirent.h>
#include <sys/stat.h>

#include <string>

namespace parvo {

namespace {

void Walk(const std::string& folder, bool recurse, const std::function<void(const QString&)>& found)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::string prefix = folder.back() == '/' ? folder : folder + '/';
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = prefix + name;
        bool isFolder = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN) {
            struct stat st;
            isFolder = ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        if (!isFolder) {
            if (found)
                found(QFile::decodeName(QByteArray::fromStdString(path)));
        } else if (recurse && name[0] != '.') {
            Walk(path, recurse, found);
        }
    }
    ::closedir(dir);
}

} // namespace

void TFileIterator::Execute(const QString& folder)
{
    if (!folder.isEmpty())
        Walk(QFile::encodeName(folder).toStdString(), Recurse, OnFileFound);
}

} // namespace parvo
