#include "widgets/FileOpsWindow.h"

namespace parvo {

FileOpsWindow::FileOpsWindow(Prompts& prompts, QWidget* owner)
    : prompts_(prompts)
    , owner_(owner)
{
}

FileOpOutcome FileOpsWindow::copyFiles(const QStringList& sources, const QString&)
{
    FileOpOutcome outcome;
    outcome.notDone = sources;
    return outcome;
}

FileOpOutcome FileOpsWindow::moveFiles(const QStringList& sources, const QString&)
{
    FileOpOutcome outcome;
    outcome.notDone = sources;
    return outcome;
}

} // namespace parvo
