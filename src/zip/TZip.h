#pragma once
// The zip wrapper: reads an archive's central directory itself and drives the two engine
// libraries, "ZipDll.dll" to add files and "UnzDll.dll" to extract them, loaded on first
// use. It answers the engines' reports and questions (progress, passwords, damaged
// entries, files to overwrite) and shows its own progress window while an engine works.
//
// The engine runs on a worker thread; Extract and Add wait for it in a local event loop,
// so the interface stays live and the progress window's Cancel works, and every report
// is answered on the interface thread.

#include "../../engines/ZipEngineRecords.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>

namespace parvo {

class Drives;
class Prompts;

// Raised with the wrapper's message text.
class ZipException : public std::runtime_error {
public:
    explicit ZipException(const QString& message)
        : std::runtime_error(message.toStdString()), Message(message) {}
    QString Message;
};

// One central-directory entry: the 46-byte fixed part exactly as stored, then what
// follows it.
struct TFileInfo {
    std::array<uchar, 46> Header{};
    bool Encrypted = false;
    QString FileName;      // with the native separator, converted from OEM when needed
    QByteArray ExtraField;
    QString FileComment;

    quint16 VersionMadeBy() const;
    quint16 Flags() const;
    quint16 Method() const;
    quint32 Crc32() const;
    quint32 CompressedSize() const;
    quint32 UncompressedSize() const;
    quint32 LocalHeaderOffset() const;
};

// The end-of-central-directory record, 22 bytes as stored.
struct ZipEndRecord {
    quint32 Signature = 0x06054B50;
    quint16 ThisDisk = 0;
    quint16 DirectoryDisk = 0;
    quint16 EntriesOnDisk = 0;
    quint16 TotalEntries = 0;
    quint32 DirectorySize = 0;
    quint32 DirectoryOffset = 0;
    quint16 CommentLength = 0;
};

// The wrapper's progress window, as the wrapper sees it.
class ZipProgressView {
public:
    virtual ~ZipProgressView() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetFileName(const QString& name) = 0; // the label, centred again
    virtual void SetMaximum(qint64 total) = 0;
    virtual void SetPosition(qint64 done) = 0;
};

class TZip : public QObject {
    Q_OBJECT
public:
    struct Services {
        Prompts& prompts;
        Drives* drives = nullptr;      // volume labels of removable media
        QString programFolder;         // where the engines are looked for first
        // Makes the progress window; its Cancel calls the function given.
        std::function<std::unique_ptr<ZipProgressView>(std::function<void()> cancel)> progressWindow;
    };

    explicit TZip(Services services, QObject* parent = nullptr);
    ~TZip() override;

    // Selects an archive and reads its directory; a path that does not exist becomes an
    // empty archive. Raises ZipException.
    void SetZipPath(const QString& path);
    const QString& ZipPath() const { return ZipPath_; }

    // Extracts FileList (empty: everything) into ExtractDir; the number of files
    // extracted. Raises ZipException when the engine cannot be loaded.
    int Extract();
    // Adds FileList to the archive; the number of files added.
    int Add();

    void ReadDirectory();
    void ClearEntries();
    bool LoadZipEngine();
    bool LoadUnzipEngine();
    void UnloadEngines();

    QString Password;
    QString DllDir;
    QString TempPath;
    bool OemNames = false;
    ZipEndRecord EndRecord;
    QString Comment;
    qint64 DirEndPos = -1;
    qint64 DirStartPos = 0;
    QList<TFileInfo> Entries;
    QStringList FileList;
    quint8 AddFlags = 0x02;
    quint8 ExtractFlags = 0x01;
    QString ExtractDir;
    QString AddBaseDir;
    bool Cancelled = false;
    bool ShowProgressDialog = true;

    // Answers one engine report on the interface thread; true asks the engine to stop.
    bool EngineCallback(CallbackRecord& record);
    // Stops the running engine at its next report (the progress window's Cancel).
    void Cancel();
    // Whether the running operation has been cancelled; safe on any thread.
    bool IsCancelled() const;

    // The position of the end record, or -1 when the file has none.
    static qint64 FindEndRecord(QIODevice& file);
    // 0 unless `path` lies on removable media whose label is that of a numbered backup
    // disk ("PKBACK# 001"); then the disk's number.
    int DiskNumberOfVolume(const QString& path) const;
    // Asks for disk `number` until it is in the drive holding `path`; false on Cancel.
    bool AskForDisk(const QString& path, int number);

    // The progress counters of the running batch.
    QString CurrentFileName;
    int BatchCount = 0;
    qint64 TotalBytes = 0;
    qint64 BytesDone = 0;
    int SkippedCount = 0;

signals:
    void OnContentsChanged();
    void OnZEDBeginFileEvent(const QString& fileName, qint64 fileSize, int batchCount, qint64 totalBytes);
    void OnZEDProgressEvent(const QString& fileName, qint64 bytesDone, qint64 totalBytes);
    void OnZEDEndBatchEvent(int skippedCount, int batchCount, qint64 totalBytes);

private:
    bool ReadCentralHeaders(QIODevice& file);
    void Notice(const QString& text);
    // Runs an engine call off the interface thread and waits for it with the interface
    // live; the progress window is shown meanwhile when wanted.
    int RunEngine(const std::function<int()>& call);
    // Tells the user what the engine could not do: entries skipped for a reason other
    // than the user's own choice, and the engine's error messages.
    void ReportProblems();
    void ShowProgressAgain();

    QString ZipPath_;
    Services services_;
    // The archive SetZipPath created empty, to be removed again when nothing is added.
    QString createdEmpty_;
    // Where the directory ends: the end record, or the zip64 end record before it.
    qint64 dirEnd_ = -1;
    qint64 dirSize_ = 0;
    qint64 dirOffset_ = 0;
    qint64 entryCount_ = 0;
    struct Engine;
    std::unique_ptr<Engine> LoadEngine(const char* fileName, const char* execName, const char* versionName);
    std::unique_ptr<Engine> zipEngine_;
    std::unique_ptr<Engine> unzipEngine_;
    std::unique_ptr<ZipProgressView> progress_;
    QStringList problems_;
    // Read by the engine's thread between reports.
    std::atomic<bool> cancelFlag_ = false;
    bool busy_ = false;
};

} // namespace parvo
