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

    // The program list of an older version becomes the shortcut list before a new,
    // nearly empty one could take its place.
    if (env.links)
        ConvertLegacyLinksFile(folder, *env.links);

    const QString shortcuts = ShortcutListPath(folder);
    if (!QFileInfo::exists(shortcuts)) {
        QStringList names;
        const TextEditorChoice editor = env.findTextEditor ? env.findTextEditor() : TextEditorChoice();
        // The button is named after the editor the desktop uses, as the user knows it.
        QString name = editor.name;
        if (!IsUsableShortcutName(name))
            name = QFileInfo(editor.target).completeBaseName();
        if (!editor.target.isEmpty() && QFileInfo(editor.target).isFile() && IsUsableShortcutName(name) && env.links) {
            if (CreateShortcut(*env.links, nullptr, editor.target, {}, name, ShortcutFilePath(folder, name)))
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
