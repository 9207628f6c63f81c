#pragma once
// Drive letters for mount points that stay the same from one run to the next, so that a
// caption, the hidden-drive list and a menu keep meaning the same drive.
//
// The root is always C. Every other mount gets the lowest letter from D on that no
// remembered mount holds, and keeps it; A and B are never given. The letters are
// remembered in the registry, key SOFTWARE\Tessaline\Parvo\Drives, one text value per
// mount point (value name = the mount point, without a trailing "/"):
//   "E"             the mount was there at the last look
//   "E 1700000000"  it has been missing since that time (seconds since 1970, UTC)
// Values of another form, or with a letter outside D to Z, are ignored; of two values
// with the same letter the first listed counts. Since value names compare without regard
// to case, mount points that differ only in case share one value: the second of them gets
// a letter for the moment only.
//
// A mount that is gone keeps its letter reserved, so that it comes back under the same
// letter. Only when all 23 letters are taken does a new mount take the letter of the mount
// missing the longest (on equal times the lower letter goes first), whose value is then
// deleted. When every letter
// belongs to a mount that is there, further mounts get no letter and are not listed.

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace parvo {

class Registry;

inline constexpr char DriveLettersKey[] = "SOFTWARE\\Tessaline\\Parvo\\Drives";

struct LetteredMount {
    QChar letter;
    QString mountPoint; // as given, or as remembered for a mount that is gone
    bool present = false;
    bool operator==(const LetteredMount&) const = default;
};

// Letters for `mountPoints` (the mounts there now, in the order they were mounted), plus
// the remembered mounts that are gone, in letter order. Updates the registry: new letters,
// and the times mounts went missing or came back. `now` is the current time in seconds
// since 1970.
QList<LetteredMount> AssignDriveLetters(Registry& reg, const QStringList& mountPoints, qint64 now);

} // namespace parvo
