#include "bar/DriveContextMenu.h"

#include "app/StringTable.h"
#include "menus/Launch.h"
#include "menus/OffThread.h"
#include "platform/Shell.h"

#include <QCoreApplication>

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

QList<DriveContextItem> DriveContextMenu(const DriveInfo& drive, const std::optional<DriveSpace>& space,
                                         const QLocale& locale)
{
    QList<DriveContextItem> items{
        {DriveMenuAction::Open, Str(kOpenText), true},
        {DriveMenuAction::OpenTerminal, Str(kTerminalText), true},
    };
    if (drive.isRemovableMedia())
        items.append({DriveMenuAction::Eject, Str(kEjectText), true});
    if (space) {
        items.append({DriveMenuAction::Separator, {}, true});
        items.append({DriveMenuAction::FreeSpace, FreeSpaceCaption(Str(kFreeSpaceText), *space, locale), false});
    }
    return items;
}

void RunDriveMenuAction(DriveMenuAction action, const DriveInfo& drive, Shell& shell, Drives& drives,
                        Prompts& prompts, int explorer, std::function<void(bool)> done)
{
    const auto report = [done](bool carriedOut) {
        if (done)
            done(carriedOut);
    };
    const QString root = drive.root;
    QCoreApplication* app = QCoreApplication::instance();
    switch (action) {
    case DriveMenuAction::Open:
        OpenFolder(shell, prompts, explorer, root); // looked for off the interface thread
        report(true);
        return;
    case DriveMenuAction::OpenTerminal:
        RunOffThread<bool>(app, [&shell, root] { return shell.openTerminal(root); }, report);
        return;
    case DriveMenuAction::Eject:
        if (!drive.isRemovableMedia())
            break;
        RunOffThread<bool>(app, [&drives, root] { return drives.eject(root); }, report);
        return;
    case DriveMenuAction::Separator:
    case DriveMenuAction::FreeSpace: break;
    }
    report(false);
}

} // namespace parvo
