// Extracting and adding: loading the engines, building their records and running them.

#include "zip/TZip.h"

#include "app/RunOffThread.h"
#include "app/StringTable.h"
#include "platform/Prompts.h"
#include "zip/EngineRecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <dlfcn.h>
#include <unistd.h>


namespace parvo {

struct TZip::Engine {
    void* library = nullptr;
    void* exec = nullptr;
    ~Engine()
    {
        if (library)
            dlclose(library);
    }
};

namespace {

// The engines call this for every report, on their own thread. Questions are answered
// on the interface thread while the engine waits; plain reports are handed over without
// waiting, in order, and the engine learns at once whether it is to stop.
ZipBool Callback(CallbackRecord* record)
{
    auto* zip = static_cast<TZip*>(record->Caller);
    if (!zip)
        return ZIP_FALSE;
    if (QThread::currentThread() == zip->thread() || !QCoreApplication::instance())
        return zip->EngineCallback(*record) ? ZIP_TRUE : ZIP_FALSE;
    switch (record->ActionCode) {
    case ZIP_ACTION_PASSWORD:
    case ZIP_ACTION_CRC_ERROR:
    case ZIP_ACTION_OVERWRITE:
    case ZIP_ACTION_END_BATCH: {
        bool abort = false;
        QMetaObject::invokeMethod(zip, [&] { abort = zip->EngineCallback(*record); }, Qt::BlockingQueuedConnection);
        return abort ? ZIP_TRUE : ZIP_FALSE;
    }
    default: {
        CallbackRecord copy = *record;
        QMetaObject::invokeMethod(zip, [zip, copy]() mutable { zip->EngineCallback(copy); }, Qt::QueuedConnection);
        return zip->IsCancelled() ? ZIP_TRUE : ZIP_FALSE;
    }
    }
}

// Makes a folder the current one for as long as it lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const QString& folder)
        : old_(QDir::currentPath())
    {
        changed_ = !folder.isEmpty() && QDir::setCurrent(folder);
    }
    ~CurrentFolder()
    {
        if (changed_)
            QDir::setCurrent(old_);
    }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    QString old_;
    bool changed_ = false;
};

// Clears the wrapper's per-operation lists however an operation ends.
struct OperationEnd {
    QStringList& fileList;
    bool& busy;
    ~OperationEnd()
    {
        fileList.clear();
        busy = false;
    }
};

} // namespace

TZip::TZip(Services services, QObject* parent)
    : QObject(parent)
    , services_(std::move(services))
{
    TempPath = QDir::tempPath();
    if (TempPath.isEmpty() || TempPath.size() > 260)
        TempPath = services_.programFolder;
}

TZip::~TZip()
{
    UnloadEngines();
}

bool TZip::IsCancelled() const
{
    return cancelFlag_;
}

void TZip::Cancel()
{
    Cancelled = true;
    cancelFlag_ = true;
}

std::unique_ptr<TZip::Engine> TZip::LoadEngine(const char* fileName, const char* execName, const char* versionName)
{
    QStringList candidates;
    if (!DllDir.isEmpty())
        candidates << QDir(DllDir).filePath(QString::fromLatin1(fileName));
    else {
        if (!services_.programFolder.isEmpty())
            candidates << QDir(services_.programFolder).filePath(QString::fromLatin1(fileName));
        candidates << QString::fromLatin1(fileName); // the library path
    }
    for (const QString& candidate : candidates) {
        if (candidate.contains(QLatin1Char('/')) && !QFileInfo::exists(candidate))
            continue;
        void* library = dlopen(QFile::encodeName(candidate).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!library)
            continue;
        auto engine = std::make_unique<Engine>();
        engine->library = library;
        engine->exec = dlsym(library, execName);
        auto version = reinterpret_cast<EngineVersionFn>(dlsym(library, versionName));
        if (!engine->exec || !version)
            return nullptr;
        if (version() < ZIP_ENGINE_VERSION)
            throw ZipException(Str(65291));
        return engine;
    }
    return nullptr;
}

bool TZip::LoadZipEngine()
{
    if (!zipEngine_)
        zipEngine_ = LoadEngine("ZipDll.dll", "ZipDllExec", "GetZipDllVersion");
    return zipEngine_ != nullptr;
}

bool TZip::LoadUnzipEngine()
{
    if (!unzipEngine_)
        unzipEngine_ = LoadEngine("UnzDll.dll", "UnzDllExec", "GetUnzDllVersion");
    return unzipEngine_ != nullptr;
}

void TZip::UnloadEngines()
{
    zipEngine_.reset();
    unzipEngine_.reset();
}

int TZip::Extract()
{
    // A drop while an engine runs must not start a second one on the same wrapper.
    if (busy_)
        throw ZipException(Str(104));
    OperationEnd end{FileList, busy_};
    busy_ = true;
    Cancelled = false;
    cancelFlag_ = false;
    if (Entries.isEmpty())
        return 0;
    if (EndRecord.ThisDisk != 0) {
        Notice(Str(65286));
        return 0;
    }
    if (!ExtractDir.isEmpty() && !QFileInfo(ExtractDir).isDir()) {
        Notice(Str(65287).replace(QLatin1String("%s"), ExtractDir));
        return 0;
    }
    if (!LoadUnzipEngine())
        throw ZipException(Str(65288).replace(QLatin1String("%s"), QStringLiteral("\"UnzDll.dll\".")));
    const CurrentFolder folder(ExtractDir.isEmpty() ? QFileInfo(ZipPath_).absolutePath() : ExtractDir);
    const auto call = MakeUnzipCall(ExtractFlags, Password, QFileInfo(ZipPath_).absoluteFilePath(), FileList,
                                    {this, &Callback});
    auto exec = reinterpret_cast<UnzDllExecFn>(unzipEngine_->exec);
    const int count = RunEngine([&] { return exec(&call->params); });
    ReportProblems();
    return count;
}

int TZip::Add()
{
    if (busy_)
        throw ZipException(Str(104));
    OperationEnd end{FileList, busy_};
    busy_ = true;
    QString base = AddBaseDir;
    AddBaseDir.clear();
    if (ZipPath_.isEmpty()) {
        Notice(Str(65289));
        return 0;
    }
    if (FileList.isEmpty()) {
        Notice(Str(65290));
        return 0;
    }
    if (EndRecord.ThisDisk != 0) {
        Notice(Str(65286));
        return 0;
    }
    if (!LoadZipEngine())
        throw ZipException(Str(65288).replace(QLatin1String("%s"), QStringLiteral("\"ZipDll.dll\".")));
    Cancelled = false;
    cancelFlag_ = false;
    int count = 0;
    {
        const CurrentFolder folder(QFileInfo(base).isDir() ? base : QString());
        const auto call = MakeZipCall(AddFlags, Password, QFileInfo(ZipPath_).absoluteFilePath(), TempPath, Comment,
                                      OemNames, FileList, {this, &Callback});
        auto exec = reinterpret_cast<ZipDllExecFn>(zipEngine_->exec);
        count = RunEngine([&] { return exec(&call->params); });
    }
    ReportProblems();
    if (count > 0) {
        createdEmpty_.clear();
        // The files are in the archive whatever its listing says: a directory larger
        // than the reader takes leaves the list empty, not the add failed.
        try {
            ReadDirectory();
        } catch (const ZipException&) {
            ClearEntries();
        }
        emit OnContentsChanged();
    } else if (!createdEmpty_.isEmpty()) {
        // Nothing went into the archive made for this operation: no empty file is left.
        QFile created(createdEmpty_);
        if (created.size() == 22)
            created.remove();
        createdEmpty_.clear();
    }
    return count;
}

int TZip::RunEngine(const std::function<int()>& call)
{
    if (ShowProgressDialog && services_.progressWindow) {
        progress_ = services_.progressWindow([this] { Cancel(); });
        progress_->Show();
    }
    const int result = RunOffThread(call);
    // Reports still queued belong to this batch.
    if (QCoreApplication::instance())
        QCoreApplication::sendPostedEvents(this);
    progress_.reset();
    return result;
}

} // namespace parvo
