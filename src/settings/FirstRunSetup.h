#pragma once
// The one-time set-up of a new user: the data and links folders, the shortcut list with a
// button for the text editor, and the favourite-folder list holding the desktop.

#include <QString>
#include <QStringList>
#include <functional>

namespace parvo {

class ShellLinks;

struct FirstRunEnvironment {
    QString programFolder;
    ShellLinks* links = nullptr;
    // Finds the full path of the desktop's plain-text editor (empty when there is none).
    // Asked only when the shortcut list is being created, since finding it reads the
    // desktop's application database.
    std::function<QString()> findTextEditor;
    // The special folders as built by LoadWindowsFolders; the first is normally the desktop.
    QStringList winFolderList;
};

// Every step is best effort: a folder or file that cannot be made is skipped.
void RunFirstSetup(const FirstRunEnvironment& env);

} // namespace parvo
