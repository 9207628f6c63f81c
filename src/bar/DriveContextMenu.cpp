#include "bar/DriveContextMenu.h"

#include "app/StringTable.h"
#include "menus/Launch.h"
#include "platform/Shell.h"

#include <limits>

namespace parvo {

namespace {

// Texts of the menu in the string table.
constexpr int kOpenText = 89;
constexpr int kTerminalText = 90;
constexpr int kEjectText = 91;
constexpr int kFreeSpaceText = 92; // two "%s": free space, total size

QString formatSize(quint64 bytes, const QLocale& locale)
{
    return locale.formattedDataSize(qint64(qMin<quint64>(bytes, quint64(std::numeric_limits<qint64>::max()))), 1,
                                    QLocale::DataSizeTraditionalFormat);
}

} // namespace

QString FreeSpaceCaption(const QString& pattern, const DriveSpace& space, const QLocale& locale)
{
    QString out = pattern;
    const QString placeholder = QStringLiteral("%s");
    qsizetype at = 0;
    for (const quint64 bytes : {space.freeBytes, space.totalBytes}) {
        at = out.indexOf(placeholder, at);
        if (at < 0)
            break;
        const QString size = formatSize(bytes, locale);
        out.replace(at, placeholder.size(), size);
        at += size.size();
    }
    return out;
}

QList<DriveContextItem> DriveContextMenu(const DriveInfo& drive, const Drives& drives, const QLocale& locale)
{
    QList<DriveContextItem> items{
        {DriveMenuAction::Open, Str(kOpenText), true},
        {DriveMenuAction::OpenTerminal, Str(kTerminalText), true},
    };
    if (drive.isRemovableMedia())
        items.append({DriveMenuAction::Eject, Str(kEjectText), true});
    if (const auto space = drives.space(drive.root)) {
        items.append({DriveMenuAction::Separator, {}, true});
        items.append({DriveMenuAction::FreeSpace, FreeSpaceCaption(Str(kFreeSpaceText), *space, locale), false});
    }
    return items;
}

bool RunDriveMenuAction(DriveMenuAction action, const DriveInfo& drive, Shell& shell, Drives& drives,
                        Prompts& prompts, int explorer)
{
    switch (action) {
    case DriveMenuAction::Open:
        OpenFolder(shell, prompts, explorer, drive.root); // looked for off the interface thread
        return true;
    case DriveMenuAction::OpenTerminal: return shell.openTerminal(drive.root);
    case DriveMenuAction::Eject: return drive.isRemovableMedia() && drives.eject(drive.root);
    case DriveMenuAction::Separator:
    case DriveMenuAction::FreeSpace: return false;
    }
    return false;
}

} // namespace parvo
