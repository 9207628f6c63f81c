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

QString QuoteArgument(const QString& text)
{
    // Inside double quotes, three quotes stand for one literal quote.
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

int OpenInBrowser(Shell& shell, const QString& browserCommand, const QString& address)
{
    // An address read from a favourite or a list must stay one argument: split into
    // several it could hand the browser options of its own choosing.
    if (!browserCommand.isEmpty() && ShellRun(shell, browserCommand, QuoteArgument(address)) == 0)
        return 0;
    return ShellRun(shell, address);
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
