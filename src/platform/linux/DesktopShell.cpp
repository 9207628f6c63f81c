#include "platform/linux/DesktopShell.h"

#include "menus/Launch.h"
#include "menus/NativePath.h"
#include "platform/linux/DesktopExec.h"
#include "platform/linux/ShellLinkFile.h"
#include "platform/linux/Spawn.h"
#include "platform/linux/TextEditor.h"
#include "platform/linux/XdgDirs.h"
#include "platform/linux/XdgKeyFile.h"
#include "platform/linux/XdgMimeApps.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <optional>
#include <thread>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace parvo {

namespace {

// A shortcut may point at another one; a loop of them must not hang the bar.
constexpr int kMaxShortcutDepth = 4;
// Shortcuts and desktop entries are small; anything larger is not one.
constexpr qint64 kMaxEntryBytes = 1 << 20;

const QString kDesktopEntry = QStringLiteral("Desktop Entry");

// File systems on which every file may carry the executable marks, whoever set them.
constexpr long kExfatMagic = 0x2011BAB0;
constexpr long kNtfsMagic = 0x5346544E;
constexpr long kNtfs3Magic = 0x7366746E;
constexpr long kFuseMagic = 0x65735546; // ntfs-3g and other FUSE file systems

struct PathFacts {
    bool exists = false;
    struct stat st {};
};

PathFacts Stat(const QByteArray& native)
{
    PathFacts f;
    f.exists = stat(native.constData(), &f.st) == 0;
    return f;
}

// The bytes of a small regular file; nothing for anything else (a pipe of that name
// would block the read forever).
std::optional<QByteArray> ReadEntryFile(const QByteArray& native)
{
    const int fd = open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st;
    QByteArray bytes;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxEntryBytes) {
        bytes.resize(qsizetype(st.st_size));
        qsizetype got = 0;
        while (got < bytes.size()) {
            const ssize_t n = read(fd, bytes.data() + got, size_t(bytes.size() - got));
            if (n <= 0)
                break;
            got += n;
        }
        bytes.truncate(got);
        close(fd);
        return bytes;
    }
    close(fd);
    return std::nullopt;
}

// An executable file the system can start by itself: a binary or a script that names its
// interpreter.
bool IsProgramFile(const QByteArray& native, const PathFacts& facts)
{
    if (!S_ISREG(facts.st.st_mode) || access(native.constData(), X_OK) != 0)
        return false;
    const int fd = open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    char head[4] = {};
    const ssize_t n = read(fd, head, sizeof head);
    close(fd);
    const QByteArrayView h(head, n > 0 ? n : 0);
    return h.startsWith("#!") || h == QByteArrayView("\x7f" "ELF", 4);
}

QString FindProgram(const DesktopShellConfig& c, const QString& name)
{
    if (name.isEmpty())
        return {};
    if (name.contains(u'/')) {
        const QByteArray native = EncodeFileName(name);
        const PathFacts f = Stat(native);
        return f.exists && S_ISREG(f.st.st_mode) && access(native.constData(), X_OK) == 0 ? name : QString();
    }
    return c.programPath.isEmpty() ? QString() : QStandardPaths::findExecutable(name, c.programPath);
}

QString FindTerminal(const DesktopShellConfig& c)
{
    if (const QString chosen = FindProgram(c, c.terminal); !chosen.isEmpty())
        return chosen;
    for (const char* name : {"x-terminal-emulator", "konsole", "gnome-terminal", "xfce4-terminal", "mate-terminal",
                             "lxterminal", "qterminal", "terminator", "xterm"}) {
        if (const QString found = FindProgram(c, QString::fromLatin1(name)); !found.isEmpty())
            return found;
    }
    return {};
}

bool Spawn(const QString& program, const QStringList& arguments, const QString& workingDir)
{
    QList<QByteArray> argv{EncodeFileName(program)};
    for (const QString& a : arguments)
        argv += EncodeFileName(a);
    return SpawnDetached(argv, EncodeFileName(workingDir));
}

// A path or an address as the opener must get it: an address as it stands, a path made
// absolute, so that neither can begin with "-".
std::optional<QString> OpenerArgument(const QString& pathOrUrl)
{
    if (pathOrUrl.isEmpty() || pathOrUrl.startsWith(u'-'))
        return std::nullopt;
    if (HasScheme(pathOrUrl) || pathOrUrl.startsWith(u'/'))
        return pathOrUrl;
    return QDir::current().absoluteFilePath(pathOrUrl);
}

bool OpenWithOpener(const DesktopShellConfig& c, const QString& pathOrUrl)
{
    const auto argument = OpenerArgument(pathOrUrl);
    const QString opener = FindProgram(c, c.opener);
    return argument && !opener.isEmpty() && Spawn(opener, {*argument}, {});
}

bool IsWithin(const QString& path, const QString& folder)
{
    const QString f = QDir::cleanPath(folder);
    return !f.isEmpty() && QDir::cleanPath(path).startsWith(f + u'/');
}

bool StartDesktopEntry(const DesktopShellConfig& c, const QString& path, const QByteArray& bytes,
                       const QString& parameters, const QString& workingDir)
{
    const XdgKeyFile entry = XdgKeyFile::parse(bytes);
    if (!entry.hasGroup(kDesktopEntry))
        return false;
    const auto value = [&](const char* key) {
        return entry.value(kDesktopEntry, QString::fromLatin1(key)).value_or(QString());
    };
    const QString type = value("Type");
    if (type == u"Link") {
        const QString url = value("URL");
        return !url.isEmpty() && OpenWithOpener(c, url);
    }
    if (type != u"Application")
        return false;

    DesktopEntryFacts facts;
    facts.icon = value("Icon");
    facts.name = value("Name");
    facts.location = path;
    QStringList arguments = ExpandDesktopExec(value("Exec"), QProcess::splitCommand(parameters), facts);
    if (DesktopExecProgram(arguments, c.programPath).isEmpty())
        return false;
    // The first word may be "env" in front of the program; it is started as written.
    const QString program = FindProgram(c, arguments.takeFirst());
    if (program.isEmpty())
        return false;

    QString folder = value("Path");
    if (folder.isEmpty())
        folder = workingDir;
    if (entry.boolValue(kDesktopEntry, QStringLiteral("Terminal"))) {
        const QString terminal = FindTerminal(c);
        return !terminal.isEmpty() && Spawn(terminal, QStringList{QStringLiteral("-e"), program} + arguments, folder);
    }
    return Spawn(program, arguments, folder);
}

bool Start(const DesktopShellConfig& c, const QString& path, const QString& parameters, const QString& workingDir,
           int depth)
{
    if (path.isEmpty() || depth > kMaxShortcutDepth)
        return false;
    if (HasScheme(path))
        return OpenWithOpener(c, path);

    const QByteArray native = EncodeFileName(path);
    const PathFacts facts = Stat(native);
    if (!facts.exists) {
        // A bare name is a program on the path, as on the command line.
        if (path.contains(u'/'))
            return false;
        const QString program = FindProgram(c, path);
        return !program.isEmpty() && Spawn(program, QProcess::splitCommand(parameters), workingDir);
    }

    const QString absolute = path.startsWith(u'/') ? path : QDir::current().absoluteFilePath(path);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (S_ISREG(facts.st.st_mode) && suffix == u"lnk") {
        const auto bytes = ReadEntryFile(native);
        const auto link = bytes ? DecodeShellLink(*bytes, QFileInfo(absolute).absolutePath()) : std::nullopt;
        if (!link)
            return false;
        QString arguments = link->arguments;
        if (!parameters.isEmpty())
            arguments += (arguments.isEmpty() ? QString() : QStringLiteral(" ")) + parameters;
        // A shortcut made on another system may name a working folder that is not here.
        QString folder = link->workingDir;
        if (!IsFolderPath(folder))
            folder = QFileInfo(link->target).path();
        return Start(c, link->target, arguments, folder, depth + 1);
    }
    if (S_ISREG(facts.st.st_mode) && suffix == u"desktop") {
        if (!IsTrustedDesktopEntry(c, absolute)) {
            // Shown as what it is, text, in the desktop's editor.
            const QString editor = c.textEditor ? c.textEditor() : QString();
            return !editor.isEmpty() && Start(c, editor, QuoteArgument(absolute), workingDir, depth + 1);
        }
        const auto bytes = ReadEntryFile(native);
        return bytes && StartDesktopEntry(c, absolute, *bytes, parameters, workingDir);
    }
    if (IsProgramFile(native, facts))
        return Spawn(absolute, QProcess::splitCommand(parameters), workingDir);
    return OpenWithOpener(c, absolute);
}

} // namespace

DesktopShellConfig DesktopShellConfig::fromEnvironment()
{
    DesktopShellConfig c;
    const XdgDirs dirs = XdgDirs::fromEnvironment();
    c.programPath = dirs.programPath;
    c.terminal = qEnvironmentVariable("TERMINAL");
    c.applicationDirs = XdgApplicationDirs(dirs);
    c.textEditor = [dirs] { return FindTextEditor(dirs).target; };
    return c;
}

bool IsTrustedDesktopEntry(const DesktopShellConfig& config, const QString& path)
{
    for (const QString& folder : config.applicationDirs) {
        if (IsWithin(path, folder))
            return true;
    }
    const QByteArray native = EncodeFileName(path);
    struct stat st;
    struct statfs fs;
    if (stat(native.constData(), &st) != 0 || statfs(native.constData(), &fs) != 0)
        return false;
    const long type = long(fs.f_type);
    const bool keepsMarks = type != MSDOS_SUPER_MAGIC && type != kExfatMagic && type != kNtfsMagic
        && type != kNtfs3Magic && type != kFuseMagic;
    return keepsMarks && st.st_uid == geteuid() && (st.st_mode & S_IXUSR);
}

bool StartLikeTheDesktop(const DesktopShellConfig& config, const QString& path, const QString& parameters,
                         const QString& workingDir)
{
    return Start(config, path, parameters, workingDir, 0);
}

DesktopShell::DesktopShell(DesktopShellConfig config) : config_(std::move(config)) {}

int DesktopShell::execute(const QString& path, const QString& parameters, const QString& workingDir)
{
    if (path.isEmpty())
        return -1;
    try {
        std::thread([config = config_, path, parameters, workingDir] {
            StartLikeTheDesktop(config, path, parameters, workingDir);
        }).detach();
    } catch (const std::system_error&) {
        return -1;
    }
    return 0;
}

bool DesktopShell::openWithDesktop(const QString& pathOrUrl)
{
    return OpenWithOpener(config_, pathOrUrl);
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
            // The URL carries the folder's bytes, whatever they are.
            const QString url = QStringLiteral("file://")
                + QString::fromLatin1(EncodeFileName(folder).toPercentEncoding(QByteArrayLiteral("/")));
            call << QStringList{url} << QString();
            // Sent without waiting: a file manager that starts slowly must not hold up the bar.
            if (bus.send(call))
                return true;
        }
    }
    return OpenWithOpener(config_, folder);
}

bool DesktopShell::openTerminal(const QString& folder)
{
    if (!IsFolderPath(folder))
        return false;
    const QString terminal = FindTerminal(config_);
    return !terminal.isEmpty() && Spawn(terminal, {}, folder);
}

} // namespace parvo
