#pragma once
// Builds zip archives byte by byte for tests, with every field under the test's
// control: names no tool would write, sizes that lie, records in the wrong place.

#include <zlib.h>

// Tests name only the fields they care about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include <cstdint>
#include <string>
#include <vector>

namespace parvo::test {

struct ZipEntrySpec {
    std::string name;
    std::string data;                  // the entry's contents
    bool deflate = false;
    uint16_t madeBy = (3 << 8) | 30;   // Unix
    uint32_t externalAttributes = 0100644u << 16;
    uint16_t flags = 0;
    std::string extra;
    int64_t declaredSize = -1;         // the uncompressed size to claim; -1: the true one
    uint32_t dosTime = 0x5A6B3C00;     // a date in 2025
    int64_t sharedOffset = -1;         // >= 0: no data of its own, it points at this offset
};

struct ZipEndSpec {
    std::string prefix;                // bytes before the archive (a program stub)
    std::string comment;
    int thisDisk = 0;
    int directoryDisk = 0;
    int64_t directorySize = -1;        // -1: the true one
    int64_t directoryOffset = -1;
    int64_t totalEntries = -1;
};

inline void Put16(std::string& s, uint32_t v)
{
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}

inline void Put32(std::string& s, uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

inline std::string RawDeflate(const std::string& data)
{
    z_stream zs{};
    deflateInit2(&zs, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&zs, uLong(data.size())) + 16, '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = uInt(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = uInt(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

inline std::string BuildZip(const std::vector<ZipEntrySpec>& entries, const ZipEndSpec& end = {})
{
    std::string file = end.prefix;
    std::string central;
    for (const ZipEntrySpec& e : entries) {
        const std::string body = e.deflate ? RawDeflate(e.data) : e.data;
        const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), uInt(e.data.size())));
        const uint32_t size = e.declaredSize >= 0 ? uint32_t(e.declaredSize) : uint32_t(e.data.size());
        const uint32_t offset = e.sharedOffset >= 0 ? uint32_t(e.sharedOffset) : uint32_t(file.size() - end.prefix.size());
        std::string local;
        Put32(local, 0x04034B50);
        Put16(local, 20);
        Put16(local, e.flags);
        Put16(local, e.deflate ? 8 : 0);
        Put32(local, e.dosTime);
        Put32(local, crc);
        Put32(local, uint32_t(body.size()));
        Put32(local, size);
        Put16(local, uint32_t(e.name.size()));
        Put16(local, uint32_t(e.extra.size()));
        if (e.sharedOffset < 0)
            file += local + e.name + e.extra + body;

        Put32(central, 0x02014B50);
        Put16(central, e.madeBy);
        Put16(central, 20);
        Put16(central, e.flags);
        Put16(central, e.deflate ? 8 : 0);
        Put32(central, e.dosTime);
        Put32(central, crc);
        Put32(central, uint32_t(body.size()));
        Put32(central, size);
        Put16(central, uint32_t(e.name.size()));
        Put16(central, uint32_t(e.extra.size()));
        Put16(central, 0);
        Put16(central, 0);
        Put16(central, 0);
        Put32(central, e.externalAttributes);
        Put32(central, offset);
        central += e.name + e.extra;
    }
    const uint32_t dirOffset = uint32_t(file.size() - end.prefix.size());
    file += central;
    std::string rec;
    Put32(rec, 0x06054B50);
    Put16(rec, uint32_t(end.thisDisk));
    Put16(rec, uint32_t(end.directoryDisk));
    const uint32_t count = end.totalEntries >= 0 ? uint32_t(end.totalEntries) : uint32_t(entries.size());
    Put16(rec, count);
    Put16(rec, count);
    Put32(rec, end.directorySize >= 0 ? uint32_t(end.directorySize) : uint32_t(central.size()));
    Put32(rec, end.directoryOffset >= 0 ? uint32_t(end.directoryOffset) : dirOffset);
    Put16(rec, uint32_t(end.comment.size()));
    return file + rec + end.comment;
}

} // namespace parvo::test
