#include "help/HelpViewerLibrary.h"

#include <QFileInfo>
#include <QLibrary>

namespace parvo {

HelpViewerLibrary::HelpViewerLibrary(QString programFolder) : programFolder_(std::move(programFolder)) {}

HelpViewerLibrary::~HelpViewerLibrary() = default;

HtmlHelpAProc HelpViewerLibrary::findEntry()
{
    if (!library_ || !library_->isLoaded()) {
        QString folder = programFolder_;
        if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        const QString beside = folder + QLatin1String(HTML_HELP_LIBRARY);
        // The library's file name has no "lib" and no ".so": it is given whole, so that
        // QLibrary takes it as it stands.
        library_ = std::make_unique<QLibrary>(QFileInfo::exists(beside) ? beside : QStringLiteral(HTML_HELP_LIBRARY));
        if (!library_->load())
            return nullptr;
    }
    return reinterpret_cast<HtmlHelpAProc>(library_->resolve(HTML_HELP_ENTRY));
}

} // namespace parvo
