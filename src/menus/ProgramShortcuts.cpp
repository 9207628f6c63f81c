#include "menus/ProgramShortcuts.h"

#include "app/DataFilePath.h"
#include "platform/Prompts.h"
#include "platform/ShellLinks.h"

#include <QFileInfo>

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

} // namespace parvo
