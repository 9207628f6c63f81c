#pragma once
// The name a folder gets when it is added to the favourite folders without one being
// typed (browsing for it, dropping it on the list): its last component and the letter of
// its drive, "Tools [D]", or, for a drive's own root, "[ " + path + " ]".

#include "platform/Drives.h"

#include <QList>
#include <QString>

namespace parvo {

// The drive holding `path`: the present drive whose root is the longest leading part of
// it. Nothing when no drive holds it.
std::optional<DriveInfo> DriveHolding(const QString& path, const QList<DriveInfo>& drives);

// The derived name of `path` among `drives`. A path with no drive that holds it keeps
// its last component alone.
QString DerivedFolderName(const QString& path, const QList<DriveInfo>& drives);

// True when a name and a folder can be stored as one line of a list file and read back
// unchanged: the name holds no "|", the folder no ">", and neither a line break.
bool IsStorableFolderEntry(const QString& name, const QString& path);

} // namespace parvo
