#include "platform/linux/DesktopShell.h"

#include "platform/linux/DesktopExec.h"
#include "platform/linux/ShellLinkFile.h"
#include "platform/linux/XdgDirs.h"
#include "platform/linux/XdgKeyFile.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace parvo {

namespace {

// A shortcut may point at another one; a loop of them must not hang the bar.
constexpr int kMaxShortcutDepth = 4;

const QString kDesktopEntry = QStringLiteral("Desktop Entry");

// "scheme:" with a scheme of two or more characters, so that "C:" stays a path.
bool isAddress(const QString& s)
{
    const qsizetype colon = s.indexOf(u':');
    if (colon < 2 || !s[0].isLetter() || s[0].unicode() > 0x7F)
        return false;
    for (qsizetype i = 1; i < colon; ++i) {
        const QChar c = s[i];
        if (c.unicode() > 0x7F || !(c.isLetterOrNumber() || c == u'+' || c == u'-' || c == u'.'))
            return false;
    }
    return true;
}

// An executable file the system can start by itself: a binary or a script that names its
// interpreter.
bool isProgramFile(const QFileInfo& info)
{
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile f(info.absoluteFilePath());
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(4);
    return head.startsWith("#!") || head == "\x7f" "ELF";
}

} // namespace

DesktopShellConfig DesktopShellConfig::fromEnvironment()
{
    DesktopShellConfig c;
    c.programPath = XdgDirs::fromEnvironment().programPath;
    c.terminal = qEnvironmentVariable("TERMINAL");
    return c;
}

DesktopShell::DesktopShell(DesktopShellConfig config) : config_(std::move(config)) {}

QString DesktopShell::findProgram(const QString& name) const
{
    if (name.isEmpty())
        return {};
    if (name.contains(u'/')) {
        const QFileInfo info(name);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return config_.programPath.isEmpty() ? QString() : QStandardPaths::findExecutable(name, config_.programPath);
}

QString DesktopShell::findTerminal() const
{
    if (const QString chosen = findProgram(config_.terminal); !chosen.isEmpty())
        return chosen;
    for (const char* name : {"x-terminal-emulator", "konsole", "gnome-terminal", "xfce4-terminal", "mate-terminal",
                             "lxterminal", "qterminal", "terminator", "xterm"}) {
        if (const QString found = findProgram(QString::fromLatin1(name)); !found.isEmpty())
            return found;
    }
    return {};
}

bool DesktopShell::startDetached(const QString& program, const QStringList& arguments, const QString& workingDir) const
{
    QProcess p;
    p.setProgram(program);
    p.setArguments(arguments);
    p.setWorkingDirectory(workingDir);
    // The started program has no use for the bar's input.
    p.setStandardInputFile(QProcess::nullDevice());
    return p.startDetached();
}

int DesktopShell::execute(const QString& path, const QString& parameters, const QString& workingDir)
{
    return start(path, parameters, workingDir, 0) ? 0 : -1;
}

bool DesktopShell::start(const QString& path, const QString& parameters, const QString& workingDir, int depth)
{
    if (path.isEmpty())
        return false;
    if (isAddress(path))
        return openWithDesktop(path);

    const QFileInfo info(path);
    if (!info.exists()) {
        // A bare name is a program on the path, as on the command line.
        if (path.contains(u'/'))
            return false;
        const QString program = findProgram(path);
        return !program.isEmpty() && startDetached(program, QProcess::splitCommand(parameters), workingDir);
    }

    const QString suffix = info.suffix().toLower();
    if (info.isFile() && suffix == u"lnk") {
        const auto link = ShellLinkFile().read(info.absoluteFilePath());
        if (!link || depth >= kMaxShortcutDepth)
            return false;
        QString arguments = link->arguments;
        if (!parameters.isEmpty())
            arguments += (arguments.isEmpty() ? QString() : QStringLiteral(" ")) + parameters;
        // A shortcut made on another system may name a working folder that is not here.
        QString folder = link->workingDir;
        if (!QFileInfo(folder).isDir())
            folder = QFileInfo(link->target).path();
        return start(link->target, arguments, folder, depth + 1);
    }
    if (info.isFile() && suffix == u"desktop")
        return startDesktopEntry(info.absoluteFilePath(), parameters, workingDir);
    if (isProgramFile(info))
        return startDetached(info.absoluteFilePath(), QProcess::splitCommand(parameters), workingDir);
    return openWithDesktop(info.absoluteFilePath());
}

bool DesktopShell::startDesktopEntry(const QString& path, const QString& parameters, const QString& workingDir)
{
    const auto entry = XdgKeyFile::read(path);
    if (!entry || !entry->hasGroup(kDesktopEntry))
        return false;
    const QString type = entry->value(kDesktopEntry, QStringLiteral("Type")).value_or(QString());
    if (type == u"Link") {
        const QString url = entry->value(kDesktopEntry, QStringLiteral("URL")).value_or(QString());
        return !url.isEmpty() && openWithDesktop(url);
    }
    if (type != u"Application")
        return false;

    QStringList arguments = SplitDesktopExec(entry->value(kDesktopEntry, QStringLiteral("Exec")).value_or(QString()));
    if (DesktopExecProgram(arguments, config_.programPath).isEmpty())
        return false;
    // The first word may be "env" in front of the program; it is started as written.
    const QString program = findProgram(arguments.takeFirst());
    if (program.isEmpty())
        return false;
    arguments += QProcess::splitCommand(parameters);

    QString folder = entry->value(kDesktopEntry, QStringLiteral("Path")).value_or(QString());
    if (folder.isEmpty())
        folder = workingDir;
    if (entry->boolValue(kDesktopEntry, QStringLiteral("Terminal"))) {
        const QString terminal = findTerminal();
        if (terminal.isEmpty())
            return false;
        return startDetached(terminal, QStringList{QStringLiteral("-e"), program} + arguments, folder);
    }
    return startDetached(program, arguments, folder);
}

bool DesktopShell::openWithDesktop(const QString& pathOrUrl)
{
    const QString opener = findProgram(config_.opener);
    return !pathOrUrl.isEmpty() && !opener.isEmpty() && startDetached(opener, {pathOrUrl}, {});
}

bool DesktopShell::showFolderTree(const QString& folder)
{
    static const QString service = QStringLiteral("org.freedesktop.FileManager1");
    const QDBusConnection bus =
        config_.busName.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(config_.busName);
    if (bus.isConnected() && bus.interface()) {
        QDBusConnectionInterface* names = bus.interface();
        const bool available =
            names->isServiceRegistered(service).value() || names->activatableServiceNames().value().contains(service);
        if (available) {
            QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/FileManager1"),
                                                               service, QStringLiteral("ShowFolders"));
            call << QStringList{QUrl::fromLocalFile(folder).toString()} << QString();
            // Sent without waiting: a file manager that starts slowly must not hold up the bar.
            if (bus.send(call))
                return true;
        }
    }
    return openWithDesktop(folder);
}

bool DesktopShell::openTerminal(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    const QString terminal = findTerminal();
    return !terminal.isEmpty() && startDetached(terminal, {}, folder);
}

} // namespace parvo
