#pragma once
// Starting things on a freedesktop desktop:
//   - an address ("http:", "mailto:", "file:" …) goes to the desktop's opener (xdg-open);
//   - a shortcut (.lnk) is read and its target started with the shortcut's arguments in
//     its working folder (the target's folder when that is not a folder here);
//   - a desktop entry (.desktop) is started from its whole Exec line, field codes filled,
//     in its Path folder, in a terminal when it asks for one; a link entry opens its URL.
//     Only entries the user trusts run: those of the applications folders, and those the
//     user marked executable on a file system that keeps that mark. Any other one (on a
//     stick, in Downloads, on a share) opens as text, as desktops do;
//   - a program (an executable file that is a binary or a script with "#!") is started;
//   - a bare program name is looked for on the program path;
//   - anything else that exists (documents, folders) goes to the opener. An executable
//     file of another kind is a document too: on FAT and NTFS media every file is
//     marked executable.
// Paths keep the file system's bytes (see menus/NativePath.h), and every argument
// reaches the started program as those bytes. Nothing given to the opener can be read
// as an option.
//
// execute() looks at its target off the calling thread: a shortcut or a file on a mount
// that does not answer never holds up the bar. It reports only what it can refuse at
// once; a start that fails later shows nothing, as the desktop's own launchers do.

#include "platform/Shell.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace parvo {

struct DesktopShellConfig {
    QStringList programPath;                  // where programs are looked for
    QString opener = QStringLiteral("xdg-open");
    QString terminal;                         // the user's choice ($TERMINAL), may be empty
    // The D-Bus connection the file manager is asked on (a QDBusConnection name); empty
    // for the session bus.
    QString busName;
    // The applications folders, whose desktop entries are trusted.
    QStringList applicationDirs;
    // The desktop's plain-text editor (a desktop entry or a program), which opens desktop
    // entries that are not trusted; asked only then.
    std::function<QString()> textEditor;

    static DesktopShellConfig fromEnvironment();
};

// The whole of execute(), on the calling thread: true when something was started.
bool StartLikeTheDesktop(const DesktopShellConfig& config, const QString& path, const QString& parameters,
                         const QString& workingDir);

// Whether a desktop entry may run: it lies in an applications folder, or its owner (the
// user) marked it executable on a file system that keeps such marks (not FAT, exFAT or
// NTFS, where every file may carry them).
bool IsTrustedDesktopEntry(const DesktopShellConfig& config, const QString& path);

class DesktopShell : public Shell {
public:
    explicit DesktopShell(DesktopShellConfig config = DesktopShellConfig::fromEnvironment());

    // -1 for an empty path; else 0, the start being carried out off this thread.
    int execute(const QString& path, const QString& parameters, const QString& workingDir) override;
    // Asks the file manager over D-Bus (org.freedesktop.FileManager1.ShowFolders) when one
    // is running or can be started by the bus; otherwise hands the folder to the opener.
    bool showFolderTree(const QString& folder) override;
    bool openWithDesktop(const QString& pathOrUrl) override;
    // The user's terminal, else the system's default one (x-terminal-emulator), else the
    // first of a few common ones found.
    bool openTerminal(const QString& folder) override;

private:
    DesktopShellConfig config_;
};

} // namespace parvo
