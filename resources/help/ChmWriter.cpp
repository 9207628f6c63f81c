#include "ChmWriter.h"

#include "ChmFormat.h"

#include <QSet>

#include <algorithm>

namespace parvo::chm {

namespace {

struct Entry {
    QByteArray name;
    quint64 offset = 0;
    quint64 length = 0;
};

// The section table: one uncompressed section.
QByteArray NameList()
{
    const QString name = QStringLiteral("Uncompressed");
    QByteArray body;
    AppendLe16(body, 1); // sections
    AppendLe16(body, quint16(name.size()));
    for (const QChar c : name)
        AppendLe16(body, c.unicode());
    AppendLe16(body, 0);
    QByteArray out;
    AppendLe16(out, quint16((body.size() + 2) / 2)); // length in 16-bit words, this one included
    return out + body;
}

QByteArray ListingEntry(const Entry& e)
{
    QByteArray out;
    AppendEncInt(out, quint64(e.name.size()));
    out += e.name;
    AppendEncInt(out, UncompressedSection);
    AppendEncInt(out, e.offset);
    AppendEncInt(out, e.length);
    return out;
}

QByteArray IndexEntry(const QByteArray& firstName, quint32 chunk)
{
    QByteArray out;
    AppendEncInt(out, quint64(firstName.size()));
    out += firstName;
    AppendEncInt(out, chunk);
    return out;
}

// Entries of one chunk and where each begins after the chunk header.
struct ChunkBody {
    QByteArray bytes;
    QList<quint16> starts;
    QByteArray firstName;
};

quint32 QuickRefBytes(qsizetype entries)
{
    const qsizetype every = 1 + (1 << QuickRefDensity);
    return 2 + 2 * quint32(entries > 0 ? (entries - 1) / every : 0);
}

// Packs entries into chunk bodies, each with room left for its quick-reference area.
QList<ChunkBody> Pack(const QList<QPair<QByteArray, QByteArray>>& entries, quint32 headerSize, quint32 chunkSize,
                      QString* error)
{
    QList<ChunkBody> chunks;
    for (const auto& entry : entries) {
        const QByteArray& name = entry.first;
        const QByteArray& bytes = entry.second;
        const auto fits = [&](const ChunkBody& c) {
            return headerSize + c.bytes.size() + bytes.size() + QuickRefBytes(c.starts.size() + 1) <= chunkSize;
        };
        if (chunks.isEmpty() || !fits(chunks.last())) {
            chunks.append(ChunkBody{});
            chunks.last().firstName = name;
            if (!fits(chunks.last())) {
                if (error)
                    *error = QStringLiteral("entry too long for a directory chunk: ") + QString::fromUtf8(name);
                return {};
            }
        }
        ChunkBody& c = chunks.last();
        c.starts.append(quint16(c.bytes.size()));
        c.bytes += bytes;
    }
    return chunks;
}

// The tail of a chunk: the offsets of every (1 + 2^density)-th entry, last first, and the
// number of entries.
void WriteQuickRef(QByteArray& chunk, const ChunkBody& body)
{
    const qsizetype every = 1 + (1 << QuickRefDensity);
    qsizetype at = chunk.size() - 2;
    const quint16 count = quint16(body.starts.size());
    chunk[at] = char(count & 0xFF);
    chunk[at + 1] = char(count >> 8);
    for (qsizetype i = every; i < body.starts.size(); i += every) {
        at -= 2;
        chunk[at] = char(body.starts[i] & 0xFF);
        chunk[at + 1] = char(body.starts[i] >> 8);
    }
}

} // namespace

QByteArray WriteChm(const QList<StoredFile>& files, const ChmOptions& options, QString* error)
{
    const quint32 chunkSize = options.chunkSize;
    if (chunkSize < 0x200 || (chunkSize & (chunkSize - 1)) != 0) {
        if (error)
            *error = QStringLiteral("directory chunk size must be a power of two of at least 512");
        return {};
    }

    // Every file, the section table, and a directory entry for every folder on the way.
    QList<StoredFile> all = files;
    all.append({"::DataSpace/NameList", NameList()});
    QList<Entry> entries;
    QSet<QByteArray> seen;
    QByteArray content;
    const auto add = [&](const QByteArray& name, quint64 offset, quint64 length) {
        if (seen.contains(name.toLower()))
            return false;
        seen.insert(name.toLower());
        entries.append({name, offset, length});
        return true;
    };
    add("/", 0, 0);
    for (const StoredFile& f : all) {
        const bool named = f.name.startsWith('/') || f.name.startsWith("::");
        if (!named || f.name.endsWith('/') || f.name.size() > qsizetype(MaxNameLength)
            || !add(f.name, quint64(content.size()), quint64(f.data.size()))) {
            if (error)
                *error = QStringLiteral("unusable or repeated name: ") + QString::fromUtf8(f.name);
            return {};
        }
        content += f.data;
        for (qsizetype slash = f.name.indexOf('/', 1); slash > 0; slash = f.name.indexOf('/', slash + 1)) {
            if (f.name.startsWith('/'))
                add(f.name.left(slash + 1), 0, 0);
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return CompareNames(a.name, b.name) < 0; });

    // Listing chunks first, then the levels of index chunks above them.
    QList<QPair<QByteArray, QByteArray>> listing;
    for (const Entry& e : entries)
        listing.append({e.name, ListingEntry(e)});
    const QList<ChunkBody> leaves = Pack(listing, ListingHeaderSize, chunkSize, error);
    if (leaves.isEmpty())
        return {};

    QByteArray directory;
    for (qsizetype i = 0; i < leaves.size(); ++i) {
        QByteArray chunk("PMGL");
        AppendLe32(chunk, quint32(chunkSize - ListingHeaderSize - leaves[i].bytes.size()));
        AppendLe32(chunk, 0);
        AppendLe32(chunk, i == 0 ? 0xFFFFFFFF : quint32(i - 1));
        AppendLe32(chunk, i + 1 == leaves.size() ? 0xFFFFFFFF : quint32(i + 1));
        chunk += leaves[i].bytes;
        chunk.resize(chunkSize, '\0');
        WriteQuickRef(chunk, leaves[i]);
        directory += chunk;
    }

    qint32 root = -1;
    quint32 depth = 1;
    QList<QPair<QByteArray, quint32>> level; // first name of each chunk below, and its number
    for (qsizetype i = 0; i < leaves.size(); ++i)
        level.append({leaves[i].firstName, quint32(i)});
    quint32 nextChunk = quint32(leaves.size());
    while (level.size() > 1) {
        QList<QPair<QByteArray, QByteArray>> index;
        for (const auto& [name, chunkNo] : level)
            index.append({name, IndexEntry(name, chunkNo)});
        const QList<ChunkBody> nodes = Pack(index, IndexHeaderSize, chunkSize, error);
        if (nodes.isEmpty())
            return {};
        level.clear();
        for (const ChunkBody& node : nodes) {
            QByteArray chunk("PMGI");
            AppendLe32(chunk, quint32(chunkSize - IndexHeaderSize - node.bytes.size()));
            chunk += node.bytes;
            chunk.resize(chunkSize, '\0');
            WriteQuickRef(chunk, node);
            directory += chunk;
            level.append({node.firstName, nextChunk++});
        }
        ++depth;
        root = qint32(level.first().second);
    }

    const quint32 chunks = nextChunk;
    const quint64 directoryOffset = FileHeaderSize + HeaderSection0Size;
    const quint64 directoryLength = DirectoryHeaderSize + quint64(directory.size());
    const quint64 contentOffset = directoryOffset + directoryLength;
    const quint64 fileSize = contentOffset + quint64(content.size());

    QByteArray out("ITSF");
    AppendLe32(out, 3);
    AppendLe32(out, FileHeaderSize);
    AppendLe32(out, 1);
    // The time stamp is stored most significant byte first.
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((options.timestamp >> shift) & 0xFF);
    AppendLe32(out, options.language);
    out.append(reinterpret_cast<const char*>(FileClassId.data()), 16);
    out.append(reinterpret_cast<const char*>(FileClassId2.data()), 16);
    AppendLe64(out, FileHeaderSize);
    AppendLe64(out, HeaderSection0Size);
    AppendLe64(out, directoryOffset);
    AppendLe64(out, directoryLength);
    AppendLe64(out, contentOffset);

    AppendLe32(out, 0x01FE);
    AppendLe32(out, 0);
    AppendLe64(out, fileSize);
    AppendLe32(out, 0);
    AppendLe32(out, 0);

    out += "ITSP";
    AppendLe32(out, 1);
    AppendLe32(out, DirectoryHeaderSize);
    AppendLe32(out, 0x0A);
    AppendLe32(out, chunkSize);
    AppendLe32(out, QuickRefDensity);
    AppendLe32(out, depth);
    AppendLe32(out, quint32(root));
    AppendLe32(out, 0);                          // first listing chunk
    AppendLe32(out, quint32(leaves.size() - 1)); // last listing chunk
    AppendLe32(out, 0xFFFFFFFF);
    AppendLe32(out, chunks);
    AppendLe32(out, options.language);
    out.append(reinterpret_cast<const char*>(DirectoryClassId.data()), 16);
    AppendLe32(out, DirectoryHeaderSize);
    AppendLe32(out, 0xFFFFFFFF);
    AppendLe32(out, 0xFFFFFFFF);
    AppendLe32(out, 0xFFFFFFFF);

    out += directory;
    out += content;
    return out;
}

QByteArray SystemFile(const SystemInfo& info)
{
    QByteArray out;
    AppendLe32(out, SystemVersion);
    const auto record = [&](quint16 code, const QByteArray& data) {
        AppendLe16(out, code);
        AppendLe16(out, quint16(data.size()));
        out += data;
    };
    const auto text = [&](quint16 code, const QByteArray& s) { record(code, s + '\0'); };
    text(SystemContentsFile, info.contentsFile);
    text(SystemIndexFile, info.indexFile);
    text(SystemDefaultTopic, info.defaultTopic);
    text(SystemTitle, info.title);
    QByteArray language;
    AppendLe32(language, info.language);
    AppendLe32(language, 0); // no double-byte character set
    AppendLe32(language, 0); // no full-text search
    AppendLe32(language, 0); // no keyword links
    AppendLe32(language, 0); // no associative links
    AppendLe64(language, 0); // time of compilation, left out for reproducible files
    AppendLe32(language, 0);
    AppendLe32(language, 0);
    record(SystemLanguage, language);
    text(SystemCompiledName, info.compiledName);
    text(SystemCompiler, "Parvo help writer 1.0");
    return out;
}

} // namespace parvo::chm
