#include "zip/TZip.h"

#include "app/StringTable.h"
#include "platform/Drives.h"
#include "platform/Prompts.h"
#include "zip/OemText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace parvo {

namespace {

constexpr quint32 EndSignature = 0x06054B50;
constexpr quint32 CentralSignature = 0x02014B50;
constexpr quint32 Zip64LocatorSignature = 0x07064B50;
constexpr quint32 Zip64EndSignature = 0x06064B50;
constexpr int EndRecordSize = 22;
constexpr int CentralHeaderSize = 46;
// A comment may be as long as its 16-bit length allows.
constexpr qint64 EndRecordSearch = 65535 + EndRecordSize;
// Beyond these an end record is taken for garbage.
constexpr int MaxDiskNumber = 1000;
constexpr qint64 MaxDirectorySize = 1024000;

quint16 Get16(const uchar* p) { return quint16(p[0] | (p[1] << 8)); }
quint32 Get32(const uchar* p) { return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24); }
quint64 Get64(const uchar* p) { return quint64(Get32(p)) | (quint64(Get32(p + 4)) << 32); }

bool ReadExactly(QIODevice& file, char* into, qint64 size)
{
    return size == 0 || file.read(into, size) == size;
}

QString Formatted(int id, const QString& arg)
{
    return Str(id).replace(QLatin1String("%s"), arg);
}

QString Formatted(int id, int number)
{
    return Str(id).replace(QLatin1String("%d"), QString::number(number));
}

} // namespace

quint16 TFileInfo::VersionMadeBy() const { return Get16(&Header[4]); }
quint16 TFileInfo::Flags() const { return Get16(&Header[8]); }
quint16 TFileInfo::Method() const { return Get16(&Header[10]); }
quint32 TFileInfo::Crc32() const { return Get32(&Header[16]); }
quint32 TFileInfo::CompressedSize() const { return Get32(&Header[20]); }
quint32 TFileInfo::UncompressedSize() const { return Get32(&Header[24]); }
quint32 TFileInfo::LocalHeaderOffset() const { return Get32(&Header[42]); }

void TZip::SetZipPath(const QString& path)
{
    Password.clear();
    OemNames = false;
    EndRecord = ZipEndRecord{};
    Comment.clear();
    DirEndPos = -1;
    DirStartPos = 0;
    ClearEntries();
    ZipPath_ = path;
    createdEmpty_.clear();

    if (!path.isEmpty()) {
        // The drive must answer: the nearest folder of the path that exists is asked.
        QFileInfo folder(QFileInfo(path).absolutePath());
        while (!folder.exists() && !folder.isRoot())
            folder.setFile(folder.absolutePath());
        if (!folder.isDir() || !folder.isReadable())
            throw ZipException(Str(65308));
        if (!QFileInfo::exists(path)) {
            QSaveFile file(path);
            QByteArray empty(EndRecordSize, '\0');
            empty[0] = 'P', empty[1] = 'K', empty[2] = 5, empty[3] = 6;
            if (!file.open(QIODevice::WriteOnly) || file.write(empty) != empty.size() || !file.commit())
                throw ZipException(Formatted(65309, path));
            createdEmpty_ = path;
        }
        ReadDirectory();
    }
    emit OnContentsChanged();
}

void TZip::ClearEntries()
{
    Entries.clear();
}

qint64 TZip::FindEndRecord(QIODevice& file)
{
    const qint64 size = file.size();
    if (size < EndRecordSize)
        return -1;
    uchar sig[4];
    if (file.seek(size - EndRecordSize) && ReadExactly(file, reinterpret_cast<char*>(sig), 4)
        && Get32(sig) == EndSignature)
        return size - EndRecordSize;
    // A trailing comment: search backwards through the last bytes.
    const qint64 tail = std::min(size, EndRecordSearch);
    if (!file.seek(size - tail))
        return -1;
    const QByteArray bytes = file.read(tail);
    if (bytes.size() != tail)
        return -1;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    for (qint64 i = tail - EndRecordSize; i >= 0; --i) {
        if (Get32(data + i) == EndSignature)
            return size - tail + i;
    }
    return -1;
}

void TZip::ReadDirectory()
{
    ClearEntries();
    if (ZipPath_.isEmpty())
        return;
    QFile file(ZipPath_);
    const QString notValid = Formatted(65310, ZipPath_);
    if (!file.open(QIODevice::ReadOnly))
        throw ZipException(notValid);

    qint64 pos = -1;
    for (;;) {
        pos = FindEndRecord(file);
        if (pos >= 0)
            break;
        file.close();
        const int disk = DiskNumberOfVolume(ZipPath_);
        if (disk == 0)
            throw ZipException(notValid);
        if (services_.prompts.ask(Formatted(65305, disk), PromptButtons::OkCancel, PromptIcon::Information)
            != PromptAnswer::Ok)
            return;
        if (!file.open(QIODevice::ReadOnly))
            throw ZipException(notValid);
    }

    DirEndPos = pos;
    uchar rec[EndRecordSize];
    if (!file.seek(pos) || !ReadExactly(file, reinterpret_cast<char*>(rec), EndRecordSize))
        throw ZipException(notValid);
    EndRecord.Signature = Get32(rec);
    EndRecord.ThisDisk = Get16(rec + 4);
    EndRecord.DirectoryDisk = Get16(rec + 6);
    EndRecord.EntriesOnDisk = Get16(rec + 8);
    EndRecord.TotalEntries = Get16(rec + 10);
    EndRecord.DirectorySize = Get32(rec + 12);
    EndRecord.DirectoryOffset = Get32(rec + 16);
    EndRecord.CommentLength = Get16(rec + 20);
    if (EndRecord.ThisDisk > MaxDiskNumber || EndRecord.DirectoryDisk > MaxDiskNumber
        || EndRecord.DirectorySize > MaxDirectorySize)
        throw ZipException(notValid);

    const QByteArray comment = file.read(EndRecord.CommentLength);
    if (comment.size() == EndRecord.CommentLength)
        Comment = OemNames ? FromOemText(comment) : QString::fromLocal8Bit(comment);

    // An archive in the 64-bit format keeps its true counts in a second end record, which
    // sits, with its locator, between the directory and the end record.
    dirEnd_ = DirEndPos;
    dirSize_ = EndRecord.DirectorySize;
    dirOffset_ = EndRecord.DirectoryOffset;
    entryCount_ = EndRecord.TotalEntries;
    uchar locator[20];
    if (pos >= 20 + 56 && file.seek(pos - 20) && ReadExactly(file, reinterpret_cast<char*>(locator), 20)
        && Get32(locator) == Zip64LocatorSignature) {
        uchar rec64[56];
        const qint64 at = pos - 20 - 56;
        if (file.seek(at) && ReadExactly(file, reinterpret_cast<char*>(rec64), 56) && Get32(rec64) == Zip64EndSignature) {
            const quint64 entries = Get64(rec64 + 32);
            const quint64 size = Get64(rec64 + 40);
            const quint64 offset = Get64(rec64 + 48);
            if (size > quint64(MaxDirectorySize) || entries > quint64(MaxDirectorySize / CentralHeaderSize))
                throw ZipException(notValid);
            dirEnd_ = at;
            dirSize_ = qint64(size);
            dirOffset_ = qint64(std::min<quint64>(offset, quint64(file.size())));
            entryCount_ = qint64(entries);
        }
    }

    if (entryCount_ != 0
        && (EndRecord.DirectoryDisk == EndRecord.ThisDisk || AskForDisk(ZipPath_, EndRecord.DirectoryDisk))) {
        if (!ReadCentralHeaders(file)) {
            ClearEntries();
            throw ZipException(Str(65311));
        }
    }
}

bool TZip::ReadCentralHeaders(QIODevice& device)
{
    auto* file = &device;
    QFile nextDisk(ZipPath_);
    const bool spanned = EndRecord.ThisDisk != 0;
    const qint64 start = spanned ? dirOffset_ : dirEnd_ - dirSize_;
    if (start < 0 || !file->seek(start))
        return false;
    qint64 lowest = file->size();
    QList<TFileInfo> entries;
    for (qint64 i = 0; i < entryCount_; ++i) {
        TFileInfo info;
        char* header = reinterpret_cast<char*>(info.Header.data());
        if (!ReadExactly(*file, header, CentralHeaderSize)) {
            if (!spanned)
                return false;
            const int disk = DiskNumberOfVolume(ZipPath_);
            if (disk == 0 || EndRecord.ThisDisk < disk)
                return false;
            file->close();
            if (!AskForDisk(ZipPath_, disk + 1))
                return false;
            file = &nextDisk;
            if (!file->open(QIODevice::ReadOnly) || !ReadExactly(*file, header, CentralHeaderSize))
                return false;
        }
        const uchar* h = info.Header.data();
        if (Get32(h) != CentralSignature)
            return false;
        if (i == 0) {
            const uchar host = h[5];
            const uchar version = h[4];
            OemNames = host == 0 || host == 6 || (host == 11 && version == 50);
        }
        const QByteArray name = file->read(Get16(h + 28));
        info.ExtraField = file->read(Get16(h + 30));
        const QByteArray comment = file->read(Get16(h + 32));
        if (name.size() != Get16(h + 28) || info.ExtraField.size() != Get16(h + 30) || comment.size() != Get16(h + 32))
            return false;
        info.Encrypted = (Get16(h + 8) & 1) != 0;
        // Bit 11 marks names written in UTF-8, whatever the host.
        const bool utf8 = (Get16(h + 8) & 0x0800) != 0;
        info.FileName = QDir::toNativeSeparators(utf8 ? QString::fromUtf8(name)
                                                 : OemNames ? FromOemText(name)
                                                            : QString::fromLocal8Bit(name));
        info.FileComment = utf8 ? QString::fromUtf8(comment) : OemNames ? FromOemText(comment) : QString::fromLocal8Bit(comment);
        lowest = std::min<qint64>(lowest, info.LocalHeaderOffset());
        entries.append(std::move(info));
    }
    Entries = std::move(entries);
    if (spanned || lowest >= file->size())
        DirStartPos = 0;
    else
        DirStartPos = dirEnd_ + lowest - dirOffset_ - dirSize_;
    return true;
}

int TZip::DiskNumberOfVolume(const QString& path) const
{
    if (!services_.drives || !QFileInfo::exists(path))
        return 0;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const DriveInfo* holding = nullptr;
    const QList<DriveInfo> drives = services_.drives->list();
    for (const DriveInfo& d : drives) {
        if (d.exists() && absolute.startsWith(d.root) && (!holding || d.root.size() > holding->root.size()))
            holding = &d;
    }
    if (!holding || !holding->isRemovableMedia() || !holding->label.startsWith(QLatin1String("PKBACK# ")))
        return 0;
    bool ok = false;
    const int number = holding->label.mid(8, 3).toInt(&ok);
    return ok ? number : 0;
}

bool TZip::AskForDisk(const QString& path, int number)
{
    while (DiskNumberOfVolume(path) != number) {
        if (services_.prompts.ask(Formatted(65304, number), PromptButtons::OkCancel, PromptIcon::Information)
            != PromptAnswer::Ok)
            return false;
    }
    return true;
}

void TZip::Notice(const QString& text)
{
    services_.prompts.ask(text, PromptButtons::Ok, PromptIcon::Information);
}

} // namespace parvo
