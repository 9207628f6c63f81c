#pragma once
// The menu a right click on a drive button shows: open the drive, open a terminal in it,
// take removable media out, and the drive's free space as a line of information.

#include "platform/Drives.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <functional>
#include <optional>

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
// removable media: sticks, cards, discs), then, when the drive's `space` is known, a
// separator and the free space as a disabled item. Sizes are written for `locale`. The
// items without the space are the first items of those with it, so a menu opened before
// the space is read takes the rest once it is.
QList<DriveContextItem> DriveContextMenu(const DriveInfo& drive, const std::optional<DriveSpace>& space,
                                         const QLocale& locale = QLocale());

// The free-space line: `pattern` with its first "%s" replaced by the free space and its
// second by the total size, both in the units a file manager uses (1024 bytes to the kB), one decimal.
QString FreeSpaceCaption(const QString& pattern, const DriveSpace& space, const QLocale& locale);

// Carries out the chosen item, off the interface thread wherever it touches the disk:
// Open goes through OpenFolder with the `explorer` option (so a drive no longer there
// brings the retry message); Open in a terminal looks for the folder and the terminal;
// Eject asks the system to unmount the medium, which waits for the medium to be written
// out. `done(carried out)` runs on the interface thread once the action has ended (for
// Open: once it was asked for); the informational items do nothing and report false.
// `shell` and `drives` must outlive the action.
void RunDriveMenuAction(DriveMenuAction action, const DriveInfo& drive, Shell& shell, Drives& drives,
                        Prompts& prompts, int explorer, std::function<void(bool)> done = {});

} // namespace parvo
