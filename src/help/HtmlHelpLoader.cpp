#include "help/HtmlHelpLoader.h"

#include "menus/MakerAddresses.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"

namespace parvo {

HtmlHelpLoader::HtmlHelpLoader(FindEntry find, Prompts& prompts, Shell& shell)
    : find_(std::move(find)), prompts_(prompts), shell_(shell)
{
}

HtmlHelpLoader::~HtmlHelpLoader()
{
    // The viewer's windows go while the application they belong to is still there.
    if (entry_)
        entry_(0, nullptr, HH_CLOSE_ALL, 0);
}

qint32 HtmlHelpLoader::operator()(HelpWindow owner, const QString& topic, quint32 command, quint32 data)
{
    // Looked for again at every request until found: a viewer put back while the bar
    // runs is used at once.
    if (!entry_ && find_)
        entry_ = find_();
    if (entry_) {
        const QByteArray address = topic.toUtf8();
        return static_cast<qint32>(entry_(owner, address.constData(), command, data));
    }
    prompts_.beep();
    if (!downloadOffered_ && prompts_.askOkCancel(MissingViewerText()) == PromptAnswer::Ok) {
        shell_.openWithDesktop(HelpViewerDownloadPage());
        downloadOffered_ = true;
    }
    return -1;
}

QString MissingViewerText()
{
    return QStringLiteral("Unable to load \"" HTML_HELP_LIBRARY "\" library !!!\n"
                          "The help viewer \"" HTML_HELP_LIBRARY "\" belongs in Parvo's program folder;\n"
                          "reinstalling Parvo puts it back.\n"
                          "Press OK Button to open the Parvo download page.");
}

QString HelpAddress(const QString& helpFile, const QString& topic)
{
    if (topic.isEmpty())
        return helpFile;
    return topic.startsWith(QLatin1String("::")) ? helpFile + topic : helpFile + QStringLiteral("::") + topic;
}

} // namespace parvo
