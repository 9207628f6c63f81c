#include "menus/Launch.h"

#include "app/StringTable.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"

#include <QFileInfo>

namespace parvo {

int ShellRun(Shell& shell, const QString& file, const QString& parameters, const QString& directory)
{
    return shell.execute(file, parameters, directory) == 0 ? 0 : -1;
}

bool OpenFolder(Shell& shell, Prompts& prompts, int explorer, const QString& path)
{
    while (!QFileInfo(path).isDir()) {
        if (prompts.askRetryCancel(Str(100) + QLatin1Char(' ') + Str(102)) != PromptAnswer::Retry)
            return false;
    }
    switch (explorer) {
    case 1: return shell.showFolderTree(path);
    case 2: return shell.openWithDesktop(path);
    default: return false;
    }
}

} // namespace parvo
