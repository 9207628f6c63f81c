#include "zip/EngineRecords.h"

#include "zip/OemText.h"

#include <QFile>

namespace parvo {

namespace {

ZipBool Bool(bool b)
{
    return b ? ZIP_TRUE : ZIP_FALSE;
}

template <typename Spec>
void FillSpecs(const QStringList& files, std::vector<QByteArray>& names, std::vector<Spec>& specs)
{
    names.reserve(files.size());
    for (const QString& f : files)
        names.push_back(QFile::encodeName(f));
    specs.resize(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        specs[i] = Spec{};
        specs[i].FileSpec = names[i].constData();
    }
}

} // namespace

std::unique_ptr<UnzipCall> MakeUnzipCall(quint8 f, const QString& password, const QString& archive,
                                         const QStringList& files, EngineCaller caller)
{
    auto call = std::make_unique<UnzipCall>();
    UnzipParams& p = call->params;
    call->archive = QFile::encodeName(archive);
    call->password = password.toUtf8();
    FillSpecs(files, call->names, call->specs);

    p.Caller = caller.caller;
    p.Version = ZIP_ENGINE_VERSION;
    p.Callback = caller.callback;
    p.Password = password.isEmpty() ? nullptr : call->password.constData();
    p.TestOnly = Bool((f & 0x04) && !(f & 0x03));
    p.KeepTimes = ZIP_TRUE;
    p.ReplaceOlder = Bool(f & 0x01);
    p.Update = Bool((f & 0x02) && !(f & 0x01));
    p.WithFolders = Bool(f & 0x10);
    p.ReplaceAll = Bool(!(f & 0x07));
    p.FileCount = int32_t(call->specs.size());
    p.ArchivePath = call->archive.constData();
    p.Files = call->specs.empty() ? nullptr : call->specs.data();
    p.TagA = UNZIP_PARAMS_TAG_A;
    p.TagB = UNZIP_PARAMS_TAG_B;
    return call;
}

std::unique_ptr<ZipCall> MakeZipCall(quint8 f, const QString& password, const QString& archive,
                                     const QString& tempPath, const QString& comment, bool oemNames,
                                     const QStringList& files, EngineCaller caller)
{
    auto call = std::make_unique<ZipCall>();
    ZipParams& p = call->params;
    call->archive = QFile::encodeName(archive);
    call->password = password.toUtf8();
    call->tempPath = QFile::encodeName(tempPath);
    call->comment = oemNames ? ToOemText(comment) : comment.toUtf8();
    FillSpecs(files, call->names, call->specs);

    p.Caller = caller.caller;
    p.Version = ZIP_ENGINE_VERSION;
    p.Callback = caller.callback;
    p.Password = password.isEmpty() ? nullptr : call->password.constData();
    p.Encrypt = Bool(!password.isEmpty());
    p.MoveFiles = Bool(f & 0x40);
    p.JunkPaths = Bool(!(f & 0x10));
    p.KeepAttributes = ZIP_TRUE;
    p.Level = 9;
    p.NoFolderEntries = Bool(!(f & 0x0C));
    p.Recurse = (f & 0x04) ? 0xFFFF : 0;
    p.AddMode = ZIP_TRUE;
    p.HiddenFiles = Bool(f & 0x80);
    p.Update = Bool(f & 0x02);
    p.Freshen = Bool((f & 0x01) && !(f & 0x02));
    p.FileCount = int32_t(call->specs.size());
    p.ArchivePath = call->archive.constData();
    p.TempPath = call->tempPath.constData();
    p.Comment = comment.isEmpty() ? nullptr : call->comment.constData();
    p.Files = call->specs.empty() ? nullptr : call->specs.data();
    p.Tag = ZIP_PARAMS_TAG;
    return call;
}

} // namespace parvo
