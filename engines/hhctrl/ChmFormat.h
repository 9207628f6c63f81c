#pragma once
// The compiled help container, as far as the writer and the reader here use it.
//
//   file header "ITSF" (version 3, 0x60 bytes): language, two class ids, then the places
//     of header section 0 (0x18 bytes: the file's size), of the directory, and of the
//     content of section 0;
//   directory: header "ITSP" (0x54 bytes), then chunks of one fixed size. Listing chunks
//     "PMGL" hold the entries (name, content section, offset, length) sorted by name
//     without regard to case and are chained front to back; index chunks "PMGI", when
//     there is more than one listing chunk, hold the first name of each chunk below them;
//   content section 0: the stored files, uncompressed, one after the other.
// Numbers are little-endian; inside chunks the variable-length numbers ("encints") carry
// seven bits a byte, most significant first, the top bit set on every byte but the last.

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <optional>

namespace parvo::chm {

inline constexpr quint32 FileHeaderSize = 0x60;
inline constexpr quint32 FileHeaderSizeV2 = 0x58;
inline constexpr quint32 HeaderSection0Size = 0x18;
inline constexpr quint32 DirectoryHeaderSize = 0x54;
inline constexpr quint32 ListingHeaderSize = 0x14;
inline constexpr quint32 IndexHeaderSize = 0x08;
inline constexpr quint32 DefaultChunkSize = 0x1000;
// Every (1 + 2^density)-th entry of a chunk is found through the quick-reference area.
inline constexpr quint32 QuickRefDensity = 2;
// Longest entry name a reader must accept.
inline constexpr quint32 MaxNameLength = 512;
// Content sections: 0 is stored as is.
inline constexpr quint64 UncompressedSection = 0;

inline constexpr std::array<quint8, 16> FileClassId = {0x10, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11,
                                                        0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
inline constexpr std::array<quint8, 16> FileClassId2 = {0x11, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11,
                                                         0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
inline constexpr std::array<quint8, 16> DirectoryClassId = {0x6A, 0x92, 0x02, 0x5D, 0x2E, 0x21, 0xD0, 0x11,
                                                             0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};

// Italian (Italy), the language of the program's pages.
inline constexpr quint32 LanguageItalian = 0x0410;

// The #SYSTEM file: a version number, then records of (code, length, data).
inline constexpr quint32 SystemVersion = 3;
enum SystemCode : quint16 {
    SystemContentsFile = 0,
    SystemIndexFile = 1,
    SystemDefaultTopic = 2,
    SystemTitle = 3,
    SystemLanguage = 4,
    SystemCompiledName = 6,
    SystemCompiler = 9,
};

// Appends `value` as an encint.
void AppendEncInt(QByteArray& out, quint64 value);
// Reads an encint at `pos`, moving `pos` past it; nothing when it runs past `end` or
// does not fit in 64 bits.
std::optional<quint64> ReadEncInt(const char* data, qsizetype& pos, qsizetype end);

void AppendLe16(QByteArray& out, quint16 v);
void AppendLe32(QByteArray& out, quint32 v);
void AppendLe64(QByteArray& out, quint64 v);
quint16 Le16(const char* p);
quint32 Le32(const char* p);
quint64 Le64(const char* p);

// How names are ordered in the directory: byte by byte with ASCII letters folded to lower
// case, the order readers search it in.
int CompareNames(const QByteArray& a, const QByteArray& b);

} // namespace parvo::chm
