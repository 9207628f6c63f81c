#pragma once
// Writes a compiled help file: the container with its directory chunks and every file
// stored in the uncompressed content section. The folders of the stored files get
// directory entries of their own, and the section table names the one section there is.

#include <QByteArray>
#include <QList>
#include <QString>

namespace parvo::chm {

struct StoredFile {
    QByteArray name; // absolute inside the file: "/html_source/index.html", "/#SYSTEM"
    QByteArray data;
};

struct ChmOptions {
    quint32 language = 0x0410;
    quint32 timestamp = 0;      // fixed, so that the same pages give the same file
    quint32 chunkSize = 0x1000; // directory chunk size, a power of two
};

// The whole file. Names must be unique without regard to case, start with "/" or "::",
// and be at most 512 bytes; an empty result (and *error) otherwise.
QByteArray WriteChm(const QList<StoredFile>& files, const ChmOptions& options = {}, QString* error = nullptr);

// What the #SYSTEM file tells a viewer: the contents and index files, the default
// topic (all paths inside the file, without the leading "/"), the title and the name the
// file was compiled as.
struct SystemInfo {
    QByteArray contentsFile;
    QByteArray indexFile;
    QByteArray defaultTopic;
    QByteArray title;
    QByteArray compiledName;
    quint32 language = 0x0410;
};
QByteArray SystemFile(const SystemInfo& info);

} // namespace parvo::chm
