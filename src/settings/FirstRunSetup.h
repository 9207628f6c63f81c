#pragma once
// The one-time set-up of a new user: the data and links folders, the shortcut list with a
// button for the text editor, and the favourite-folder list holding the desktop.

#include <QString>
#include <QStringList>
#include <functional>

namespace parvo {

class ShellLinks;

// The desktop's plain-text editor, as the first run puts it on the bar.
struct TextEditorChoice {
    QString target; // what its shortcut starts: a desktop entry or a program; empty: none
    QString name;   // the button's name
};

struct FirstRunEnvironment {
    QString programFolder; // the folder that holds the lists (data/) and shortcuts (links/)
    ShellLinks* links = nullptr;
    // Finds the desktop's plain-text editor. Asked only when the shortcut list is being
    // created, since finding it reads the desktop's application database.
    std::function<TextEditorChoice()> findTextEditor;
    // The special folders as built by LoadWindowsFolders; the first is normally the desktop.
    QStringList winFolderList;
};

// Every step is best effort: a folder or file that cannot be made is skipped.
void RunFirstSetup(const FirstRunEnvironment& env);

} // namespace parvo
