#include "ChmDirectory.h"

#include "ChmFormat.h"

#include <QIODevice>

#include <vector>

namespace parvo::chm {

namespace {

// A help file's directory is a few chunks; one this large is not a help file.
constexpr quint64 kMaxDirectoryEnd = 64ull << 20;
constexpr quint32 kMinChunkSize = 0x20;
constexpr quint32 kMaxChunkSize = 1u << 20;
// Index trees are shallow: each level multiplies the chunks below by a hundred or so.
constexpr quint32 kMaxIndexDepth = 16;
constexpr quint32 kNoChunk = 0xFFFFFFFF;

DirectoryResult Refuse(const char* why)
{
    return {std::nullopt, QString::fromUtf8(why)};
}

// `offset + length <= limit` without overflow.
bool Within(quint64 offset, quint64 length, quint64 limit)
{
    return length <= limit && offset <= limit - length;
}

class Walker {
public:
    Walker(const QByteArray& head, quint64 dirStart, quint32 chunkSize, quint32 chunks, quint64 contentSize)
        : head_(head), dirStart_(dirStart), chunkSize_(chunkSize), chunks_(chunks), contentSize_(contentSize)
    {
    }

    const char* chunk(quint32 n) const { return head_.constData() + dirStart_ + quint64(n) * chunkSize_; }

    // Reads the entries of a listing chunk into `out`; the reason when it is damaged.
    const char* listing(quint32 n, QList<DirectoryEntry>* out) const
    {
        const char* c = chunk(n);
        if (memcmp(c, "PMGL", 4) != 0)
            return "un blocco dell'elenco è danneggiato";
        const quint32 freeSpace = Le32(c + 4);
        if (freeSpace > chunkSize_ - ListingHeaderSize)
            return "un blocco dell'elenco dichiara più spazio libero di quanto ne ha";
        const qsizetype end = qsizetype(chunkSize_ - freeSpace);
        qsizetype pos = ListingHeaderSize;
        while (pos < end) {
            const auto nameLength = ReadEncInt(c, pos, end);
            if (!nameLength || *nameLength > MaxNameLength || *nameLength > quint64(end - pos))
                return "il nome di una voce va oltre il suo blocco";
            DirectoryEntry e;
            e.name = QByteArray(c + pos, qsizetype(*nameLength));
            pos += qsizetype(*nameLength);
            const auto section = ReadEncInt(c, pos, end);
            const auto offset = ReadEncInt(c, pos, end);
            const auto length = ReadEncInt(c, pos, end);
            if (!section || !offset || !length)
                return "una voce va oltre il suo blocco";
            if (*section > 1)
                return "una voce nomina una sezione che il file non ha";
            if (*section == UncompressedSection && !Within(*offset, *length, contentSize_))
                return "una voce rimanda oltre la fine del file";
            e.section = *section;
            e.offset = *offset;
            e.length = *length;
            if (out)
                out->append(std::move(e));
        }
        return nullptr;
    }

    // The children of an index chunk; the reason when it is damaged.
    const char* index(quint32 n, std::vector<quint32>& children) const
    {
        const char* c = chunk(n);
        const quint32 freeSpace = Le32(c + 4);
        if (freeSpace > chunkSize_ - IndexHeaderSize)
            return "un blocco dell'indice dichiara più spazio libero di quanto ne ha";
        const qsizetype end = qsizetype(chunkSize_ - freeSpace);
        qsizetype pos = IndexHeaderSize;
        while (pos < end) {
            const auto nameLength = ReadEncInt(c, pos, end);
            if (!nameLength || *nameLength > MaxNameLength || *nameLength > quint64(end - pos))
                return "un nome dell'indice va oltre il suo blocco";
            pos += qsizetype(*nameLength);
            const auto child = ReadEncInt(c, pos, end);
            if (!child || *child >= chunks_)
                return "una voce dell'indice rimanda fuori dall'indice dei contenuti";
            children.push_back(quint32(*child));
        }
        return nullptr;
    }

private:
    const QByteArray& head_;
    quint64 dirStart_;
    quint32 chunkSize_;
    quint32 chunks_;
    quint64 contentSize_;
};

} // namespace

const DirectoryEntry* Directory::find(const QByteArray& name) const
{
    for (const DirectoryEntry& e : entries) {
        if (CompareNames(e.name, name) == 0)
            return &e;
    }
    return nullptr;
}

DirectoryResult ParseDirectory(const QByteArray& head, quint64 fileSize)
{
    const char* h = head.constData();
    if (quint64(head.size()) > fileSize || head.size() < qsizetype(FileHeaderSizeV2))
        return Refuse("il file è troppo corto per essere una guida");
    if (memcmp(h, "ITSF", 4) != 0)
        return Refuse("il file non è una guida compilata");
    const quint32 version = Le32(h + 4);
    const quint32 headerSize = Le32(h + 8);
    if (!((version == 3 && headerSize == FileHeaderSize) || (version == 2 && headerSize == FileHeaderSizeV2))
        || quint64(head.size()) < headerSize)
        return Refuse("l'intestazione del file è di un tipo sconosciuto");

    const quint64 dirOffset = Le64(h + 0x48);
    const quint64 dirLength = Le64(h + 0x50);
    if (!Within(dirOffset, dirLength, fileSize) || dirLength < DirectoryHeaderSize)
        return Refuse("l'indice dei contenuti del file sta fuori dal file");
    if (!Within(dirOffset, dirLength, quint64(head.size())))
        return Refuse("l'indice dei contenuti del file non è stato letto per intero");
    const quint64 contentOffset = version == 3 ? Le64(h + 0x58) : dirOffset + dirLength;
    if (contentOffset > fileSize)
        return Refuse("i contenuti stanno fuori dal file");

    const char* d = h + dirOffset;
    if (memcmp(d, "ITSP", 4) != 0 || Le32(d + 4) != 1 || Le32(d + 8) != DirectoryHeaderSize)
        return Refuse("l'intestazione dell'indice dei contenuti è danneggiata");
    const quint32 chunkSize = Le32(d + 0x10);
    const quint32 depth = Le32(d + 0x18);
    const quint32 root = Le32(d + 0x1C);
    const quint32 first = Le32(d + 0x20);
    const quint32 chunks = Le32(d + 0x2C);
    if (chunkSize < kMinChunkSize || chunkSize > kMaxChunkSize)
        return Refuse("i blocchi dell'indice dei contenuti hanno una dimensione impossibile");
    if (chunks == 0 || quint64(chunks) * chunkSize > dirLength - DirectoryHeaderSize)
        return Refuse("l'indice dei contenuti ha meno blocchi di quanti ne dichiara");
    if (first >= chunks || (root != kNoChunk && root >= chunks))
        return Refuse("l'indice dei contenuti comincia fuori da sé");

    Directory dir;
    dir.fileSize = fileSize;
    dir.contentOffset = contentOffset;
    const Walker walk(head, dirOffset + DirectoryHeaderSize, chunkSize, chunks, fileSize - contentOffset);

    // The chain of listing chunks, front to back, each chunk once.
    std::vector<bool> listed(chunks, false);
    quint32 listingChunks = 0;
    for (quint32 n = first; n != kNoChunk; n = Le32(walk.chunk(n) + 0x10)) {
        if (n >= chunks)
            return Refuse("un blocco dell'elenco rimanda fuori dall'indice dei contenuti");
        if (listed[n])
            return Refuse("i blocchi dell'elenco girano in tondo");
        listed[n] = true;
        ++listingChunks;
        if (const char* why = walk.listing(n, &dir.entries))
            return {std::nullopt, QString::fromUtf8(why)};
    }

    // Names are looked up through the index; without one, only the first listing chunk
    // would ever be searched.
    if (root == kNoChunk) {
        if (listingChunks > 1)
            return Refuse("l'indice dei contenuti non ha un indice sui suoi blocchi");
        return {std::move(dir), {}};
    }
    // The index tree: every path ends in a listing chunk within the stated depth, and no
    // index chunk is reached twice, so no lookup can go round in circles.
    if (depth < 2 || depth > kMaxIndexDepth)
        return Refuse("l'indice ha una profondità impossibile");
    std::vector<bool> seen(chunks, false);
    std::vector<std::pair<quint32, quint32>> pending{{root, 1}}; // chunk, level
    while (!pending.empty()) {
        const auto [n, level] = pending.back();
        pending.pop_back();
        const char* c = walk.chunk(n);
        if (memcmp(c, "PMGL", 4) == 0) {
            if (!listed[n]) {
                if (const char* why = walk.listing(n, nullptr))
                    return {std::nullopt, QString::fromUtf8(why)};
            }
            continue;
        }
        if (memcmp(c, "PMGI", 4) != 0)
            return Refuse("un blocco dell'indice è danneggiato");
        if (seen[n] || level >= depth)
            return Refuse("l'indice gira in tondo");
        seen[n] = true;
        std::vector<quint32> children;
        if (const char* why = walk.index(n, children))
            return {std::nullopt, QString::fromUtf8(why)};
        for (const quint32 child : children)
            pending.emplace_back(child, level + 1);
    }
    return {std::move(dir), {}};
}

DirectoryResult ReadDirectory(QIODevice& file)
{
    const qint64 size = file.size();
    if (size < 0 || !file.seek(0))
        return Refuse("il file non si può leggere");
    const QByteArray header = file.read(FileHeaderSize);
    if (header.size() < qsizetype(FileHeaderSizeV2))
        return Refuse("il file è troppo corto per essere una guida");
    const quint64 dirEnd = Le64(header.constData() + 0x48) + Le64(header.constData() + 0x50);
    if (dirEnd < Le64(header.constData() + 0x48) || dirEnd > kMaxDirectoryEnd)
        return Refuse("l'indice dei contenuti del file sta fuori dal file");
    const quint64 want = std::max<quint64>(dirEnd, quint64(header.size()));
    if (want > quint64(size))
        return Refuse("l'indice dei contenuti del file sta fuori dal file");
    if (!file.seek(0))
        return Refuse("il file non si può leggere");
    const QByteArray head = file.read(qint64(want));
    return ParseDirectory(head, quint64(size));
}

} // namespace parvo::chm
