// The help viewer library: one exported entry point, called on the program's interface
// thread with a help address. It shows the page in the one viewer window, created on the
// first request and reused after.

#include "HelpViewer.h"
#include "help/HtmlHelpApi.h"

#include <QApplication>
#include <QPointer>
#include <QThread>

namespace {

QPointer<parvo::chm::HelpViewer>& Viewer()
{
    static QPointer<parvo::chm::HelpViewer> viewer;
    return viewer;
}

} // namespace

extern "C" __attribute__((visibility("default"))) HelpWindow HtmlHelpA(HelpWindow, const char* file,
                                                                       unsigned int command, uintptr_t)
{
    // Widgets live on the interface thread of a widget application, nowhere else.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())
        || QThread::currentThread() != QCoreApplication::instance()->thread())
        return 0;
    QPointer<parvo::chm::HelpViewer>& viewer = Viewer();
    switch (command) {
    case HH_DISPLAY_TOPIC: {
        if (!file)
            return 0;
        if (!viewer)
            viewer = new parvo::chm::HelpViewer;
        // Shown first, so that the page is laid out once, at the window's own size.
        if (viewer->isMinimized())
            viewer->showNormal();
        else
            viewer->show();
        viewer->showTopic(QString::fromUtf8(file));
        viewer->raise();
        viewer->activateWindow();
        return HelpWindow(viewer->winId());
    }
    case HH_CLOSE_ALL:
        delete viewer.data();
        return 0;
    default:
        return 0;
    }
}
