#pragma once
// An open compiled help file: its directory checked first, then opened with chmlib, which
// reads the stored pages. What #SYSTEM says of the file (title, default page, contents and
// index) is read once at opening.

#include "ChmDirectory.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <memory>
#include <optional>

struct chmFile;

namespace parvo::chm {

class ChmFile {
public:
    // The file at `path`, or nothing and *error saying why.
    static std::unique_ptr<ChmFile> open(const QString& path, QString* error);
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    // The stored file `name` ("/html_source/go.html"), or nothing when it is not there, not
    // stored uncompressed, or cannot be read.
    std::optional<QByteArray> read(const QString& name) const;
    bool contains(const QString& name) const;

    const QString& path() const { return path_; }
    // Whether the file on disk is still the one opened.
    bool isCurrent() const;

    // From #SYSTEM, as paths with a leading "/"; empty when not given.
    const QString& title() const { return title_; }
    const QString& defaultTopic() const { return defaultTopic_; }
    const QString& contentsFile() const { return contentsFile_; }
    const QString& indexFile() const { return indexFile_; }

private:
    ChmFile() = default;
    void readSystem();
    void findMissingParts();

    QString path_;
    QDateTime modified_;
    qint64 size_ = 0;
    Directory directory_;
    QHash<QByteArray, qsizetype> byName_; // lower-cased name → entry
    ::chmFile* handle_ = nullptr;
    QString title_, defaultTopic_, contentsFile_, indexFile_;
};

} // namespace parvo::chm
