#pragma once
// The parameter record of one engine call, built from the wrapper's state, together
// with the texts and file arrays its pointers point to (so it must not move once built).

#include "../../engines/ZipEngineRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <vector>

namespace parvo {

struct UnzipCall {
    UnzipParams params{};
    QByteArray archive;
    QByteArray password;
    std::vector<QByteArray> names;
    std::vector<UnzipFileSpec> specs;
};

struct ZipCall {
    ZipParams params{};
    QByteArray archive;
    QByteArray password;
    QByteArray tempPath;
    QByteArray comment;
    std::vector<QByteArray> names;
    std::vector<ZipFileSpec> specs;
};

struct EngineCaller {
    void* caller = nullptr;
    ZipEngineCallback callback = nullptr;
};

// ExtractFlags: 0x01 replace older files, 0x02 the same as an update, 0x04 test only,
// 0x08 ask before replacing, 0x10 with folders.
std::unique_ptr<UnzipCall> MakeUnzipCall(quint8 extractFlags, const QString& password, const QString& archive,
                                         const QStringList& files, EngineCaller caller);

// AddFlags: 0x01 freshen, 0x02 update, 0x04 recurse into folders, 0x08 folder entries,
// 0x10 keep folder names, 0x40 move, 0x80 hidden files.
std::unique_ptr<ZipCall> MakeZipCall(quint8 addFlags, const QString& password, const QString& archive,
                                     const QString& tempPath, const QString& comment, bool oemNames,
                                     const QStringList& files, EngineCaller caller);

} // namespace parvo
