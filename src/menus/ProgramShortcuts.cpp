#include "menus/ProgramShortcuts.h"

#include "app/DataFilePath.h"
#include "platform/Prompts.h"
#include "platform/ShellLinks.h"
#include "settings/ListFiles.h"
#include "settings/ShortcutList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace parvo {

QString LinksFolder(const QString& programFolder)
{
    return ProgramSubfolder(programFolder, QStringLiteral("links"));
}

QString ShortcutFilePath(const QString& programFolder, const QString& name)
{
    return LinksFolder(programFolder) + name + QStringLiteral(".lnk");
}

bool CreateShortcut(ShellLinks& links, Prompts* prompts, const QString& target, const QString& arguments,
                    const QString& description, const QString& linkPath)
{
    if (QFileInfo(linkPath).suffix().toUpper() != QLatin1String("LNK")) {
        if (prompts)
            prompts->error(QStringLiteral("Error: link path extension must be .LNK"));
        return false;
    }
    ShellLink link;
    link.target = target;
    link.arguments = arguments;
    // The folder part of the target with its separator; a Windows path keeps its own.
    const qsizetype cut = std::max(target.lastIndexOf(QLatin1Char('/')), target.lastIndexOf(QLatin1Char('\\')));
    link.workingDir = cut >= 0 ? target.left(cut + 1) : QString();
    link.description = description;
    return links.write(linkPath, link);
}

std::optional<QString> CopyFileTo(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("Error opening a file ") + source;
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("Error creating a file ") + destination;
    char buffer[8192];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0) {
            out.cancelWriting();
            return QStringLiteral("Error opening a file ") + source;
        }
        if (got == 0)
            break;
        if (out.write(buffer, got) != got) {
            out.cancelWriting();
            return QStringLiteral("Error creating a file ") + destination;
        }
    }
    if (!out.commit())
        return QStringLiteral("Error creating a file ") + destination;
    return std::nullopt;
}

QString ShortcutNameFor(const QString& file)
{
    QString name = QFileInfo(file).fileName();
    // A line break would split the list entry in two.
    name.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (!name.contains(QLatin1Char('.')))
        return name;
    // A desktop entry names its program before its eight-letter extension.
    if (name.endsWith(QLatin1String(".desktop")) && name.size() > 8)
        return name.left(name.size() - 8);
    if (name.size() > 4)
        return name.left(name.size() - 4);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

bool IsUsableShortcutName(const QString& name)
{
    return !name.trimmed().isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\n'))
        && !name.contains(QLatin1Char('\r'));
}

bool UpdateShortcutList(const QString& programFolder, const QString& name, const QString& newName)
{
    // The shortcut file follows the list: a list that could not be changed keeps its
    // button, and the button its shortcut.
    if (!ReplaceShortcutName(programFolder, name, newName))
        return false;
    const QString file = ShortcutFilePath(programFolder, name);
    if (newName.isEmpty())
        QFile::remove(file);
    else if (QFile::exists(file))
        QFile::rename(file, ShortcutFilePath(programFolder, newName));
    return true;
}

bool RenameShortcutFile(const QString& programFolder, const QString& name, const QString& newName)
{
    if (!IsUsableShortcutName(newName))
        return false;
    // QFile::rename never replaces an existing file: a name in use leaves everything as it was.
    return QFile::rename(ShortcutFilePath(programFolder, name), ShortcutFilePath(programFolder, newName));
}

bool RenameProgramShortcut(const QString& programFolder, const QString& name, const QString& newName)
{
    if (!RenameShortcutFile(programFolder, name, newName))
        return false;
    if (!UpdateShortcutList(programFolder, name, newName)) {
        QFile::rename(ShortcutFilePath(programFolder, newName), ShortcutFilePath(programFolder, name));
        return false;
    }
    return true;
}

WrittenShortcut WriteProgramShortcut(ShellLinks& links, const QString& programFolder, const QString& file)
{
    EnsureDataFolder(programFolder);
    QDir().mkpath(LinksFolder(programFolder));
    const QString name = ShortcutNameFor(file);
    const QString linkPath = ShortcutFilePath(programFolder, name);
    if (QFileInfo(file).suffix().toUpper() != QLatin1String("LNK")) {
        if (!CreateShortcut(links, nullptr, file, {}, name, linkPath))
            return {};
    } else if (const auto failure = CopyFileTo(file, linkPath)) {
        return {std::nullopt, *failure};
    }
    return {name, {}};
}

std::optional<QString> AddProgramShortcut(ShellLinks& links, Prompts* prompts, const QString& programFolder,
                                          const QString& file)
{
    const WrittenShortcut written = WriteProgramShortcut(links, programFolder, file);
    if (!written.error.isEmpty() && prompts)
        prompts->error(written.error);
    if (written.name)
        AppendShortcutName(programFolder, *written.name);
    return written.name;
}

DroppedPrograms WriteDroppedPrograms(ShellLinks& links, const QString& programFolder, const QStringList& files)
{
    DroppedPrograms dropped;
    for (const QString& file : files) {
        // A path that is gone would make a button that starts nothing.
        if (!QFileInfo::exists(file))
            continue;
        const WrittenShortcut written = WriteProgramShortcut(links, programFolder, file);
        if (written.name)
            dropped.names.append(*written.name);
        if (!written.error.isEmpty())
            dropped.errors.append(written.error);
    }
    return dropped;
}

} // namespace parvo
