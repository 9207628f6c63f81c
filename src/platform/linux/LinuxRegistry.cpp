#include "platform/linux/LinuxRegistry.h"

#include "platform/linux/DesktopExec.h"
#include "platform/linux/XdgKeyFile.h"
#include "platform/linux/XdgMimeApps.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace parvo {

namespace {

const QString kCurrentUser = QStringLiteral("HKEY_CURRENT_USER");
const QString kShellFolders = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
const QString kTypedUrls = QStringLiteral("Software\\Microsoft\\Internet Explorer\\TypedURLs");
const QString kRun = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString kAutostartValue = QStringLiteral("Tessaline Parvo");
const QString kHttp = QStringLiteral("http");
const QString kHttpShell = QStringLiteral("http\\shell");
const QString kHttpOpen = QStringLiteral("http\\shell\\open");
const QString kHttpCommand = QStringLiteral("http\\shell\\open\\command");
const QString kEntryGroup = QStringLiteral("Desktop Entry");

bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool isBelow(const QString& key, const QString& parent)
{
    return key.size() > parent.size() && key[parent.size()] == u'\\' && key.startsWith(parent, Qt::CaseInsensitive);
}

QString fileKey(const QString& normalizedKey)
{
    return normalizedKey.isEmpty() ? kCurrentUser : kCurrentUser + u'\\' + normalizedKey;
}

// The normalised key path, or nothing when the path cannot name a key.
std::optional<QString> normalized(const QString& key)
{
    QString n = RegistryFile::normalizedPath(key);
    if (n.isEmpty() && !key.split(u'\\', Qt::SkipEmptyParts).isEmpty())
        return std::nullopt;
    return n;
}

bool isText(const RegValue& v) { return v.type == RegType::Sz || v.type == RegType::ExpandSz; }

} // namespace

enum class LinuxRegistry::Place {
    File,         // a key of the file
    Ancestor,     // a key above made-up ones: exists; its own values are the file's
    ShellFolders,
    TypedUrls,
    Run,
    Http,         // HKEY_CLASSES_ROOT\http and \http\shell\open: exist, no values
    HttpShell,
    HttpCommand,
    Nowhere,      // below a made-up key, or elsewhere in HKEY_CLASSES_ROOT: no such key
};

LinuxRegistry::LinuxRegistry(QString filePath, XdgDirs dirs)
    : path_(std::move(filePath)), dirs_(std::move(dirs))
{
    QFile f(path_);
    if (!f.exists())
        return;
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning("Cannot read the settings file %s; settings will not be saved", qPrintable(path_));
        readable_ = false;
        return;
    }
    ParsedRegistryFile parsed = RegistryFile::parse(f.readAll());
    file_ = std::move(parsed.file);
    damaged_ = parsed.damaged;
    if (damaged_) {
        qWarning("The settings file %s is damaged; the values that could be read are kept", qPrintable(path_));
        // The next write replaces the damaged file with a clean one, whatever it writes.
        dirty_ = true;
    }
}

std::unique_ptr<LinuxRegistry> LinuxRegistry::forCurrentUser()
{
    XdgDirs dirs = XdgDirs::fromEnvironment();
    QString path = defaultFilePath(dirs);
    return std::make_unique<LinuxRegistry>(std::move(path), std::move(dirs));
}

QString LinuxRegistry::defaultFilePath(const XdgDirs& dirs)
{
    return dirs.configHome + QStringLiteral("/parvo/registry.reg");
}

QString LinuxRegistry::autostartFilePath(const XdgDirs& dirs)
{
    return dirs.configHome + QStringLiteral("/autostart/parvo.desktop");
}

LinuxRegistry::Place LinuxRegistry::placeOf(RegRoot root, const QString& key) const
{
    if (root == RegRoot::ClassesRoot) {
        if (key.isEmpty() || same(key, kHttp) || same(key, kHttpOpen))
            return Place::Http;
        if (same(key, kHttpShell))
            return Place::HttpShell;
        if (same(key, kHttpCommand))
            return Place::HttpCommand;
        return Place::Nowhere;
    }
    const std::pair<const QString&, Place> madeUp[] = {
        {kShellFolders, Place::ShellFolders},
        {kTypedUrls, Place::TypedUrls},
        {kRun, Place::Run},
    };
    bool ancestor = false;
    for (const auto& [path, place] : madeUp) {
        if (same(key, path))
            return place;
        if (isBelow(key, path))
            return Place::Nowhere;
        ancestor = ancestor || key.isEmpty() || isBelow(path, key);
    }
    return ancestor ? Place::Ancestor : Place::File;
}

// --- reading ---------------------------------------------------------------------------

bool LinuxRegistry::keyExists(RegRoot root, const QString& key) const
{
    const auto n = normalized(key);
    if (!n)
        return false;
    switch (placeOf(root, *n)) {
    case Place::File:
        return file_.keyExists(fileKey(*n));
    case Place::Nowhere:
        return false;
    default:
        return true;
    }
}

std::optional<RegValue> LinuxRegistry::value(RegRoot root, const QString& key, const QString& name) const
{
    const auto n = normalized(key);
    if (!n)
        return std::nullopt;
    switch (placeOf(root, *n)) {
    case Place::File:
    case Place::Ancestor:
        return file_.value(fileKey(*n), name);
    case Place::ShellFolders:
        for (const ShellFolder& f : shellFolders()) {
            if (same(f.valueName, name))
                return RegValue::fromText(f.path);
        }
        return std::nullopt;
    case Place::Run:
        return same(name, kAutostartValue) ? autostartValue() : std::nullopt;
    case Place::HttpShell:
        if (name.isEmpty())
            return RegValue::fromText(QStringLiteral("open"));
        return std::nullopt;
    case Place::HttpCommand:
        if (name.isEmpty() && !browserProgram().isEmpty())
            return RegValue::fromText(u'"' + browserProgram() + QStringLiteral("\" \"%1\""));
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

QStringList LinuxRegistry::valueNames(RegRoot root, const QString& key) const
{
    const auto n = normalized(key);
    if (!n)
        return {};
    QStringList names;
    switch (placeOf(root, *n)) {
    case Place::File:
    case Place::Ancestor:
        return file_.valueNames(fileKey(*n));
    case Place::ShellFolders:
        for (const ShellFolder& f : shellFolders())
            names += f.valueName;
        break;
    case Place::Run:
        if (autostartValue())
            names += kAutostartValue;
        break;
    case Place::HttpShell:
        names += QString();
        break;
    case Place::HttpCommand:
        if (!browserProgram().isEmpty())
            names += QString();
        break;
    default:
        break;
    }
    return names;
}

const QList<ShellFolder>& LinuxRegistry::shellFolders() const
{
    if (!shellFolders_)
        shellFolders_ = XdgShellFolders(dirs_);
    return *shellFolders_;
}

const QString& LinuxRegistry::browserProgram() const
{
    if (!browserProgram_) {
        browserProgram_.emplace();
        // Web addresses first; a desktop that names no handler for them usually names a
        // browser for web pages. The desktop entry itself is the program: started whole,
        // its Exec line keeps every argument (a sandboxed browser's among them).
        for (const QString& type : {QStringLiteral("x-scheme-handler/http"), QStringLiteral("text/html")}) {
            const QString desktopFile = DefaultApplicationFile(dirs_, type);
            if (desktopFile.isEmpty())
                continue;
            const auto entry = XdgKeyFile::read(desktopFile);
            const auto exec = entry ? entry->value(kEntryGroup, QStringLiteral("Exec")) : std::nullopt;
            if (exec && !DesktopExecProgram(SplitDesktopExec(*exec), dirs_.programPath).isEmpty()) {
                *browserProgram_ = desktopFile;
                break;
            }
        }
    }
    return *browserProgram_;
}

// --- the autostart entry ---------------------------------------------------------------

std::optional<RegValue> LinuxRegistry::autostartValue() const
{
    const auto entry = XdgKeyFile::read(autostartFilePath(dirs_));
    if (!entry)
        return std::nullopt;
    // An entry the desktop's own settings switched off does not start the program.
    if (entry->boolValue(kEntryGroup, QStringLiteral("Hidden")))
        return std::nullopt;
    const auto enabled = entry->value(kEntryGroup, QStringLiteral("X-GNOME-Autostart-enabled"));
    if (enabled && *enabled == u"false")
        return std::nullopt;
    const QStringList args = SplitDesktopExec(entry->value(kEntryGroup, QStringLiteral("Exec")).value_or(QString()));
    return RegValue::fromText(args.isEmpty() ? QString() : args.front());
}

bool LinuxRegistry::writeAutostart(const QString& program)
{
    const QString path = autostartFilePath(dirs_);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Parvo\n"
                                        "Exec=")
        + XdgKeyFile::escapeValue(QuoteDesktopExecArgument(program))
        + QStringLiteral("\n"
                         "X-GNOME-Autostart-enabled=true\n");
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool LinuxRegistry::removeAutostart()
{
    QFile f(autostartFilePath(dirs_));
    return !f.exists() || f.remove();
}

// --- writing ---------------------------------------------------------------------------

bool LinuxRegistry::createKey(RegRoot root, const QString& key)
{
    const auto n = normalized(key);
    if (!n)
        return false;
    switch (placeOf(root, *n)) {
    case Place::File:
        if (!file_.keyExists(fileKey(*n))) {
            if (!file_.createKey(fileKey(*n)))
                return false;
            dirty_ = true;
        }
        return store();
    case Place::Nowhere:
        return false;
    default:
        return true; // there already
    }
}

bool LinuxRegistry::setValue(RegRoot root, const QString& key, const QString& name, const RegValue& v)
{
    const auto n = normalized(key);
    if (!n)
        return false;
    switch (placeOf(root, *n)) {
    case Place::File:
    case Place::Ancestor:
        if (file_.value(fileKey(*n), name) != v) {
            if (!file_.setValue(fileKey(*n), name, v))
                return false;
            dirty_ = true;
        }
        return store();
    case Place::Run:
        return same(name, kAutostartValue) && isText(v) && writeAutostart(v.text);
    default:
        return false;
    }
}

bool LinuxRegistry::deleteValue(RegRoot root, const QString& key, const QString& name)
{
    const auto n = normalized(key);
    if (!n)
        return false;
    switch (placeOf(root, *n)) {
    case Place::File:
    case Place::Ancestor:
        if (file_.deleteValue(fileKey(*n), name))
            dirty_ = true;
        return store();
    case Place::Run:
        return !same(name, kAutostartValue) || removeAutostart();
    default:
        return false;
    }
}

void LinuxRegistry::beginUpdate()
{
    ++updateDepth_;
}

void LinuxRegistry::endUpdate()
{
    if (updateDepth_ > 0 && --updateDepth_ == 0)
        store();
}

bool LinuxRegistry::store()
{
    if (updateDepth_ > 0 || !dirty_)
        return true;
    return writeFile();
}

bool LinuxRegistry::writeFile()
{
    if (!readable_)
        return false;
    if (damaged_ && !backedUp_ && !backUpDamagedFile())
        return false;
    if (!QDir().mkpath(QFileInfo(path_).path()))
        return false;
    QSaveFile f(path_);
    // Writing in place could leave half a file behind; better not to write at all.
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) {
        qWarning("Cannot write the settings file %s: %s", qPrintable(path_), qPrintable(f.errorString()));
        return false;
    }
    const QByteArray bytes = file_.serialize();
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        qWarning("Cannot write the settings file %s: %s", qPrintable(path_), qPrintable(f.errorString()));
        return false;
    }
    dirty_ = false;
    return true;
}

bool LinuxRegistry::backUpDamagedFile()
{
    if (!QFile::exists(path_)) {
        backedUp_ = true; // the damaged file went away meanwhile: nothing left to keep
        return true;
    }
    const QString base = path_ + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = base;
    // An older backup is never replaced.
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + u'-' + QString::number(n);
    if (!QFile::copy(path_, target)) {
        qWarning("Cannot keep a copy of the damaged settings file %s; it is left as it is", qPrintable(path_));
        return false;
    }
    backupPath_ = target;
    backedUp_ = true;
    return true;
}

} // namespace parvo
