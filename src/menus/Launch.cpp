#include "menus/Launch.h"

#include "app/StringTable.h"
#include "menus/NativePath.h"
#include "menus/OffThread.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"

#include <QCoreApplication>
#include <QTimer>

#include <memory>

namespace parvo {

namespace {

// One opening of a folder, carried from the answer of the test to the next.
struct FolderOpening {
    Shell& shell;
    Prompts& prompts;
    int explorer;
    QString path;
    std::function<void(bool)> done;

    void finish(bool opened) const
    {
        if (done)
            done(opened);
    }
};

bool ShowFolder(Shell& shell, int explorer, const QString& path)
{
    switch (explorer) {
    case 1: return shell.showFolderTree(path);
    case 2: return shell.openWithDesktop(path);
    default: return false;
    }
}

void AskForFolder(const std::shared_ptr<FolderOpening>& opening);

void Answered(const std::shared_ptr<FolderOpening>& opening, bool isFolder)
{
    if (isFolder) {
        opening->finish(ShowFolder(opening->shell, opening->explorer, opening->path));
        return;
    }
    if (opening->prompts.askRetryCancel(Str(100) + QLatin1Char(' ') + Str(102)) == PromptAnswer::Retry)
        AskForFolder(opening);
    else
        opening->finish(false);
}

void AskForFolder(const std::shared_ptr<FolderOpening>& opening)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        Answered(opening, IsFolderPath(opening->path));
        return;
    }
    // The first of the answer and the deadline decides; the other is ignored.
    auto decided = std::make_shared<bool>(false);
    const auto answer = [opening, decided](bool isFolder) {
        if (std::exchange(*decided, true))
            return;
        Answered(opening, isFolder);
    };
    const QString path = opening->path;
    RunOffThread<bool>(app, [path] { return IsFolderPath(path); }, answer);
    QTimer::singleShot(kFolderTestMs, app, [answer] { answer(false); });
}

} // namespace

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

bool HasScheme(const QString& address)
{
    const qsizetype colon = address.indexOf(QLatin1Char(':'));
    if (colon < 2 || !address.at(0).isLetter() || address.at(0).unicode() > 0x7F)
        return false;
    for (qsizetype i = 1; i < colon; ++i) {
        const QChar c = address.at(i);
        if (c.unicode() > 0x7F || !(c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('-')
                                    || c == QLatin1Char('.')))
            return false;
    }
    return true;
}

int OpenInBrowser(Shell& shell, const QString& browserCommand, const QString& address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('-')))
        return -1;
    if (!browserCommand.isEmpty() && ShellRun(shell, browserCommand, QStringLiteral("-- ") + QuoteArgument(address)) == 0)
        return 0;
    // Then only the desktop's opener of addresses, and only for an address: a word or a
    // path handed to the routine that starts programs would run whatever it names.
    if (!HasScheme(trimmed))
        return -1;
    return shell.openWithDesktop(trimmed) ? 0 : -1;
}

void OpenFolder(Shell& shell, Prompts& prompts, int explorer, const QString& path, std::function<void(bool)> done)
{
    AskForFolder(std::make_shared<FolderOpening>(FolderOpening{shell, prompts, explorer, path, std::move(done)}));
}

} // namespace parvo
