#include "settings/FirstRunSetup.h"

#include "menus/ProgramShortcuts.h"
#include "settings/ListFile.h"
#include "settings/ListFiles.h"
#include "settings/ShortcutList.h"

#include <QDir>
#include <QFileInfo>

namespace parvo {

void RunFirstSetup(const FirstRunEnvironment& env)
{
    const QString& folder = env.programFolder;
    QDir().mkpath(DataFolder(folder));
    QDir().mkpath(LinksFolder(folder));

    const QString shortcuts = ShortcutListPath(folder);
    if (!QFileInfo::exists(shortcuts)) {
        QStringList names;
        const QString editorPath = env.findTextEditor ? env.findTextEditor() : QString();
        const QFileInfo editor(editorPath);
        if (!editorPath.isEmpty() && editor.isFile() && env.links) {
            // The button is named after the editor the desktop uses, as the user knows it.
            const QString name = editor.completeBaseName();
            if (CreateShortcut(*env.links, nullptr, editorPath, {}, name, ShortcutFilePath(folder, name)))
                names.append(name);
        }
        WriteListFile(shortcuts, ShortcutsHeader(), names);
    }

    const QString efolder = ListFilePath(folder, QStringLiteral("efolder"));
    if (!QFileInfo::exists(efolder)) {
        QStringList entries;
        if (!env.winFolderList.isEmpty())
            entries.append(env.winFolderList.first());
        WriteListFile(efolder, QStringLiteral("// efolder - Parvo - Do not change this file!"), entries);
    }
}

} // namespace parvo
