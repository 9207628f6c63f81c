#pragma once
// The drives as the bar lists them: the buttons of the drive strip, the drive entries of
// the main menu and of the drive menu, and hiding or showing a drive's button.
//
// A drive is addressed by its root, which on this system is its mount point with a
// trailing "/" ("/", "/media/stick/"): that is the `MenuKey` of its button, the hint of
// its menu entries and the folder it opens at. Its letter only names it (captions, the
// hidden-drive list).

#include "platform/Drives.h"

#include <QList>
#include <QString>
#include <optional>

namespace parvo {

class Registry;
struct BarSettings;

// The drive kind of a drive type: unknown 0, removable 1, fixed 2, remote 3, CD-ROM 4,
// RAM disk 5. Nothing for a drive without a root (type 1) and for unknown codes: such a
// letter gets no button and no entry.
std::optional<int> DriveKind(int driveType);

// The drives that get a button, in letter order: those with a kind whose letter the user
// has not hidden.
QList<DriveInfo> StripDrives(const QList<DriveInfo>& drives, const QString& exceptDrives);

// `MenuKey` while the pointer is over the drive's button: its root.
QString DriveMenuKey(const DriveInfo& drive);
// The hint of the drive's button: string 10 + ": " + its root.
QString DriveButtonHint(const DriveInfo& drive);

// One drive entry of a menu, as the menu builder adds it: caption, hint and the entry
// name that carries the kind letter and the entry number (26 + drive kind), e.g. "x28".
struct DriveMenuEntry {
    QString caption; // string 10 + " " + letter
    QString hint;    // the drive's root
    QString kind;
    bool operator==(const DriveMenuEntry&) const = default;
};

// The drive entries of a menu, in letter order, hidden drives included. Prefix "x"
// (opens the drive) unless `menuKey` is "scrDrive", the drive menu, where a shown drive
// has "y" (ticked) and a hidden one "z" (unticked).
QList<DriveMenuEntry> DriveMenuEntries(const QList<DriveInfo>& drives, const QString& exceptDrives,
                                       const QString& menuKey);

// Hides (`hide` true) or shows again the button of the drive whose root is `path`, and
// stores the hidden-drive list. The drive is found by its root among `drives`; a root in
// the old form (letter, ":" …) names its letter directly. Hiding a hidden drive changes
// nothing; showing one removes every occurrence of its letter, so that a list stored
// with a letter twice cannot keep it hidden. True when the list changed, and the bar
// must be laid out again.
bool ToggleDrive(Registry& reg, BarSettings& bar, const QList<DriveInfo>& drives, bool hide, const QString& path);

} // namespace parvo
