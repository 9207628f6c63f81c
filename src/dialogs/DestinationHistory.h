#pragma once
// The copy / move dialog's history of destinations: the last ten folders used, oldest
// first, as the values "H0" … "H9" of their registry key, always numbered without gaps.

#include <QString>
#include <QStringList>

namespace parvo {

class Registry;

inline constexpr int DestinationHistorySize = 10;

// The folders of the history, up to the first missing value. Unreadable values end it.
QStringList LoadHistory(Registry& reg);

// Adds `destination` as the newest entry unless it is there already (then it keeps its
// place); the oldest goes when ten are there. Returns the history as written.
QStringList RecordDestination(Registry& reg, const QString& destination);

// A path as the dialog shows and stores it: lower-cased where the file system does not
// care about case, unchanged where a lower-cased path would name nothing.
QString FoldedPath(const QString& path);

} // namespace parvo
