#pragma once
// The branding records of "data1.mke": title, web address, colours, web links and the
// search template. The file is a plain run of 202-byte records, each two length-prefixed
// 101-byte strings (Key, Value), stored in a scrambled form that two character-pair
// tables undo. With n records: record 0 is the home label and address, records 1 … n−4
// the web links, n−3 the title and web-label text, n−2 the colours, n−1 the banner link
// and the search template.
//
// Every reader opens the file afresh, reads only what it needs and never caches: the
// main menu reads the web links at every opening, and a file replaced while the bar runs
// is picked up at once. No reader throws or reports; each has its own fallback.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <utility>

namespace parvo {

inline constexpr int kBrandingFieldSize = 101;
inline constexpr int kBrandingRecordSize = 2 * kBrandingFieldSize;
// Longest text a field holds, in stored bytes; a larger length byte is read as this.
inline constexpr int kBrandingTextMax = kBrandingFieldSize - 1;

// One pair of a character-pair table: (first, second).
using CharPair = std::pair<char, char>;

enum class PairDirection {
    Forward, // a character equal to a pair's first becomes its second
    Reverse  // a character equal to a pair's second becomes its first
};

// Replaces, position by position, the character matching the first pair of the table
// (in table order) that fits the direction. A replaced position is not looked at again,
// so a chain of pairs never carries one character along more than one step.
void SwapPairs(QByteArray& text, std::span<const CharPair> table, PairDirection direction);

// Stored bytes of one field → text (both tables undone, then UTF-8, the system code page).
QString DecodeBrandingText(const QByteArray& stored);
// Text → stored bytes; the exact inverse of DecodeBrandingText. No length limit here.
QByteArray EncodeBrandingText(const QString& text);

// Record n−3: title := Key, address := Value. On failure title := empty and address
// keeps what it held.
void ReadTitleAndAddress(const QString& path, QString& title, QString& address);

// Record 0: label := Key, address := Value. On failure address := empty and label keeps
// what it held.
void ReadHome(const QString& path, QString& label, QString& address);

// Record n−2. which 1: the number before the first "|" of Key, 2: the number after it,
// 3: the number in Value; anything else 0. Numbers are decimal, or hexadecimal after a
// leading "$". Anything missing or unparsable gives 0 (black).
int ReadColour(const QString& path, int which);

// Lines "caption=address": first the home label with the root of the home site, then
// records 1 … n−4 with their full addresses. Nothing when the file cannot be read or
// holds fewer than two records; the caller treats that as a broken installation.
std::optional<QStringList> ReadWebLinks(const QString& path);

// The search template of record n−1 with each "|" replaced by the words, their blanks
// turned to "+". Empty on failure.
QString ReadSearchUrl(const QString& path, const QString& words);

// The banner link (Key of record n−1). Empty on failure.
QString ReadSearchSite(const QString& path);

// The root of a site address: scheme, "://", host and "/" ("http://" assumed when there
// is no scheme). An address of a bare scheme gives the scheme and "://" alone.
QString SiteRoot(const QString& address);

// The whole file for these records, (Key, Value) in order. A text whose stored form is
// longer than 100 bytes is refused: the result is empty and *error says which one.
QByteArray EncodeBrandingRecords(const QList<QPair<QString, QString>>& records,
                                 QString* error = nullptr);

} // namespace parvo
