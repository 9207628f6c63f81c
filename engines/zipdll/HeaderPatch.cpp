#include "HeaderPatch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace parvo::engine {

namespace {

constexpr uint32_t EndSignature = 0x06054B50;
constexpr uint32_t Zip64LocatorSignature = 0x07064B50;
constexpr uint32_t Zip64EndSignature = 0x06064B50;
constexpr uint32_t CentralSignature = 0x02014B50;
// Made on Unix by a writer of version 3.0 of the format's tools.
constexpr uint16_t MadeBy = (3 << 8) | 30;

uint16_t Get16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Get32(const unsigned char* p) { return uint32_t(Get16(p)) | (uint32_t(Get16(p + 2)) << 16); }
uint64_t Get64(const unsigned char* p) { return uint64_t(Get32(p)) | (uint64_t(Get32(p + 4)) << 32); }
void Put16(unsigned char* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }

bool ReadAt(int fd, void* into, size_t size, off_t at)
{
    auto* p = static_cast<unsigned char*>(into);
    while (size > 0) {
        const ssize_t n = ::pread(fd, p, size, at);
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
        at += n;
    }
    return true;
}

bool WriteAt(int fd, const void* from, size_t size, off_t at)
{
    const auto* p = static_cast<const unsigned char*>(from);
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, p, size, at);
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
        at += n;
    }
    return true;
}

// The local header offset of a central entry, from its zip64 extra field when needed.
uint64_t LocalOffset(const unsigned char* h, const unsigned char* extra, uint16_t extraLength)
{
    const uint32_t offset = Get32(h + 42);
    if (offset != 0xFFFFFFFF)
        return offset;
    size_t i = 0;
    while (i + 4 <= extraLength) {
        const uint16_t id = Get16(extra + i);
        const uint16_t size = Get16(extra + i + 2);
        if (id == 0x0001) {
            size_t at = i + 4;
            if (Get32(h + 24) == 0xFFFFFFFF)
                at += 8;
            if (Get32(h + 20) == 0xFFFFFFFF)
                at += 8;
            return at + 8 <= i + 4 + size && at + 8 <= extraLength ? Get64(extra + at) : UINT64_MAX;
        }
        i += 4 + size;
    }
    return UINT64_MAX;
}

} // namespace

unsigned LevelFlags(int level)
{
    if (level >= 8)
        return 0x2;
    if (level == 2)
        return 0x4;
    if (level == 1)
        return 0x6;
    return 0;
}

bool PatchHeaders(int fd, const std::map<std::string, EntryFix>& fixes)
{
    if (fixes.empty())
        return true;
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_size < 22)
        return false;
    const off_t size = st.st_size;
    // libzip writes the comment it was given; the end record is found as any reader would.
    const off_t tail = std::min<off_t>(size, 65535 + 22);
    std::vector<unsigned char> end(static_cast<size_t>(tail));
    if (!ReadAt(fd, end.data(), end.size(), size - tail))
        return false;
    off_t endPos = -1;
    for (off_t i = tail - 22; i >= 0; --i) {
        if (Get32(&end[size_t(i)]) == EndSignature) {
            endPos = size - tail + i;
            break;
        }
    }
    if (endPos < 0)
        return false;
    const unsigned char* e = &end[size_t(endPos - (size - tail))];
    uint64_t dirSize = Get32(e + 12);
    uint64_t dirOffset = Get32(e + 16);
    unsigned char locator[20];
    if (endPos >= 20 && ReadAt(fd, locator, 20, endPos - 20) && Get32(locator) == Zip64LocatorSignature) {
        unsigned char rec[56];
        if (!ReadAt(fd, rec, 56, off_t(Get64(locator + 8))) || Get32(rec) != Zip64EndSignature)
            return false;
        dirSize = Get64(rec + 40);
        dirOffset = Get64(rec + 48);
    }
    if (dirOffset + dirSize > uint64_t(size))
        return false;
    std::vector<unsigned char> dir(static_cast<size_t>(dirSize));
    if (!ReadAt(fd, dir.data(), dir.size(), off_t(dirOffset)))
        return false;

    size_t at = 0;
    while (at + 46 <= dir.size()) {
        unsigned char* h = &dir[at];
        if (Get32(h) != CentralSignature)
            return false;
        const uint16_t nameLength = Get16(h + 28);
        const uint16_t extraLength = Get16(h + 30);
        const uint16_t commentLength = Get16(h + 32);
        const size_t next = at + 46 + nameLength + extraLength + commentLength;
        if (next > dir.size())
            return false;
        const std::string name(reinterpret_cast<const char*>(h + 46), nameLength);
        const auto fix = fixes.find(name);
        if (fix != fixes.end()) {
            Put16(h + 4, MadeBy);
            Put16(h + 36, uint16_t((Get16(h + 36) & ~1u) | (fix->second.text ? 1u : 0u)));
            const bool deflated = Get16(h + 10) == 8;
            const uint16_t flags = uint16_t((Get16(h + 8) & ~0x6u) | (deflated ? LevelFlags(fix->second.level) : 0u));
            Put16(h + 8, flags);
            const uint64_t local = LocalOffset(h, h + 46 + nameLength, extraLength);
            unsigned char localFlags[2];
            if (local == UINT64_MAX || !ReadAt(fd, localFlags, 2, off_t(local + 6)))
                return false;
            Put16(localFlags, uint16_t((Get16(localFlags) & ~0x6u) | (flags & 0x6u)));
            if (!WriteAt(fd, localFlags, 2, off_t(local + 6)))
                return false;
        }
        at = next;
    }
    return WriteAt(fd, dir.data(), dir.size(), off_t(dirOffset));
}

} // namespace parvo::engine
