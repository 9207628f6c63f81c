#pragma once
// Starting things on a freedesktop desktop:
//   - an address ("http:", "mailto:", "file:" …) goes to the desktop's opener (xdg-open);
//   - a shortcut (.lnk) is read and its target started with the shortcut's arguments in
//     its working folder (the target's folder when that is not a folder here);
//   - a desktop entry (.desktop) is started from its Exec line, field codes removed, in
//     its Path folder, in a terminal when it asks for one; a link entry opens its URL;
//   - a program (an executable file that is a binary or a script with "#!") is started;
//   - a bare program name is looked for on the program path;
//   - anything else that exists (documents, folders) goes to the opener. An executable
//     file of another kind is a document too: on FAT and NTFS media every file is
//     marked executable.
// Everything is started detached and never waited for.

#include "platform/Shell.h"

#include <QString>
#include <QStringList>

namespace parvo {

struct DesktopShellConfig {
    QStringList programPath;                  // where programs are looked for
    QString opener = QStringLiteral("xdg-open");
    QString terminal;                         // the user's choice ($TERMINAL), may be empty
    // The D-Bus connection the file manager is asked on (a QDBusConnection name); empty
    // for the session bus.
    QString busName;

    static DesktopShellConfig fromEnvironment();
};

class DesktopShell : public Shell {
public:
    explicit DesktopShell(DesktopShellConfig config = DesktopShellConfig::fromEnvironment());

    int execute(const QString& path, const QString& parameters, const QString& workingDir) override;
    // Asks the file manager over D-Bus (org.freedesktop.FileManager1.ShowFolders) when one
    // is running or can be started by the bus; otherwise hands the folder to the opener.
    bool showFolderTree(const QString& folder) override;
    bool openWithDesktop(const QString& pathOrUrl) override;
    // The user's terminal, else the system's default one (x-terminal-emulator), else the
    // first of a few common ones found.
    bool openTerminal(const QString& folder) override;

private:
    bool start(const QString& path, const QString& parameters, const QString& workingDir, int depth);
    bool startDesktopEntry(const QString& path, const QString& parameters, const QString& workingDir);
    bool startDetached(const QString& program, const QStringList& arguments, const QString& workingDir) const;
    QString findProgram(const QString& name) const;
    QString findTerminal() const;

    DesktopShellConfig config_;
};

} // namespace parvo
