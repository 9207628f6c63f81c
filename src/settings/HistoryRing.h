#pragma once
// The GO! dialog's histories: web addresses and search words, each kept in a ring of 100
// numbered registry values under the program's key. "Numer" names the next slot.

#include <QString>
#include <QStringList>

namespace parvo {

class Registry;
class SortedTextList;

inline constexpr int HistorySlots = 100;

// Reads the ring of `subkey` ("\\HistoryLinks" or "\\SearchKeywords") in slot order, up
// to the first missing slot. Web addresses go to `completion` without a leading
// "http://"; search words go to `searchWords` unchanged.
void LoadHistoryList(Registry& reg, const QString& subkey, SortedTextList& completion, QStringList& searchWords);

// Stores one entry in the next slot of the ring, wrapping to slot 0 after slot 99.
void AppendHistoryEntry(Registry& reg, const QString& text, const QString& subkey);

} // namespace parvo
