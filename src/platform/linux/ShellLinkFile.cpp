#include "platform/linux/ShellLinkFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>
#include <cstring>

namespace parvo {

namespace {

// ---- Layout constants of the format -------------------------------------------------

constexpr quint32 kHeaderSize = 0x4C;
constexpr std::array<quint8, 16> kLinkClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                               0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr qint64 kFlagsAt = 20;
constexpr qint64 kIconIndexAt = 56;

enum LinkFlag : quint32 {
    HasLinkTargetIDList = 0x01,
    HasLinkInfo = 0x02,
    HasName = 0x04,
    HasRelativePath = 0x08,
    HasWorkingDir = 0x10,
    HasArguments = 0x20,
    HasIconLocation = 0x40,
    IsUnicode = 0x80,
};

enum LinkInfoFlag : quint32 {
    VolumeIDAndLocalBasePath = 0x01,
    CommonNetworkRelativeLinkAndPathSuffix = 0x02,
};

constexpr quint32 kLinkInfoHeaderBasic = 0x1C;   // without the Unicode offsets
constexpr quint32 kLinkInfoHeaderUnicode = 0x24; // with them
constexpr quint32 kNetworkLinkBasic = 0x14;      // CommonNetworkRelativeLink without Unicode
constexpr quint32 kNetworkLinkUnicode = 0x1C;
constexpr quint32 kVolumeIdSize = 0x11;          // fixed part plus an empty label
constexpr quint32 kDriveFixed = 3;
constexpr quint32 kAttributeDirectory = 0x10;
constexpr quint32 kAttributeNormal = 0x80;
constexpr quint32 kShowNormal = 1;
constexpr qint64 kMaxStringUnits = 0xFFFF;
// Keeps every offset of the link info inside 32 bits.
constexpr qint64 kMaxTargetUnits = 0x10000000;
// Shortcuts are a few kilobytes at most; anything far larger is not one.
constexpr qint64 kMaxLinkFileBytes = 1 << 20;

// ---- Writing ------------------------------------------------------------------------

void putU16(QByteArray& out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void putU32(QByteArray& out, quint32 value)
{
    putU16(out, quint16(value & 0xFFFF));
    putU16(out, quint16(value >> 16));
}

void putU64(QByteArray& out, quint64 value)
{
    putU32(out, quint32(value & 0xFFFFFFFF));
    putU32(out, quint32(value >> 32));
}

// UTF-16LE code units exactly as held, so any text read back comes out identical.
void putUtf16(QByteArray& out, QStringView text)
{
    for (QChar c : text)
        putU16(out, c.unicode());
}

QByteArray encodeLinkInfo(QStringView path)
{
    // Single-byte copy first (the code page of this system is UTF-8), then the exact text.
    const QByteArray localBasePath = path.toUtf8();
    const quint32 volumeIdOffset = kLinkInfoHeaderUnicode;
    const quint32 localBasePathOffset = volumeIdOffset + kVolumeIdSize;
    const quint32 suffixOffset = localBasePathOffset + quint32(localBasePath.size()) + 1;
    const quint32 localBasePathUnicodeOffset = suffixOffset + 1;
    const quint32 suffixUnicodeOffset = localBasePathUnicodeOffset + 2 * (quint32(path.size()) + 1);
    const quint32 size = suffixUnicodeOffset + 2;

    QByteArray out;
    out.reserve(size);
    putU32(out, size);
    putU32(out, kLinkInfoHeaderUnicode);
    putU32(out, VolumeIDAndLocalBasePath);
    putU32(out, volumeIdOffset);
    putU32(out, localBasePathOffset);
    putU32(out, 0); // no network link
    putU32(out, suffixOffset);
    putU32(out, localBasePathUnicodeOffset);
    putU32(out, suffixUnicodeOffset);

    putU32(out, kVolumeIdSize);
    putU32(out, kDriveFixed);
    putU32(out, 0);    // serial number: unknown
    putU32(out, 0x10); // label right after the fixed part
    out.append('\0');  // empty label

    out.append(localBasePath);
    out.append('\0');
    out.append('\0'); // empty common path suffix
    putUtf16(out, path);
    putU16(out, 0);
    putU16(out, 0); // empty common path suffix, Unicode
    return out;
}

void putCountedString(QByteArray& out, const QString& text)
{
    putU16(out, quint16(text.size()));
    putUtf16(out, text);
}

// ---- Reading ------------------------------------------------------------------------

// Windows-1252 for the bytes 0x80-0x9F; the five it leaves undefined map to the control
// characters of the same value, as Windows itself converts them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Single-byte text: UTF-8 as this system writes it; bytes that are not valid UTF-8 come
// from a Windows code page, of which the western one is by far the likeliest.
QString fromSingleByte(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text = QString(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = quint8(bytes[i]);
        text[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

// Bounds-checked little-endian access: every read names its position, and a position
// outside the data gives nothing instead of touching memory.
class ByteReader {
public:
    explicit ByteReader(const QByteArray& data) : data_(data) {}

    bool has(qint64 at, qint64 count) const
    {
        return at >= 0 && count >= 0 && at <= data_.size() && count <= data_.size() - at;
    }

    std::optional<quint16> u16(qint64 at) const
    {
        if (!has(at, 2))
            return std::nullopt;
        return quint16(byte(at) | (byte(at + 1) << 8));
    }

    std::optional<quint32> u32(qint64 at) const
    {
        if (!has(at, 4))
            return std::nullopt;
        return quint32(byte(at)) | (quint32(byte(at + 1)) << 8) | (quint32(byte(at + 2)) << 16)
             | (quint32(byte(at + 3)) << 24);
    }

    bool equals(qint64 at, const std::array<quint8, 16>& expected) const
    {
        return has(at, qint64(expected.size()))
            && std::memcmp(data_.constData() + at, expected.data(), expected.size()) == 0;
    }

    std::optional<QString> singleByte(qint64 at, qint64 count) const
    {
        if (!has(at, count))
            return std::nullopt;
        return fromSingleByte(QByteArrayView(data_.constData() + at, count));
    }

    std::optional<QString> utf16(qint64 at, qint64 units) const
    {
        if (units < 0 || !has(at, 2 * units))
            return std::nullopt;
        QString text(units, Qt::Uninitialized);
        for (qint64 i = 0; i < units; ++i)
            text[i] = QChar(*u16(at + 2 * i));
        return text;
    }

    // NUL-terminated single-byte text starting at `at`, whose terminator lies before `end`.
    std::optional<QString> singleByteZ(qint64 at, qint64 end) const
    {
        if (!has(at, 0) || !has(end, 0))
            return std::nullopt;
        for (qint64 i = at; i < end; ++i)
            if (data_[i] == '\0')
                return singleByte(at, i - at);
        return std::nullopt;
    }

    std::optional<QString> utf16Z(qint64 at, qint64 end) const
    {
        if (!has(at, 0) || !has(end, 0))
            return std::nullopt;
        for (qint64 i = at; i + 2 <= end; i += 2)
            if (*u16(i) == 0)
                return utf16(at, (i - at) / 2);
        return std::nullopt;
    }

private:
    quint8 byte(qint64 at) const { return quint8(data_[at]); }
    const QByteArray& data_;
};

// A string inside a structure that starts at `base` and is `size` bytes long: the offset
// must point inside it and the terminator must come before its end.
std::optional<QString> innerString(const ByteReader& in, qint64 base, qint64 size, quint32 offset,
                                   bool unicode)
{
    if (offset >= size)
        return std::nullopt;
    return unicode ? in.utf16Z(base + offset, base + size) : in.singleByteZ(base + offset, base + size);
}

// The share plus the path below it, e.g. \\server\share and docs\a.txt.
std::optional<QString> networkTarget(const ByteReader& in, qint64 base, qint64 size, quint32 offset,
                                     const QString& suffix)
{
    if (offset >= size)
        return std::nullopt;
    const qint64 at = base + offset;
    const auto linkSize = in.u32(at);
    if (!linkSize || *linkSize < kNetworkLinkBasic || *linkSize > size - offset)
        return std::nullopt;
    const auto netNameOffset = in.u32(at + 8);
    std::optional<QString> netName;
    if (*netNameOffset > kNetworkLinkBasic) { // the Unicode offsets are present
        if (*linkSize < kNetworkLinkUnicode)
            return std::nullopt;
        const quint32 unicodeOffset = *in.u32(at + 20);
        if (unicodeOffset != 0)
            netName = innerString(in, at, *linkSize, unicodeOffset, true);
        else
            netName = innerString(in, at, *linkSize, *netNameOffset, false);
    } else {
        netName = innerString(in, at, *linkSize, *netNameOffset, false);
    }
    if (!netName)
        return std::nullopt;
    if (suffix.isEmpty() || netName->endsWith(QLatin1Char('\\')))
        return *netName + suffix;
    return *netName + QLatin1Char('\\') + suffix;
}

// The target named by a LinkInfo structure of `size` bytes at `base`: its local path or
// its network path, empty when it names neither, nothing when it is malformed.
std::optional<QString> linkInfoTarget(const ByteReader& in, qint64 base, quint32 size)
{
    const auto headerSize = in.u32(base + 4);
    if (!headerSize || *headerSize < kLinkInfoHeaderBasic || *headerSize > size)
        return std::nullopt;
    const quint32 flags = *in.u32(base + 8);
    const quint32 localBasePathOffset = *in.u32(base + 16);
    const quint32 networkOffset = *in.u32(base + 20);
    const quint32 suffixOffset = *in.u32(base + 24);
    const bool hasUnicode = *headerSize >= kLinkInfoHeaderUnicode;
    const quint32 localBasePathUnicodeOffset = hasUnicode ? *in.u32(base + 28) : 0;
    const quint32 suffixUnicodeOffset = hasUnicode ? *in.u32(base + 32) : 0;

    std::optional<QString> suffix = QString();
    if (suffixUnicodeOffset != 0)
        suffix = innerString(in, base, size, suffixUnicodeOffset, true);
    else if (suffixOffset != 0)
        suffix = innerString(in, base, size, suffixOffset, false);
    if (!suffix)
        return std::nullopt;

    if (flags & VolumeIDAndLocalBasePath) {
        const auto local = localBasePathUnicodeOffset != 0
                             ? innerString(in, base, size, localBasePathUnicodeOffset, true)
                             : innerString(in, base, size, localBasePathOffset, false);
        if (!local)
            return std::nullopt;
        return *local + *suffix;
    }
    if (flags & CommonNetworkRelativeLinkAndPathSuffix)
        return networkTarget(in, base, size, networkOffset, *suffix);
    return QString();
}

// Walks the extra data blocks up to the terminal block; their contents are not needed.
bool skipExtraData(const ByteReader& in, qint64 at)
{
    for (;;) {
        const auto blockSize = in.u32(at);
        if (!blockSize)
            return false;
        if (*blockSize < 4)
            return true;
        if (*blockSize < 8 || !in.has(at, *blockSize))
            return false;
        at += *blockSize;
    }
}

bool isAbsolutePath(const QString& path)
{
    if (path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1Char('\\')))
        return true;
    return path.size() >= 2 && path[0].isLetter() && path[1] == QLatin1Char(':');
}

// A relative path is written with either separator depending on where the shortcut was
// made; on this system both are taken as separators.
QString resolveRelative(QString relativePath, const QString& linkFolder)
{
    const qsizetype nul = relativePath.indexOf(QChar(0));
    if (nul >= 0)
        relativePath.truncate(nul);
    if (relativePath.isEmpty() || linkFolder.isEmpty() || isAbsolutePath(relativePath))
        return relativePath;
    relativePath.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(linkFolder + QLatin1Char('/') + relativePath);
}

quint64 toFileTime(const QDateTime& time)
{
    constexpr qint64 kMsecsFrom1601To1970 = 11644473600000LL;
    if (!time.isValid())
        return 0;
    const qint64 msecs = time.toMSecsSinceEpoch() + kMsecsFrom1601To1970;
    return msecs > 0 ? quint64(msecs) * 10000 : 0;
}

ShellLinkTargetFacts factsOf(const QString& target)
{
    ShellLinkTargetFacts facts;
    const QFileInfo info(target);
    if (!info.isAbsolute() || !info.exists())
        return facts;
    facts.isDirectory = info.isDir();
    facts.creationTime = toFileTime(info.birthTime());
    facts.accessTime = toFileTime(info.lastRead());
    facts.writeTime = toFileTime(info.lastModified());
    facts.fileSize = info.isDir() ? 0 : quint32(quint64(info.size()) & 0xFFFFFFFF);
    return facts;
}

} // namespace

QByteArray EncodeShellLink(const ShellLink& link, const ShellLinkTargetFacts& facts)
{
    for (const QString* text : {&link.description, &link.workingDir, &link.arguments, &link.iconLocation})
        if (text->size() > kMaxStringUnits)
            return {};
    // The path field ends at a NUL, so a NUL inside the target cannot be part of it.
    const qsizetype nul = link.target.indexOf(QChar(0));
    const QStringView target = QStringView(link.target).left(nul >= 0 ? nul : link.target.size());
    if (target.size() > kMaxTargetUnits)
        return {};

    quint32 flags = IsUnicode;
    if (!target.isEmpty())
        flags |= HasLinkInfo;
    if (!link.description.isEmpty())
        flags |= HasName;
    if (!link.workingDir.isEmpty())
        flags |= HasWorkingDir;
    if (!link.arguments.isEmpty())
        flags |= HasArguments;
    if (!link.iconLocation.isEmpty())
        flags |= HasIconLocation;

    QByteArray out;
    putU32(out, kHeaderSize);
    out.append(reinterpret_cast<const char*>(kLinkClsid.data()), qsizetype(kLinkClsid.size()));
    putU32(out, flags);
    putU32(out, facts.isDirectory ? kAttributeDirectory : kAttributeNormal);
    putU64(out, facts.creationTime);
    putU64(out, facts.accessTime);
    putU64(out, facts.writeTime);
    putU32(out, facts.fileSize);
    putU32(out, quint32(link.iconIndex));
    putU32(out, kShowNormal);
    putU16(out, 0); // no hot key
    putU16(out, 0); // reserved
    putU32(out, 0);
    putU32(out, 0);

    if (flags & HasLinkInfo)
        out.append(encodeLinkInfo(target));
    if (flags & HasName)
        putCountedString(out, link.description);
    if (flags & HasWorkingDir)
        putCountedString(out, link.workingDir);
    if (flags & HasArguments)
        putCountedString(out, link.arguments);
    if (flags & HasIconLocation)
        putCountedString(out, link.iconLocation);
    putU32(out, 0); // terminal block
    return out;
}

std::optional<ShellLink> DecodeShellLink(const QByteArray& bytes, const QString& linkFolder)
{
    const ByteReader in(bytes);
    if (in.u32(0) != kHeaderSize || !in.has(0, kHeaderSize) || !in.equals(4, kLinkClsid))
        return std::nullopt;
    const quint32 flags = *in.u32(kFlagsAt);

    ShellLink link;
    link.iconIndex = qint32(*in.u32(kIconIndexAt));
    qint64 at = kHeaderSize;

    if (flags & HasLinkTargetIDList) {
        const auto idListSize = in.u16(at);
        if (!idListSize || !in.has(at + 2, *idListSize))
            return std::nullopt;
        at += 2 + *idListSize;
    }

    QString target;
    if (flags & HasLinkInfo) {
        const auto linkInfoSize = in.u32(at);
        if (!linkInfoSize || !in.has(at, *linkInfoSize))
            return std::nullopt;
        const auto fromLinkInfo = linkInfoTarget(in, at, *linkInfoSize);
        if (!fromLinkInfo)
            return std::nullopt;
        target = *fromLinkInfo;
        at += *linkInfoSize;
    }

    const bool unicode = flags & IsUnicode;
    auto readString = [&](LinkFlag flag, QString& into) {
        if (!(flags & flag))
            return true;
        const auto count = in.u16(at);
        if (!count)
            return false;
        const auto text = unicode ? in.utf16(at + 2, *count) : in.singleByte(at + 2, *count);
        if (!text)
            return false;
        into = *text;
        at += 2 + (unicode ? 2 * qint64(*count) : qint64(*count));
        return true;
    };
    QString relativePath;
    if (!readString(HasName, link.description) || !readString(HasRelativePath, relativePath)
        || !readString(HasWorkingDir, link.workingDir) || !readString(HasArguments, link.arguments)
        || !readString(HasIconLocation, link.iconLocation))
        return std::nullopt;

    if (!skipExtraData(in, at))
        return std::nullopt;

    if (target.isEmpty())
        target = resolveRelative(relativePath, linkFolder);
    if (target.isEmpty())
        return std::nullopt;
    link.target = target;
    return link;
}

bool ShellLinkFile::write(const QString& linkPath, const ShellLink& link)
{
    const QByteArray bytes = EncodeShellLink(link, factsOf(link.target));
    if (bytes.isEmpty())
        return false;
    QSaveFile file(linkPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<ShellLink> ShellLinkFile::read(const QString& linkPath) const
{
    const QFileInfo info(linkPath);
    // Only regular files: opening a pipe or device of that name could block or never end.
    if (!info.isFile() || info.size() > kMaxLinkFileBytes)
        return std::nullopt;
    QFile file(linkPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxLinkFileBytes + 1);
    if (bytes.size() > kMaxLinkFileBytes)
        return std::nullopt;
    return DecodeShellLink(bytes, info.absolutePath());
}

} // namespace parvo
