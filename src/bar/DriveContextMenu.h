#pragma once
// The menu a right click on a drive button shows: open the drive, open a terminal in it,
// take removable media out, and the drive's free space as a line of information.

#include "platform/Drives.h"

#include <QList>
#include <QLocale>
#include <QString>

namespace parvo {

class Shell;
class Prompts;

enum class DriveMenuAction { Open, OpenTerminal, Eject, Separator, FreeSpace };

struct DriveContextItem {
    DriveMenuAction action = DriveMenuAction::Separator;
    QString caption;
    bool enabled = true;
    bool operator==(const DriveContextItem&) const = default;
};

// The items for `drive`, top to bottom: Open, Open in a terminal, Eject (only for
// removable media: sticks, cards, discs), then, when the drive can tell it, a separator
// and the free space as a disabled item. Sizes are written for `locale`.
QList<DriveContextItem> DriveContextMenu(const DriveInfo& drive, const Drives& drives,
                                         const QLocale& locale = QLocale());

// The free-space line: `pattern` with its first "%s" replaced by the free space and its
// second by the total size, both in the units a file manager uses (1024 bytes to the kB), one decimal.
QString FreeSpaceCaption(const QString& pattern, const DriveSpace& space, const QLocale& locale);

// Carries out the chosen item. Open goes through OpenFolder with the `explorer` option
// (so a drive no longer there brings the retry message); Eject asks the system to
// unmount the medium. True when the action was carried out (for Open: asked for, since
// the drive is looked for off the interface thread); the informational items do nothing.
bool RunDriveMenuAction(DriveMenuAction action, const DriveInfo& drive, Shell& shell, Drives& drives,
                        Prompts& prompts, int explorer);

} // namespace parvo
