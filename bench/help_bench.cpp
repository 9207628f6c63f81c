// Help benchmark: the time from the program's first help request (the viewer library
// loaded, the help file opened and checked, its contents read, the window built) to the
// page painted on screen, as a ratio to a floor measured in the same run: a plain Qt window
// showing the same page and pictures from memory. Offscreen.
//
// usage: help_bench PROGRAM_FOLDER

#include "FakePrompts.h"
#include "FakeShell.h"
#include "help/HelpViewerLibrary.h"
#include "help/HtmlHelpLoader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace parvo;

namespace {

// Notes when a page view (a text browser's viewport) is first painted after it is armed:
// the moment of the paint, not the end of the event processing it happened in.
class PaintWatch : public QObject {
public:
    bool painted = false;
    qint64 at = 0;
    const QElapsedTimer* clock = nullptr;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!painted && event->type() == QEvent::Paint && watched->parent()
            && qobject_cast<QTextBrowser*>(watched->parent())) {
            painted = true;
            at = clock->nsecsElapsed();
        }
        return false;
    }
};

qint64 UntilPainted(PaintWatch& watch, const QElapsedTimer& t)
{
    watch.clock = &t;
    while (!watch.painted)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return watch.at;
}

// A text browser whose pictures (and style sheet) come from memory, decoded when the page
// asks for them.
class MemoryBrowser : public QTextBrowser {
public:
    explicit MemoryBrowser(QWidget* parent, const QHash<QString, QByteArray>& pictures)
        : QTextBrowser(parent), pictures_(pictures)
    {
    }
    QVariant loadResource(int type, const QUrl& url) override
    {
        const auto it = pictures_.constFind(url.toString());
        if (it == pictures_.cend())
            return QTextBrowser::loadResource(type, url);
        if (type == QTextDocument::ImageResource)
            return QImage::fromData(*it);
        return QString::fromUtf8(*it);
    }

private:
    const QHash<QString, QByteArray>& pictures_;
};

// The plain window: the same page and pictures, from memory.
qint64 Floor(PaintWatch& watch, const QByteArray& page, const QHash<QString, QByteArray>& pictures)
{
    watch.painted = false;
    QElapsedTimer t;
    t.start();
    QWidget window;
    auto* browser = new MemoryBrowser(&window, pictures);
    browser->setHtml(QString::fromUtf8(page));
    window.resize(900, 620);
    browser->resize(650, 580);
    window.show();
    return UntilPainted(watch, t);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: help_bench PROGRAM_FOLDER\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    PaintWatch watch;
    app.installEventFilter(&watch);

    // The page the first request shows, and its pictures, as the floor shows them.
    const QString sources = QStringLiteral(PARVO_HELP_SOURCES "/html_source/");
    QFile pageFile(sources + QStringLiteral("index.html"));
    if (!pageFile.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray page = pageFile.readAll();
    QHash<QString, QByteArray> pictures;
    static const QRegularExpression img(QStringLiteral("src=\"([^\"]+)\""));
    for (auto it = img.globalMatch(QString::fromUtf8(page)); it.hasNext();) {
        const QString src = it.next().captured(1);
        QFile picture(sources + src);
        if (picture.open(QIODevice::ReadOnly))
            pictures.insert(src, picture.readAll());
    }

    // The style sheet the page links to, from memory as well.
    QFile css(sources + QStringLiteral("parvo.css"));
    if (css.open(QIODevice::ReadOnly))
        pictures.insert(QStringLiteral("parvo.css"), css.readAll());

    // Qt's own first-window costs (fonts, styles) are paid before either is measured.
    Floor(watch, "<p>warm-up</p>", {});

    // Each round a plain window, then the viewer's window from nothing: the first round
    // loads the viewer library too. The machine is shared, so the middle of each series
    // is compared.
    FakePrompts prompts;
    FakeShell shell;
    HelpViewerLibrary library(program);
    HtmlHelpLoader loader([&] { return library.findEntry(); }, prompts, shell);
    const QString address = program + QStringLiteral("/parvo.chm");
    std::vector<qint64> floors, viewers;
    for (int round = 0; round < 9; ++round) {
        floors.push_back(Floor(watch, page, pictures));
        watch.painted = false;
        QElapsedTimer t;
        t.start();
        if (loader(0, address) <= 0)
            std::fprintf(stderr, "the viewer did not open\n");
        viewers.push_back(UntilPainted(watch, t));
        if (round == 0)
            std::printf("first help page painted in %.1f ms (viewer library loaded)\n", viewers[0] / 1e6);
        loader(0, QString(), HH_CLOSE_ALL); // the next request builds its window anew
        QApplication::processEvents();
    }
    std::sort(floors.begin(), floors.end());
    std::sort(viewers.begin(), viewers.end());
    const qint64 floor = floors[floors.size() / 2], first = viewers[viewers.size() / 2];
    std::printf("help page in a new viewer window: median %.1f ms; plain window with the same page: median %.1f ms\n",
                first / 1e6, floor / 1e6);
    std::printf("ratio help_first_page %.3f\n", double(first) / double(floor));
    return 0;
}
